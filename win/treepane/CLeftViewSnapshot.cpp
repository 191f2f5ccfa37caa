// CLeftView, part six: comparing the selected folder with a saved "Dir Info" (the snapshot).
#include "treepane/CLeftView.h"

#include <commdlg.h>

#include <filesystem>

#include "Win32Text.h"
#include "app/CAppSettings.h"
#include "dialogs/CCompareSummaryDlg.h"
#include "folderdata/CCompareVerdict.h"
#include "folderdata/CDirInfoFile.h"
#include "folderdata/CDirSzLst.h"
#include "folderdata/CEDoc.h"
#include "folderdata/CFolderKeys.h"
#include "folderdata/CFolderWalk.h"
#include "folderdata/CSnapshotCompare.h"
#include "folderdata/CUpdateHint.h"
#include "folderdata/CWalkSink.h"
#include "fw/AfxMessageBox.h"
#include "listpane/CEView.h"
#include "listpane/CFileItem.h"
#include "text/Cp932.h"
#include "treepane/CCompareLabel.h"

namespace {

constexpr int kImageCompared = 5;
constexpr std::size_t kTopCount = 10;

// The snapshot's walk pumps through the document, as every walk of the window does.
class CDocumentSink : public CWalkSink {
public:
    explicit CDocumentSink(CEDoc& document) : m_document(document) {}
    bool PumpMessages() override { return m_document.PumpMessages(); }
    void RememberLastError(uint32_t) override {}

private:
    CEDoc& m_document;
};

std::string UnfitFileMessage(const std::string& file, const std::string& detail)
{
    return "保存したﾌｫﾙﾀﾞ情報として読めないﾌｧｲﾙです。何も変更していません。\n\nﾌｧｲﾙ名 ： \n" + file +
           "\n\n( " + detail + " )";
}

// "+1,234 KB" in the current unit, then the folder below the base (the base by its name) and
// whether it is new or gone.
std::pair<std::string, std::string> ChangeLine(const CAppSettings& settings, const CSnapshotCompare::Change& change,
                                               const std::string& base)
{
    const int64_t bytes = change.SizeChange();
    const uint64_t magnitude = bytes < 0 ? 0 - static_cast<uint64_t>(bytes) : static_cast<uint64_t>(bytes);
    const std::string size =
        (bytes < 0 ? "\xE2\x88\x92" : "+") + settings.m_format.FormatSize(magnitude, settings.m_format.m_strSizeUnit);
    std::string relative = CCompareVerdict::RelativeOf(change.path, CSnapshotCompare::CommonKey(base));
    if (relative.empty())
        relative = settings.m_keys.GetNameOf(base);
    if (change.kind == CSnapshotCompare::Kind::kNew)
        relative = "[新規] " + relative;
    else if (change.kind == CSnapshotCompare::Kind::kGone)
        relative = "[無し] " + relative;
    return {size, relative};
}

}  // namespace

bool CLeftView::CanCompareSnapshot() const
{
    HTREEITEM hSelected = Selected();
    if (!hSelected)
        return false;
    const std::string path = GetItemPath(hSelected);
    return CFolderKeys::IsDriveRoot(path) || Settings().m_keys.IsOrdinaryFolderPath(path);
}

// The standard open dialog, starting in the store folder where the program saves its "Dir Info".
void CLeftView::OnCompareSnapshot()
{
    // chosen again while its walk lets messages through: only stop it, as the aggregate command does
    if (Settings().m_walk.StopAggregation() || !CanCompareSnapshot())
        return;
    wchar_t file[MAX_PATH] = L"Dir Info";
    std::error_code error;
    const std::wstring folder =
        std::filesystem::absolute(GetPlatform().NativePath(Settings().m_strPositionDir), error).wstring();
    static const wchar_t kFilter[] = L"ﾌｫﾙﾀﾞ情報 (Dir Info)\0Dir Info\0すべてのﾌｧｲﾙ (*.*)\0*.*\0";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetAncestor(m_hWnd, GA_ROOT);
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = error ? nullptr : folder.c_str();
    ofn.lpstrTitle = L"保存したﾌｫﾙﾀﾞ情報と照合";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (GetOpenFileNameW(&ofn))
        CompareWithSnapshot(FromWide(file));
}

