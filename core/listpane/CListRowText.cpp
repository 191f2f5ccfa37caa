// Column texts of the file list.
#include "listpane/CListRowText.h"

#include "listpane/CFileItem.h"
#include "listpane/CListColumns.h"
#include "services/CDisplayFormat.h"

std::string CListRowText::Cell(int column, const CFileItem& item, const CDisplayFormat& format)
{
    const CSizeInfo& info = item.m_info;
    const bool bEmptyTotal = item.IsFolder() ? !item.m_bTotals : column != CListColumns::kSize;
    if (CListColumns::ShowsTotals(column) && bEmptyTotal)
        return std::string();
    switch (column) {
    case CListColumns::kName:
        return item.m_strName;
    case CListColumns::kType:
        return CDisplayFormat::FormatTypeName(item.m_strName, item.m_nAttr);
    case CListColumns::kMark:
        return item.m_strMark;
    case CListColumns::kSize:
        return format.FormatSize(info.m_nSize, format.m_strSizeUnit);
    case CListColumns::kModified:
        return CDisplayFormat::FormatDate(info.m_tModified, true);
    case CListColumns::kLastRead:
        return CDisplayFormat::FormatDate(info.m_tAccessed, true);
    case CListColumns::kCreated:
        return CDisplayFormat::FormatDate(info.m_tCreated, true);
    case CListColumns::kAttributes:
        return CDisplayFormat::FormatAttributes(item.m_nAttr);
    case CListColumns::kFolders:
        return std::to_string(info.m_nFolders);
    case CListColumns::kFiles:
        return std::to_string(info.m_nFiles);
    default:
        return std::string();
    }
}
