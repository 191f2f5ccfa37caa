// CEView, part two: filling the rows, their column texts and totals, and sorting.
#include "listpane/CEView.h"

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
    if (Settings().m_keys.IsMyComputerKey(path)) {
        FillDriveList();
    } else {
        CFolderListing listing(Settings());
        DWORD shown = GetTickCount();
        listing.List(path, [this, &shown](CFolderListing::Entry& entry) {
            ShowProgress(shown);
            return InsertEntry(GetRowCount(), entry) >= 0;
        });
        m_nListingError = GetEDoc()->GetLastErrorCode();
    }
    const bool bListed = GetRowCount() != 0;
    if (bListed) {
        ShowStoredTotals(false);
        if (m_nSortColumn != CListColumns::kMark)
            SortByColumn(m_nSortColumn);
    }
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
        last = InsertEntry(GetRowCount(), entry);
        return last >= 0;
    });
    return last;
}

int CEView::InsertEntry(int row, CFolderListing::Entry& entry)
{
    if (row < GetRowCount())
        DeleteRow(row);
    CFileItem* pItem = GetEDoc()->m_fileItems.Add(std::move(entry.path), std::move(entry.name), entry.attr, entry.info);
    std::wstring name = ToWide(pItem->m_strName);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = row;
    item.pszText = name.data();
    item.iImage = ImageOf(*pItem);
    item.lParam = reinterpret_cast<LPARAM>(pItem);
    const int inserted = ListView_InsertItem(m_hWnd, &item);
    if (inserted < 0) {
        GetEDoc()->m_fileItems.Release(pItem);
        return -1;
    }
    SetColumnTexts(inserted, *pItem);
    return inserted;
}

void CEView::SetColumnTexts(int row, const CFileItem& item)
{
    const CDisplayFormat& format = Settings().m_format;
    for (int column = CListColumns::kType; column < CListColumns::kCount; ++column)
        SetCellText(row, column, CListRowText::Cell(column, item, format));
}

void CEView::SetFolderTotals(int row, const CSizeInfo& totals)
{
    CFileItem* pItem = GetItem(row);
    if (!pItem)
        return;
    pItem->m_info = totals;
    pItem->m_bTotals = true;
    for (const int column : {CListColumns::kSize, CListColumns::kModified, CListColumns::kLastRead,
                             CListColumns::kCreated, CListColumns::kFolders, CListColumns::kFiles})
        SetCellText(row, column, CListRowText::Cell(column, *pItem, Settings().m_format));
}

void CEView::RenderSize(int row)
{
    if (const CFileItem* pItem = GetItem(row))
        SetCellText(row, CListColumns::kSize, CListRowText::Cell(CListColumns::kSize, *pItem, Settings().m_format));
}

// Folder rows take the totals stored for them (no walk); file rows follow the current unit
// when bRenderFiles (a filling has just rendered them).
void CEView::ShowStoredTotals(bool bRenderFiles)
{
    const int count = GetRowCount();
    for (int row = 0; row < count; ++row) {
        if (!ShowStoredTotals(row) && bRenderFiles)
            RenderSize(row);
    }
}

bool CEView::ShowStoredTotals(int row)
{
    const CFileItem* pItem = GetItem(row);
    if (!pItem || !pItem->IsFolder())
        return false;
    CSizeInfo total;
    CSizeInfo direct;
    if (Settings().m_walk.GetStoredTotals(pItem->m_strPath, total, direct))
        SetFolderTotals(row, total);
    return true;
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
    const int count = GetRowCount();
    for (int row = 0; row < count; ++row) {
        if (CFileItem* pItem = GetItem(row))
            order.PrepareKey(*pItem);
    }
    ListView_SortItems(m_hWnd, CompareRows, reinterpret_cast<LPARAM>(&order));
}
