// CListOrder: the order of the file list's rows by one column, one direction and a grouping mode.
#pragma once

#include <string>

class CFileItem;

// The list sorts with the control's own sort and a comparison callback. Before the sort, the view
// gives every row's record to PrepareKey, which makes the record's sort key for the column (the
// code page 932 order of a text, the minute of a time, a size or a count); Compare then only
// compares keys, so that a sort of 100,000 rows converts each name and time once. The grouping
// mode is ListFileSortMode's letter: "T" folders first in both directions, "B" folders first
// when ascending and last when descending, "N" no grouping. Rows equal in the column compare 0.
class CListOrder {
public:
    // construction
    CListOrder(int column, bool ascending, std::string mode);

    // operations
    static bool IsColumn(int column) { return column >= 0 && column < 10; }
    void PrepareKey(CFileItem& item) const;
    // Negative when a goes first, positive when b does, 0 when they are equal.
    int Compare(const CFileItem& a, const CFileItem& b) const;

private:
    // The grouping's decision for a folder and a file; 0 when the mode lets the column decide.
    int CompareGroups(const CFileItem& a, const CFileItem& b) const;
    int CompareKeys(const CFileItem& a, const CFileItem& b) const;
    bool SortsByText() const;

    int m_nColumn;
    bool m_bAscending;
    std::string m_strMode;
};
