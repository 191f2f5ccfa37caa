// CListLayout: the widths and the order of the file list's columns, as "Child Wind " keeps them.
#pragma once

#include <array>

class CArchive;

// Each child window's record in "Child Wind " ends with the list's piece: one record per column,
// 0 to 9 in turn, of caption, sub-item index, display order (where the user dragged the column)
// and width. On reading, only the widths and the display order are taken. A file written before
// the list had a piece holds the next window's record (or nothing) at that place: Read then
// finds no valid layout (sub-items 0 to 9 in turn, display orders a permutation, plausible
// widths), goes back to where it started and keeps the defaults, so the next reader finds its
// record untouched.
class CListLayout {
public:
    struct Column {
        int order = 0;
        int width = 0;
    };
    static constexpr int kColumns = 10;
    // Widths beyond this are not a layout a user made.
    static constexpr int kMaxWidth = 10000;

    // construction: the default layout, columns in their own order at their default widths
    CListLayout();

    // store
    void Write(CArchive& ar) const;
    // True when a valid layout was read; otherwise the layout and the read position are unchanged.
    bool Read(CArchive& ar);

    std::array<Column, kColumns> m_columns;

private:
    bool IsValid() const;
};
