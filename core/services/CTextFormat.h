// CTextFormat: number grouping, dot padding, full timestamps and field splitting.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "fw/CTime.h"

// Small text helpers that do not depend on any setting, kept together so that counts, labels and
// the search dialog's fields are written and read the same way everywhere. The application
// object derives from this class, so callers write app.FormatGrouped(count); the members are
// static and can equally be called as CTextFormat::FormatGrouped(count).
class CTextFormat {
public:
    // Numbers and labels
    // The decimal digits with "," between groups of three: 1234567 gives "1,234,567".
    static std::string FormatGrouped(uint64_t number);
    // The text behind a run of dots that fills (width - length) * factor, at most 40 dots; the
    // length is counted in code page 932 bytes, the unit the label widths are given in.
    static std::string PadWithDots(std::string_view text, int width, float factor);

    // Times
    // "yyyy/mm/dd hh:mm:ss" in local time; there is no placeholder for time 0.
    static std::string FormatTimestamp(CTime time);

    // Fields
    // The field after pos up to the next separator. pos becomes the separator's index, or -1
    // after the last field: start with pos = -1 and stop after the call that returns pos = -1.
    static std::string NextToken(std::string_view text, std::string_view separator, int& pos);
};
