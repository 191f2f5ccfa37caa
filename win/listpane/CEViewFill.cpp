// CEView, part two: filling the rows, their column texts and totals, and sorting.
#include "listpane/CEView.h"

#include <climits>

#include "Win32Text.h"
#include "app/CAppSettings.h"
#include "app/SortSettings.h"
#include "folderdata/CEDoc.h"
#include "listpane/CFileItem.h"
#include "listpane/CListColumns.h"
#include "listpane/CListOrder.h"
#include "listpane/CListRowText.h"

// ---- filling ----

// The control draws nothing while it is filled: a list view that repaints and resizes its
// scroll bars for every row inserted takes a hundred times as long. A long listing still shows
// how far it has come, a few times a second.
bool CEView::FillList(const std::string& path)
{
    SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
    DeleteAllRows();
    m_nListingError = 0;
    m_shownFormat = Settings().m_format;
    if (Settings().m_keys.IsMyComputerKey(path)) {
        FillDriveList();
    } else {
        CFolderListing listing(Settings());
        DWORD shown = GetTickCount();
        listing.List(path, [this, &shown](CFolderListing::Entry& entry) {
            ShowProgress(shown);
            return AppendEntry(entry, true) >= 0;
        });
        m_nListingError = GetEDoc()->GetLastErrorCode();
    }
    const bool bListed = GetRowCount() != 0;
    if (bListed && m_nSortColumn != CListColumns::kMark)
        SortByColumn(m_nSortColumn);
    SendMessageW(m_hWnd, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    return bListed;
}

void CEView::ShowProgress(DWORD& shown)
{
    constexpr DWORD kProgressInterval = 300;  // milliseconds
    if (GetTickCount() - shown < kProgressInterval)
        return;
    SendMessageW(m_hWnd, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
    shown = GetTickCount();
}

int CEView::FillDriveList()
{
    int last = -1;
    CFolderListing listing(Settings());
    listing.ListDrives([this, &last](CFolderListing::Entry& entry) {
        last = AppendEntry(entry, true);
        return last >= 0;
    });
    return last;
}

// Columns 1 to 9 are left to the control's question (LVN_GETDISPINFO): one message a row. An
// index past the last row appends.
int CEView::AppendEntry(CFolderListing::Entry& entry, bool bStoredTotals)
{
    CFileItem* pItem = GetEDoc()->m_fileItems.Add(std::move(entry.path), std::move(entry.name), entry.attr, entry.info);
    if (bStoredTotals)
        TakeStoredTotals(*pItem);
    std::wstring name = ToWide(pItem->m_strName);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = INT_MAX;
    item.pszText = name.data();
    item.iImage = ImageOf(*pItem);
    item.lParam = reinterpret_cast<LPARAM>(pItem);
    const int inserted = ListView_InsertItem(m_hWnd, &item);
    if (inserted < 0) {
        GetEDoc()->m_fileItems.Release(pItem);
        return -1;
    }
    return inserted;
}

void CEView::OnGetDispInfo(NMLVDISPINFOW& info)
{
    const CFileItem* pItem = GetItem(info.item.iItem);
    if (!(info.item.mask & LVIF_TEXT) || !pItem)
        return;
    m_cellText = ToWide(CListRowText::Cell(info.item.iSubItem, *pItem, m_shownFormat));
    info.item.pszText = m_cellText.data();
}

void CEView::ShowRecord(int row)
{
    ListView_RedrawItems(m_hWnd, row, row);
}

void CEView::SetFolderTotals(int row, const CSizeInfo& totals)
{
    CFileItem* pItem = GetItem(row);
    if (!pItem)
        return;
    pItem->m_info = totals;
    pItem->m_bTotals = true;
    ShowRecord(row);
}

// The stored totals come without a walk; the records of all rows change, then the control is
// drawn once.
void CEView::ShowStoredTotals()
{
    GetEDoc()->m_fileItems.ForEach([this](CFileItem& item) { TakeStoredTotals(item); });
    m_shownFormat = Settings().m_format;
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void CEView::TakeStoredTotals(CFileItem& item)
{
    CSizeInfo total;
    CSizeInfo direct;
    if (!item.IsFolder() || !Settings().m_walk.GetStoredTotals(item.m_strPath, total, direct))
        return;
    item.m_info = total;
    item.m_bTotals = true;
}

// ---- images ----

int CEView::ImageOf(const CFileItem& item)
{
    if (!item.m_strMark.empty())
        return kImageMarked;
    if (CFolderKeys::IsDriveRoot(item.m_strPath))
        return DriveImage(item.m_strPath);
    return item.IsFolder() ? kImageFolder : kImageFile;
}

// Each drive's icon is added to the image list once and kept: refilling the computer's list
// again and again does not grow the list.
int CEView::DriveImage(const std::string& root)
{
    if (const auto found = m_driveImages.find(root); found != m_driveImages.end())
        return found->second;
    HICON hIcon = CEDoc::ShellSmallIcon(root);
    if (!hIcon || !m_hImageList)
        return kImageNone;
    const int image = ImageList_AddIcon(m_hImageList, hIcon);
    DestroyIcon(hIcon);
    if (image < 0)
        return kImageNone;
    m_driveImages.emplace(root, image);
    return image;
}

// ---- sorting ----

namespace {

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM order)
{
    return reinterpret_cast<const CListOrder*>(order)->Compare(*reinterpret_cast<const CFileItem*>(first),
                                                                *reinterpret_cast<const CFileItem*>(second));
}

}  // namespace

void CEView::SortByColumn(int column)
{
    if (!CListOrder::IsColumn(column))
        return;
    const CListOrder order(column, m_bSortAscending, ListFileSortMode);
    GetEDoc()->m_fileItems.ForEach([&order](CFileItem& item) { order.PrepareKey(item); });
    ListView_SortItems(m_hWnd, CompareRows, reinterpret_cast<LPARAM>(&order));
}
