// The child frame's panes, record and commands.
#include "app/CChildFrame.h"

#include <shellapi.h>

#include "fw/CMDIFrameWnd.h"

#include "app/CAppSettings.h"
#include "app/SortSettings.h"
#include "folderdata/CEDoc.h"
#include "fw/WindowPlacement.h"
#include "listpane/CEView.h"
#include "res/resource.h"
#include "treepane/CLeftView.h"

RECT g_rcLeftPane = {0, 0, 200, 100};

namespace {

// The list pane's first width; the splitter gives it the rest of the window.
constexpr LONG kRightPaneWidth = 100;

// The help file sits one folder above the program's working folder.
const wchar_t kHelpFile[] = L"..\\readmeZQ.htm";

int32_t* ShownTotalsSwitch(CAppSettings& settings, UINT id)
{
    switch (id) {
    case ID_SHOW_MODIFIED:
        return &settings.m_bShowModified;
    case ID_SHOW_LASTREAD:
        return &settings.m_bShowLastRead;
    case ID_SHOW_CREATED:
        return &settings.m_bShowCreated;
    case ID_SHOW_FOLDERCOUNT:
        return &settings.m_bShowFolderCount;
    default:
        return &settings.m_bShowFileCount;
    }
}

std::string UnitOfCommand(const CAppSettings& settings, UINT id)
{
    switch (id) {
    case ID_UNIT_BYTES:
        return settings.m_format.m_strUnitB;
    case ID_UNIT_KBYTES:
        return settings.m_format.m_strUnitKB;
    case ID_UNIT_MBYTES:
        return settings.m_format.m_strUnitMB;
    default:
        return settings.m_format.m_strUnitGB;
    }
}

int32_t FolderSortKeyOfCommand(UINT id)
{
    static constexpr int32_t kKeys[] = {kFolderSortByName,     kFolderSortBySize,        kFolderSortByLastRead,
                                        kFolderSortByModified, kFolderSortByCreated,     kFolderSortByFolderCount,
                                        kFolderSortByFileCount};
    return kKeys[id - ID_SORT_NAME];
}

const char* FileSortModeOfCommand(UINT id)
{
    static const char* const kModes[] = {"T", "B", "N"};
    return kModes[id - ID_FILESORT_FOLDERS_FIRST];
}

void InvertSwitch(int32_t& value)
{
    value = value ? 0 : 1;
}

}  // namespace

CChildFrame::CChildFrame()
{
    MapPaneCommands();
    MapSettingCommands();
    MapUnitCommands();
    MapSortCommands();
}

void CChildFrame::MapPaneCommands()
{
    OnCommand(ID_HELP_README, [this](UINT) { OnHelp(); });
    OnCommand(ID_FOLDER_UP, [this](UINT) { OnFolderUp(); });
    OnUpdateUI(ID_FOLDER_UP, [this](CCmdUI& ui) {
        if (CLeftView* pTree = GetLeftPane())
            pTree->OnUpdateFolderUp(ui);
        else
            ui.Enable(false);
    });
    OnCommand(ID_COMPARE_SNAPSHOT, [this](UINT) {
        if (CLeftView* pTree = GetLeftPane())
            pTree->OnCompareSnapshot();
    });
    OnUpdateUI(ID_COMPARE_SNAPSHOT,
               [this](CCmdUI& ui) { ui.Enable(GetLeftPane() && GetLeftPane()->CanCompareSnapshot()); });
    OnCommand(ID_EDIT_SELECT_ALL, [this](UINT) {
        if (CEView* pList = GetRightPane())
            pList->SetClipFromAllRows();
    });
    // With two panes the next pane and the previous one are the same: the other one.
    OnCommandRange(ID_NEXT_PANE, ID_PREV_PANE, [this](UINT) {
        CWnd* pOther = m_wndSplitter.GetPane(0, GetActiveView() == GetLeftPane() ? 1 : 0);
        if (pOther)
            SetFocus(pOther->m_hWnd);
    });
    OnUpdateUI(ID_EDIT_SELECT_ALL, [this](CCmdUI& ui) {
        if (CEView* pList = GetRightPane())
            pList->OnUpdateCopyAll(ui);
        else
            ui.Enable(false);
    });
}

void CChildFrame::MapSettingCommands()
{
    OnCommand(ID_REFRESH_ON_OPEN, [this](UINT) { GetEDoc()->SetRefreshOnOpen(!GetEDoc()->IsRefreshOnOpen()); });
    OnUpdateUI(ID_REFRESH_ON_OPEN, [this](CCmdUI& ui) {
        if (CLeftView* pTree = GetLeftPane())
            pTree->OnUpdateRefreshOnOpen(ui);
        else
            ui.Enable(false);
    });
    OnCommand(ID_REAGGREGATE, [this](UINT) { GetEDoc()->SetReaggregate(!GetEDoc()->IsReaggregateOn()); });
    OnUpdateUI(ID_REAGGREGATE, [this](CCmdUI& ui) { ui.SetCheck(GetEDoc()->IsReaggregateOn() ? 1 : 0); });
    OnCommandRange(ID_SHOW_MODIFIED, ID_SHOW_FILECOUNT,
                   [this](UINT id) { InvertSwitch(*ShownTotalsSwitch(Settings(), id)); });
    OnUpdateUIRange(ID_SHOW_MODIFIED, ID_SHOW_FILECOUNT,
                    [this](CCmdUI& ui) { ui.SetCheck(*ShownTotalsSwitch(Settings(), ui.m_nID) ? 1 : 0); });
}

