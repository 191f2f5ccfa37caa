// CEView, part one: construction, rows and records, the store, notifications and keys.
#include "listpane/CEView.h"

#include "Win32Text.h"
#include "app/CAppSettings.h"
#include "folderdata/CEDoc.h"
#include "fw/AfxMessageBox.h"
#include "fw/CArchive.h"
#include "fw/CCmdUI.h"
#include "listpane/CFileItem.h"
#include "listpane/CListColumns.h"
#include "res/resource.h"
#include "services/CSortDirection.h"

namespace {

// The header clicks of all lists form one run: the first click of the process reverses the
// direction, a click on the column clicked last toggles it, another column starts ascending.
CSortDirection& ColumnClickRule()
{
    static CSortDirection rule;
    return rule;
}

}  // namespace

bool CEView::m_bSortAscending = true;
std::vector<CEView::AggregatePath> CEView::m_aggregatePaths;

void CEView::ResetSortState()
{
    m_bSortAscending = true;
    ColumnClickRule().Forget();
}

// ---- construction ----

CEView::CEView()
{
    OnCommand(ID_AGGREGATE, [this](UINT) { AggregateRows(); });
    OnUpdateUI(ID_AGGREGATE, [this](CCmdUI& ui) {
        if (CEDoc* pDocument = GetEDoc())
            pDocument->OnUpdateAggregate(ui);
    });
    MapFileCommands();
}

// The records belong to the document but live exactly as long as this view's rows.
CEView::~CEView()
{
    if (CEDoc* pDocument = GetEDoc())
        pDocument->m_fileItems.Clear();
    if (m_hImageList)
        ImageList_Destroy(m_hImageList);
}

DWORD CEView::GetControlStyle() const
{
    return LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS;
}

void CEView::OnInitialUpdate()
{
    ListView_SetExtendedListViewStyleEx(m_hWnd, 0x430, LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    InsertColumns();
    if (CEDoc* pDocument = GetEDoc())
        pDocument->ReadRestoredRecord([this](CArchive& ar) { Serialize(ar); });
    if (CEDoc::CreateImageList(m_hImageList))
        ListView_SetImageList(m_hWnd, m_hImageList, LVSIL_SMALL);
    if (CEDoc* pDocument = GetEDoc(); pDocument && !pDocument->m_strCurPath.empty()) {
        FillList(pDocument->m_strCurPath);
        UpdateTitle();
    }
}

void CEView::InsertColumns()
{
    for (int column = 0; column < CListColumns::kCount; ++column) {
        const CListColumns::Definition& definition = CListColumns::At(column);
        std::wstring caption = ToWide(definition.caption);
        LVCOLUMNW info{};
        info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        info.fmt = definition.rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
        info.cx = definition.width;
        info.pszText = caption.data();
        info.iSubItem = column;
        ListView_InsertColumn(m_hWnd, column, &info);
    }
}

// ---- access ----

CEDoc* CEView::GetEDoc() const
{
    return dynamic_cast<CEDoc*>(GetDocument());
}

CAppSettings& CEView::Settings() const
{
    return GetEDoc()->GetSettings();
}

int CEView::GetRowCount() const
{
    return ListView_GetItemCount(m_hWnd);
}

CFileItem* CEView::GetItem(int row) const
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (row < 0 || !ListView_GetItem(m_hWnd, &item))
        return nullptr;
    return reinterpret_cast<CFileItem*>(item.lParam);
}

int CEView::FindRow(const std::string& path) const
{
    const int count = GetRowCount();
    for (int row = 0; row < count; ++row) {
        if (const CFileItem* pItem = GetItem(row); pItem && pItem->m_strPath == path)
            return row;
    }
    return -1;
}

