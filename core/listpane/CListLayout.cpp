// The file list's saved column layout.
#include "listpane/CListLayout.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "fw/CArchive.h"
#include "listpane/CListColumns.h"

CListLayout::CListLayout()
{
    for (int column = 0; column < kColumns; ++column)
        m_columns[static_cast<std::size_t>(column)] = {column, CListColumns::At(column).width};
}

void CListLayout::Write(CArchive& ar) const
{
    for (int column = 0; column < kColumns; ++column) {
        const Column& saved = m_columns[static_cast<std::size_t>(column)];
        ar << std::string(CListColumns::At(column).caption) << int32_t{column} << int32_t{saved.order}
           << int32_t{saved.width};
    }
}

bool CListLayout::Read(CArchive& ar)
{
    const std::streamoff start = ar.GetReadPosition();
    CListLayout read;
    bool bSubItemsInTurn = true;
    try {
        for (int column = 0; column < kColumns; ++column) {
            std::string caption;
            int32_t subItem = 0;
            int32_t order = 0;
            int32_t width = 0;
            ar >> caption >> subItem >> order >> width;
            bSubItemsInTurn = bSubItemsInTurn && subItem == column;
            read.m_columns[static_cast<std::size_t>(column)] = {order, width};
        }
    } catch (const CArchiveException&) {
        bSubItemsInTurn = false;
    }
    if (!bSubItemsInTurn || !read.IsValid()) {
        ar.SetReadPosition(start);
        return false;
    }
    *this = read;
    return true;
}

bool CListLayout::IsValid() const
{
    std::array<bool, kColumns> seen{};
    for (const Column& column : m_columns) {
        if (column.width < 0 || column.width > kMaxWidth || column.order < 0 || column.order >= kColumns ||
            seen[static_cast<std::size_t>(column.order)])
            return false;
        seen[static_cast<std::size_t>(column.order)] = true;
    }
    return true;
}