void CChildFrame::MapUnitCommands()
{
    OnCommandRange(ID_UNIT_BYTES, ID_UNIT_GBYTES, [this](UINT id) { OnSetUnit(id); });
    OnUpdateUIRange(ID_UNIT_BYTES, ID_UNIT_GBYTES, [this](CCmdUI& ui) {
        ui.SetCheck(Settings().m_format.m_strSizeUnit == UnitOfCommand(Settings(), ui.m_nID) ? 1 : 0);
    });
}

void CChildFrame::MapSortCommands()
{
    OnCommandRange(ID_SORT_NAME, ID_SORT_FILECOUNT, [this](UINT id) {
        if (CLeftView* pTree = GetLeftPane())
            pTree->SortFolders(FolderSortKeyOfCommand(id));
    });
    OnUpdateUIRange(ID_SORT_NAME, ID_SORT_FILECOUNT, [this](CCmdUI& ui) {
        CLeftView* pTree = GetLeftPane();
        ui.Enable(pTree && pTree->CanSortFolders());
        ui.SetRadio(FolderSortKeyOfCommand(ui.m_nID) == GetEDoc()->GetFolderSortKey());
    });
    OnCommandRange(ID_FILESORT_FOLDERS_FIRST, ID_FILESORT_VALUE_ONLY,
                   [](UINT id) { ListFileSortMode = FileSortModeOfCommand(id); });
    OnUpdateUIRange(ID_FILESORT_FOLDERS_FIRST, ID_FILESORT_VALUE_ONLY,
                    [](CCmdUI& ui) { ui.SetRadio(ListFileSortMode == FileSortModeOfCommand(ui.m_nID)); });
}

void CChildFrame::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        CChildFrameRecord record;
        record.m_placement = GetPlacementOf(m_hWnd);
        if (CLeftView* pTree = GetLeftPane())
            record.m_rcTreePane = GetPlacementOf(pTree->m_hWnd).rcNormalPosition;
        record.Serialize(ar);
        return;
    }
    m_restoredRecord.Serialize(ar);
    if (m_restoredRecord.HasTreePane())
        g_rcLeftPane = ToRect(m_restoredRecord.m_rcTreePane);
}

void CChildFrame::SaveRecords(CStoreFile& file, CAppSettings& settings)
{
    settings.SerializeOnFile(file, CArchive::store, *this);
    if (CLeftView* pTree = GetLeftPane())
        settings.SerializeOnFile(file, CArchive::store, *pTree);
    if (CEView* pList = GetRightPane())
        settings.SerializeOnFile(file, CArchive::store, *pList);
}

CEDoc* CChildFrame::GetEDoc() const
{
    return dynamic_cast<CEDoc*>(GetActiveDocument());
}

// What all windows share is asked of the document, as the panes ask it.
CAppSettings& CChildFrame::Settings() const
{
    return GetEDoc()->GetSettings();
}

CLeftView* CChildFrame::GetLeftPane() const
{
    return dynamic_cast<CLeftView*>(m_wndSplitter.GetPane(0, 0));
}

CEView* CChildFrame::GetRightPane() const
{
    return dynamic_cast<CEView*>(m_wndSplitter.GetPane(0, 1));
}

bool CChildFrame::OnCreateClient(CCreateContext& context)
{
    if (auto* pDocument = dynamic_cast<CEDoc*>(context.m_pCurrentDoc))
        pDocument->ReadRestoredRecord([this](CArchive& ar) { Serialize(ar); });
    if (!m_wndSplitter.CreateStatic(m_hWnd, AFX_IDW_PANE_FIRST))
        return false;
    const LONG height = g_rcLeftPane.bottom - g_rcLeftPane.top;
    const SIZE treeSize{g_rcLeftPane.right - g_rcLeftPane.left, height};
    if (!m_wndSplitter.CreateView(0, new CLeftView, treeSize, context.m_pCurrentDoc) ||
        !m_wndSplitter.CreateView(1, new CEView, SIZE{kRightPaneWidth, height}, context.m_pCurrentDoc)) {
        m_wndSplitter.DestroyWindow();
        return false;
    }
    SetActiveView(GetLeftPane());
    return true;
}

// A restored window takes its recorded place when it is shown.
void CChildFrame::ActivateFrame()
{
    if (m_restoredRecord.HasPlacement() && ApplyPlacement(m_hWnd, m_restoredRecord.m_placement)) {
        SendMessageW(GetMDIFrame()->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
        OnUpdateFrameTitle();
        return;
    }
    CMDIChildWnd::ActivateFrame();
}

void CChildFrame::OnHelp()
{
    ShellExecuteW(m_hWnd, L"open", kHelpFile, nullptr, nullptr, SW_SHOWNORMAL);
}

void CChildFrame::OnFolderUp()
{
    if (Settings().m_walk.StopAggregation())
        return;
    if (CLeftView* pTree = GetLeftPane())
        pTree->SelectParentFolder();
}

void CChildFrame::OnSetUnit(UINT id)
{
    std::string& unit = Settings().m_format.m_strSizeUnit;
    const std::string suffix = UnitOfCommand(Settings(), id);
    unit = unit == suffix ? std::string() : suffix;
}