std::vector<int> CEView::GetSelectedRows() const
{
    std::vector<int> rows;
    for (int row = ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(m_hWnd, row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

std::wstring CEView::GetCellText(int row, int column) const
{
    wchar_t text[520] = {};
    ListView_GetItemText(m_hWnd, row, column, text, static_cast<int>(std::size(text)));
    return text;
}

bool CEView::IsDriveRow(int row) const
{
    const CFileItem* pItem = GetItem(row);
    return pItem && CFolderKeys::IsDriveRoot(pItem->m_strPath);
}

void CEView::SetCellText(int row, int column, const std::string& text)
{
    std::wstring wide = ToWide(text);
    ListView_SetItemText(m_hWnd, row, column, wide.data());
}

void CEView::SetRowImage(int row, int image)
{
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = image;
    ListView_SetItem(m_hWnd, &item);
}

// The control forgets the row before its record goes, so that it never holds a freed address.
void CEView::DeleteRow(int row)
{
    CFileItem* pItem = GetItem(row);
    ListView_DeleteItem(m_hWnd, row);
    if (pItem)
        GetEDoc()->m_fileItems.Release(pItem);
}

void CEView::DeleteAllRows()
{
    ListView_DeleteAllItems(m_hWnd);
    GetEDoc()->m_fileItems.Clear();
}

// ---- store ----

void CEView::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        CurrentLayout().Write(ar);
        return;
    }
    CListLayout layout;
    if (layout.Read(ar))
        ApplyLayout(layout);
}

CListLayout CEView::CurrentLayout() const
{
    CListLayout layout;
    int order[CListLayout::kColumns] = {};
    ListView_GetColumnOrderArray(m_hWnd, CListLayout::kColumns, order);
    for (int position = 0; position < CListLayout::kColumns; ++position) {
        if (order[position] >= 0 && order[position] < CListLayout::kColumns)
            layout.m_columns[static_cast<std::size_t>(order[position])].order = position;
    }
    for (int column = 0; column < CListLayout::kColumns; ++column)
        layout.m_columns[static_cast<std::size_t>(column)].width = ListView_GetColumnWidth(m_hWnd, column);
    return layout;
}

void CEView::ApplyLayout(const CListLayout& layout)
{
    int order[CListLayout::kColumns] = {};
    for (int column = 0; column < CListLayout::kColumns; ++column) {
        const CListLayout::Column& saved = layout.m_columns[static_cast<std::size_t>(column)];
        order[saved.order] = column;
        ListView_SetColumnWidth(m_hWnd, column, saved.width);
    }
    ListView_SetColumnOrderArray(m_hWnd, CListLayout::kColumns, order);
}

// ---- notifications and keys ----

bool CEView::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_NOTIFY)
        return CView::OnChildNotify(message, wParam, lParam, result);
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    result = 0;
    switch (header.code) {
    case LVN_COLUMNCLICK:
        OnColumnClick(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
        return true;
    case NM_DBLCLK:
        if (const int row = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem; row >= 0)
            OpenItem(row);
        return true;
    case NM_RCLICK:
        AfxMessageBox("dummy", kMbOk);
        return true;
    case LVN_BEGINLABELEDITW:
        result = OnBeginLabelEdit(*reinterpret_cast<const NMLVDISPINFOW*>(lParam));
        return true;
    case LVN_DELETEALLITEMS:
        // No notification a row: the records go all at once (DeleteAllRows).
        result = TRUE;
        return true;
    case LVN_GETDISPINFOW:
        OnGetDispInfo(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
        return true;
    case LVN_ITEMCHANGED:
        OnItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
        return true;
    case LVN_ENDLABELEDITW:
        result = OnEndLabelEdit(*reinterpret_cast<const NMLVDISPINFOW*>(lParam));
        return true;
    default:
        return false;
    }
}

void CEView::OnColumnClick(int column)
{
    m_nSortColumn = column;
    int32_t direction = m_bSortAscending ? 1 : 0;
    ColumnClickRule().Choose(column, direction);
    m_bSortAscending = direction != 0;
    SortByColumn(column);
}

// The computer, the drives and the file-only folder have no name of their own to change.
LRESULT CEView::OnBeginLabelEdit(const NMLVDISPINFOW& info)
{
    const CFileItem* pItem = GetItem(info.item.iItem);
    if (!pItem)
        return TRUE;
    const CFolderKeys& keys = Settings().m_keys;
    const std::string& path = pItem->m_strPath;
    return keys.IsMyComputerKey(path) || CFolderKeys::IsDriveRoot(path) || keys.IsFileOnlyFolder(path);
}

// A click that selects rows retitles the window as the keys do. Selecting all of 100,000 rows
// brings as many notifications: the title is rebuilt once, when they are through.
void CEView::OnItemChanged(const NMLISTVIEW& info)
{
    SendSelectedRow(info);
    if (!(info.uChanged & LVIF_STATE) || !((info.uNewState ^ info.uOldState) & LVIS_SELECTED) || m_bTitlePending)
        return;
    m_bTitlePending = PostMessageW(m_hWnd, kRetitleMessage, 0, 0) != FALSE;
}

LRESULT CEView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kRetitleMessage) {
        m_bTitlePending = false;
        UpdateTitle();
        return 0;
    }
    if (message == kReeditMessage) {
        SetFocus(m_hWnd);
        ListView_EditLabel(m_hWnd, static_cast<int>(wParam));
        return 0;
    }
    const LRESULT result = CView::WindowProc(message, wParam, lParam);
    if (message == WM_KEYDOWN)
        OnKeyDown(static_cast<UINT>(wParam));
    return result;
}

void CEView::OnKeyDown(UINT key)
{
    switch (key) {
    case VK_RETURN:
        OnReturn();
        break;
    case VK_DELETE:
        // The row test stands in for the command's rule: Delete with a drive selected does nothing.
        if (const std::vector<int> rows = GetSelectedRows(); !rows.empty() && !IsDriveRow(rows.front()))
            OnDelete();
        break;
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        UpdateTitle();
        break;
    default:
        break;
    }
}

// Every selected row top first, up to the first folder: entering a folder replaces the rows.
void CEView::OnReturn()
{
    for (const int row : GetSelectedRows()) {
        const CFileItem* pItem = GetItem(row);
        if (!pItem)
            continue;
        const bool bFolder = pItem->IsFolder();
        OpenItem(row);
        if (bFolder)
            break;
    }
}
