// CSortCompare: the comparisons of names, sizes and times that the tree's and the list's sorts share.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "fw/CTime.h"

// Both panes order folders and files with these three rules, so that a column sorts the same way
// in the tree as in the list. Each takes the direction (true ascending) and two values and
// returns -1 when a goes first, 1 when b goes first and 0 when they are equal; the direction only
// swaps the sign. Names follow the byte order of their code page 932 form (_mbscmp), times are
// compared to the minute in local time, and a time of 0 (no date) goes before every real date
// when ascending. Callers that compare names regardless of case pass them through LowerName.
class CSortCompare {
public:
    static int CompareNames(bool ascending, std::string_view a, std::string_view b);
    static int CompareSizes(bool ascending, uint64_t a, uint64_t b);
    static int CompareTimes(bool ascending, CTime a, CTime b);
    // The single-byte letters A to Z lowered; double-byte characters and half-width katakana kept.
    static std::string LowerName(std::string_view name);
    // The minute of a time as one number in the order CompareTimes sorts: 0 for no date, then the
    // minutes of local time (of universal time where the platform cannot give local time). A
    // sort of many rows makes it once per row instead of twice per comparison.
    static uint64_t MinuteKey(CTime time);

private:
    static int Directed(bool ascending, int order);
    // The calendar fields of a time in universal time, for when local time cannot be had.
    static std::tm UniversalTime(int64_t time);
};
