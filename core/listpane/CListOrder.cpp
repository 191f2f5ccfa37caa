// The file list's row order.
#include "listpane/CListOrder.h"

#include "folderdata/CFolderKeys.h"
#include "listpane/CFileItem.h"
#include "listpane/CListColumns.h"
#include "services/CDisplayFormat.h"
#include "services/CSortCompare.h"
#include "text/Cp932.h"

CListOrder::CListOrder(int column, bool ascending, std::string mode)
    : m_nColumn(column), m_bAscending(ascending), m_strMode(std::move(mode))
{
}

bool CListOrder::SortsByText() const
{
    return m_nColumn == CListColumns::kName || m_nColumn == CListColumns::kType ||
           m_nColumn == CListColumns::kMark || m_nColumn == CListColumns::kAttributes;
}

void CListOrder::PrepareKey(CFileItem& item) const
{
    item.m_sortText.clear();
    item.m_nSortNumber = 0;
    const CSizeInfo& info = item.m_info;
    switch (m_nColumn) {
    case CListColumns::kName:
        // Drive rows sort by their letters, every other row by its name regardless of case.
        item.m_sortText = CFolderKeys::IsDriveRoot(item.m_strPath)
                              ? Cp932::LosslessSortKey(item.m_strPath.substr(0, 1))
                              : Cp932::LosslessSortKey(CSortCompare::LowerName(item.m_strName));
        break;
    case CListColumns::kType:
        item.m_sortText = Cp932::LosslessSortKey(CDisplayFormat::FormatTypeName(item.m_strName, item.m_nAttr));
        break;
    case CListColumns::kMark:
        item.m_sortText = Cp932::LosslessSortKey(item.m_strMark);
        break;
    case CListColumns::kAttributes:
        item.m_sortText = CDisplayFormat::FormatAttributes(item.m_nAttr);
        break;
    case CListColumns::kSize:
        item.m_nSortNumber = info.m_nSize;
        break;
    case CListColumns::kModified:
        item.m_nSortNumber = CSortCompare::MinuteKey(info.m_tModified);
        break;
    case CListColumns::kLastRead:
        item.m_nSortNumber = CSortCompare::MinuteKey(info.m_tAccessed);
        break;
    case CListColumns::kCreated:
        item.m_nSortNumber = CSortCompare::MinuteKey(info.m_tCreated);
        break;
    case CListColumns::kFolders:
        item.m_nSortNumber = static_cast<uint64_t>(static_cast<int64_t>(info.m_nFolders));
        break;
    case CListColumns::kFiles:
        item.m_nSortNumber = static_cast<uint64_t>(static_cast<int64_t>(info.m_nFiles));
        break;
    default:
        break;
    }
}

int CListOrder::Compare(const CFileItem& a, const CFileItem& b) const
{
    if (const int group = CompareGroups(a, b))
        return group;
    const int order = CompareKeys(a, b);
    return m_bAscending ? order : -order;
}

int CListOrder::CompareGroups(const CFileItem& a, const CFileItem& b) const
{
    if (m_strMode == "N" || a.IsFolder() == b.IsFolder())
        return 0;
    const int folderFirst = a.IsFolder() ? -1 : 1;
    if (m_strMode == "T" || m_bAscending)
        return folderFirst;
    return -folderFirst;
}

int CListOrder::CompareKeys(const CFileItem& a, const CFileItem& b) const
{
    if (SortsByText()) {
        const int order = a.m_sortText.compare(b.m_sortText);
        return order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    return a.m_nSortNumber < b.m_nSortNumber ? -1 : (a.m_nSortNumber > b.m_nSortNumber ? 1 : 0);
}
