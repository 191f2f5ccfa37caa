// CLeftView, part five: compare walks, the answers to other trees' questions, and compare marks.
#include "treepane/CLeftView.h"

#include "app/CAppSettings.h"
#include "dialogs/CCompareSummaryDlg.h"
#include "folderdata/CCompareVerdict.h"
#include "folderdata/CEDoc.h"
#include "folderdata/CUpdateHint.h"
#include "res/resource.h"
#include "treepane/CCompareLabel.h"
#include "treepane/CCompareWalk.h"
#include "treepane/CFolderLabel.h"

namespace {

// image 5 of the state images: a red "U"
constexpr int kImageCompared = 5;

// The tree as the compare walk sees it: the questions go to the other windows, the marks to
// the tree's items.
class TreeAsker : public CCompareWalk::Asker {
public:
    explicit TreeAsker(CLeftView& tree) : m_tree(tree) {}
    bool CompareFolder(const std::string& path, std::string& letters) override
    {
        return m_tree.CompareFolder(path, letters);
    }
    bool CompareFile(const std::string& path, const CSizeInfo& info) override { return m_tree.CompareFile(path, info); }
    void MarkDifferent(const std::string& path, const std::string& letters) override
    {
        m_tree.MarkDifferent(path, letters);
    }
    void MarkSame(const std::string& path) override { m_tree.MarkSame(path); }

private:
    CLeftView& m_tree;
};

}  // namespace

// ---- the walk ----

void CLeftView::StartCompareWalk()
{
    CEDoc* pDocument = GetEDoc();
    std::string relative;
    if (pDocument->m_strBasePath.empty() ||
        !RelativePath(pDocument->m_strCurPath, pDocument->m_strBasePath, relative))
        return;
    HTREEITEM hSelected = Selected();
    if (!hSelected)
        return;
    ResetIcons(hSelected);
    m_compareTally.Reset();
    const std::string path = GetItemPath(hSelected);
    // An open form follows every later walk of this tree.
    const bool bSummary = pDocument->TakeSummaryRequest() ||
                          (m_pCompareSummary && m_pCompareSummary->m_hWnd && IsWindowVisible(m_pCompareSummary->m_hWnd));
    if (CompareWalk(path) != CCompareWalk::kStopped && bSummary)
        ShowCompareSummary(path);
}

void CLeftView::ShowCompareSummary(const std::string& path)
{
    if (!m_pCompareSummary)
        m_pCompareSummary = std::make_unique<CCompareSummaryDlg>(GetAncestor(m_hWnd, GA_ROOT));
    m_pCompareSummary->ShowSummary(Settings().m_keys.GetDisplayPath(path), m_compareTally);
}

int CLeftView::CompareWalk(const std::string& path)
{
    const LabelBatch batch(*this);
    TreeAsker asker(*this);
    CCompareWalk walk(Settings().m_walk, asker);
    return walk.Run(path);
}

// ---- questions ----

bool CLeftView::CompareFolder(const std::string& path, std::string& letters)
{
    CUpdateHint hint;
    hint.m_strPath = CCompareVerdict::RelativeOf(path, GetEDoc()->m_strBasePath);
    CSizeInfo direct;
    Settings().m_walk.GetStoredTotals(path, hint.m_info, direct);
    return AskOthers(kHintCompareFolder, hint, letters);
}

bool CLeftView::CompareFile(const std::string& path, const CSizeInfo& info)
{
    CUpdateHint hint;
    hint.m_strPath = CCompareVerdict::RelativeOf(path, GetEDoc()->m_strBasePath);
    hint.m_info = info;
    std::string letters;
    return AskOthers(kHintCompareFile, hint, letters);
}

bool CLeftView::AskOthers(int code, CUpdateHint& hint, std::string& letters)
{
    CEDoc* pDocument = GetEDoc();
    pDocument->CompareNoAnswer() = 1;
    pDocument->CompareVerdict().clear();
    pDocument->NotifyOthers(code, hint);
    letters = pDocument->CompareVerdict();
    m_compareTally.Count(letters);
    return pDocument->CompareNoAnswer() != 0;
}

// ---- answers ----

// A window without a base folder (opened after linkage was switched on) takes no part: it has
// no counterpart to look at.
void CLeftView::AnswerFolder(const CUpdateHint& hint)
{
    CEDoc* pDocument = GetEDoc();
    if (pDocument->m_strBasePath.empty())
        return;
    CCompareVerdict::AnswerFolder(CCompareVerdict::CounterpartOf(pDocument->m_strBasePath, hint.m_strPath),
                                  hint.m_info, pDocument->GetFolderInfo(), pDocument->CompareVerdict(),
                                  pDocument->CompareNoAnswer());
}

void CLeftView::AnswerFile(const CUpdateHint& hint)
{
    CEDoc* pDocument = GetEDoc();
    if (pDocument->m_strBasePath.empty())
        return;
    CCompareVerdict::AnswerFile(CCompareVerdict::CounterpartOf(pDocument->m_strBasePath, hint.m_strPath),
                                hint.m_info, pDocument->CompareVerdict(), pDocument->CompareNoAnswer());
}

// ---- marks ----

// Only the branch that leads to path is searched: a walk of thousands of folders asks for each.
HTREEITEM CLeftView::FindCompared(const std::string& path) const
{
    HTREEITEM hItem = Selected();
    std::string relative;
    if (!hItem || !RelativePath(path, GetItemPath(hItem), relative))
        return nullptr;
    while (hItem && GetItemPath(hItem) != path) {
        HTREEITEM hBranch = nullptr;
        for (HTREEITEM hChild = Child(hItem); hChild && !hBranch; hChild = Next(hChild)) {
            if (RelativePath(path, GetItemPath(hChild), relative))
                hBranch = hChild;
        }
        hItem = hBranch;
    }
    return hItem;
}

std::string CLeftView::StoredInfoText(const std::string& path)
{
    CSizeInfo total;
    CSizeInfo direct;
    if (!Settings().m_walk.GetStoredTotals(path, total, direct))
        return std::string();
    return CFolderLabel::BuildInfoText(Settings(), total);
}

void CLeftView::MarkDifferent(const std::string& path, const std::string& letters)
{
    HTREEITEM hItem = FindCompared(path);
    if (!hItem)
        return;
    SetItemImage(hItem, kImageCompared);
    SetItemText(hItem, CCompareLabel::Different(letters, StoredInfoText(path), GetItemName(hItem)));
}

void CLeftView::MarkSame(const std::string& path)
{
    HTREEITEM hItem = FindCompared(path);
    if (!hItem)
        return;
    SetItemImage(hItem, GetImageIndex(path));
    SetItemText(hItem, CCompareLabel::Same(StoredInfoText(path), GetItemName(hItem)));
}

// The control asks the node for the image when it draws the item.
void CLeftView::SetItemImage(HTREEITEM hItem, int image)
{
    CFolderNode* pNode = GetNode(hItem);
    if (!pNode || pNode->m_nImage == image)
        return;
    pNode->m_nImage = image;
    RepaintItem(hItem);
}

void CLeftView::ResetIcons(HTREEITEM hItem)
{
    if (!hItem)
        return;
    SetItemImage(hItem, GetImageIndex(GetItemPath(hItem)));
    for (HTREEITEM hChild = Child(hItem); hChild; hChild = Next(hChild))
        ResetIcons(hChild);
}
