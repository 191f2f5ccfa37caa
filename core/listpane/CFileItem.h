// CFileItem: the record behind one row of the file list.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "folderdata/CSizeInfo.h"

// The document keeps one per row (CEDoc::m_fileItems) and the row carries its record's address
// as item data, so that a row finds its record whatever order sorting has put the rows in. For a
// file, m_info holds its size and its own three times (counts 0); for a folder, its own times
// until it has been aggregated, then the folder's totals.
class CFileItem {
public:
    CFileItem(std::string path, std::string name, uint8_t attr, const CSizeInfo& info)
        : m_strPath(std::move(path)), m_strName(std::move(name)), m_nAttr(attr), m_info(info)
    {
    }

    bool IsFolder() const { return (m_nAttr & kFolderAttribute) != 0; }

    static constexpr uint8_t kFolderAttribute = 0x10;

    std::string m_strPath;  // full path; a drive row's drive root
    std::string m_strName;  // the name column 0 shows
    std::string m_strMark;  // the compare mark of column 2, empty until a compare pass
    uint8_t m_nAttr = 0;    // read-only 0x01, hidden 0x02, system 0x04, folder 0x10, archive 0x20
    CSizeInfo m_info;
    // m_info holds the folder's aggregated totals
    bool m_bTotals = false;
    // the sort key of the row for the column being sorted by, made by CListOrder before a sort
    std::string m_sortText;
    uint64_t m_nSortNumber = 0;
};
