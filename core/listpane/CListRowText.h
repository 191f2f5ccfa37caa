// CListRowText: the text of each column of a file list row.
#pragma once

#include <string>

class CDisplayFormat;
class CFileItem;

// A file row shows its name, type, mark, size, three dates and attributes, and nothing in the
// count columns. A folder row shows the same except that its size and counts stay empty until
// its totals are known (the record's m_bTotals); its dates are its own until then and the newest beneath it
// afterwards, which its record's m_info holds in either case. Sizes follow the display format's
// current unit and kilobyte base.
class CListRowText {
public:
    static std::string Cell(int column, const CFileItem& item, const CDisplayFormat& format);
};