bool CLeftView::CompareWithSnapshot(const std::string& fileKey)
{
    HTREEITEM hSelected = Selected();
    if (!hSelected)
        return false;
    const std::string base = GetItemPath(hSelected);
    CDirSzLst snapshot;
    const CDirInfoFile::Shape shape = CDirInfoFile::Read(fileKey, snapshot);
    if (!CDirInfoFile::IsSound(shape)) {
        AfxMessageBox(UnfitFileMessage(fileKey, CDirInfoFile::Damage(shape)), kMbOk | kMbIconExclamation);
        return false;
    }
    if (!CSnapshotCompare::HasAnyAtOrBelow(snapshot, base)) {
        AfxMessageBox("\n" + Settings().m_keys.GetDisplayPath(base) + " の情報はこのﾌｧｲﾙにありません。\n\n" + fileKey,
                      kMbOk | kMbIconExclamation);
        return false;
    }
    CDirSzLst now;
    std::vector<std::string> leftOut;
    if (!WalkForSnapshot(base, now, leftOut))
        return false;
    // the walk let messages through: the item may have gone meanwhile (a refresh)
    hSelected = FindItem(base);
    if (!hSelected)
        return false;
    CSnapshotCompare compare;
    compare.Run(now, snapshot, base, leftOut);
    StoreWalked(now);
    {
        const LabelBatch batch(*this);
        ResetIcons(hSelected);
        MarkSnapshotItems(hSelected, compare, now);
    }
    MarkSnapshotRows(compare, now);
    if (!m_pCompareSummary)
        m_pCompareSummary = std::make_unique<CCompareSummaryDlg>(GetAncestor(m_hWnd, GA_ROOT));
    std::vector<std::pair<std::string, std::string>> lines;
    for (const CSnapshotCompare::Change& change : compare.Biggest(kTopCount))
        lines.push_back(ChangeLine(Settings(), change, base));
    m_pCompareSummary->ShowSnapshotSummary(Settings().m_keys.GetDisplayPath(base) + "  \xE2\x87\x94  " + fileKey,
                                           compare.Tally(), compare.GoneCount(), lines);
    return true;
}

// A walk of its own into a list of its own: the records of now are exactly the folders on the
// disk, whatever the program's list still holds of folders removed since.
bool CLeftView::WalkForSnapshot(const std::string& base, CDirSzLst& now, std::vector<std::string>& leftOut)
{
    CEDoc* pDocument = GetEDoc();
    CDocumentSink sink(*pDocument);
    CAppSettings& settings = Settings();
    CFolderWalk walk(settings.m_keys, settings.m_bWalkRunning);
    walk.Attach(now, sink);
    walk.BeginCommand();
    CSizeInfo total;
    CSizeInfo direct;
    // The walk titles the window with the folder it is in; once it ends that would be stale.
    const std::string title = pDocument->GetTitle();
    const bool bDone = walk.AggregateFolder(base, total, direct, pDocument, true, false);
    pDocument->SetTitle(title);
    walk.EndCommand();
    for (const CFolderWalk::LeftOut& folder : walk.GetLeftOut())
        leftOut.push_back(folder.folder);
    if (const std::string message = walk.LeftOutMessage(); !message.empty())
        AfxMessageBox(message, kMbOk | kMbIconExclamation);
    return bDone;
}

// What the walk found is the program's knowledge now, as after an aggregation: the list's folder
// rows take the new totals.
void CLeftView::StoreWalked(const CDirSzLst& now)
{
    CEDoc* pDocument = GetEDoc();
    CDirSzLst& folderInfo = pDocument->GetFolderInfo();
    for (auto pos = now.GetHeadPosition(); pos;) {
        const CDirSzEntry& entry = now.GetNext(pos);
        folderInfo.SetEntry(entry.m_strPath, entry.m_total, entry.m_direct);
    }
    CUpdateHint hint;
    pDocument->UpdateAllViews(this, kHintAggregated, &hint);
}

// Folder rows take the snapshot's letters in column 2, as rows of a compare between windows do;
// files are in no snapshot, so file rows stay empty.
void CLeftView::MarkSnapshotRows(const CSnapshotCompare& compare, const CDirSzLst& now)
{
    for (CView* pView : GetEDoc()->GetViews()) {
        CEView* pList = dynamic_cast<CEView*>(pView);
        for (int row = 0; pList && row < pList->GetRowCount(); ++row) {
            const CFileItem* pItem = pList->GetItem(row);
            const bool bCompared = pItem && pItem->IsFolder() && now.FindEntry(pItem->m_strPath);
            pList->ShowCompareMark(row, bCompared ? compare.Verdict(pItem->m_strPath) : std::string());
        }
    }
}

// As a compare between windows marks: every folder the walk met, a new one ("N") without what lies
// inside it; folders named outside code page 932 are in no snapshot and keep their marks.
void CLeftView::MarkSnapshotItems(HTREEITEM hItem, const CSnapshotCompare& compare, const CDirSzLst& now)
{
    const std::string path = GetItemPath(hItem);
    if (!now.FindEntry(path) || !Cp932::IsRepresentable(path))
        return;
    if (!compare.Differs(path)) {
        MarkSame(path);
        return;
    }
    const std::string letters = compare.Verdict(path);
    SetItemImage(hItem, kImageCompared);
    SetItemText(hItem, CCompareLabel::Different(letters, StoredInfoText(path), GetItemName(hItem)));
    if (CCompareVerdict::HasMissing(letters))
        return;
    for (HTREEITEM hChild = Child(hItem); hChild; hChild = Next(hChild))
        MarkSnapshotItems(hChild, compare, now);
}
