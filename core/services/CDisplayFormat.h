// CDisplayFormat: the display settings and the size, date, attribute and type texts built on them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "fw/CTime.h"

// Every size, date, attribute and type text the panes, the title and the dialogs show comes from
// here, so that all of them follow the same two settings: the size unit and the kilobyte base.
// The settings object owns the instance the program uses, and callers write
// format.FormatSize(size, format.m_strSizeUnit) with format = settings.m_format. Texts are UTF-8; where the program's rules
// are defined over code page 932 bytes (name case), the CP932 form of the text is examined.
// Nothing here fails: unknown units and unusable bases fall back to kilobytes of 1,000 bytes.
class CDisplayFormat {
public:
    // Unit and base
    // Bytes per unit of a unit suffix; an unknown or empty suffix counts as kilobytes.
    int32_t GetUnitDivisor(std::string_view unit) const;
    // The suffix to append: the unit itself, " KB" for an empty unit.
    std::string GetUnitSuffix(std::string_view unit) const;

    // Sizes
    // Whole units, a partial unit counting as a whole one, grouped by thousands, then the suffix.
    std::string FormatSize(uint64_t size, std::string_view unit) const;
    // Like FormatSize, but between one and a thousand units with three significant digits.
    std::string FormatSizeWithFraction(uint64_t size, std::string_view unit) const;
    // Scaled to B, KB, MB or GB by itself, three significant digits.
    std::string FormatSizeAuto(int64_t size) const;
    // Three significant digits, truncated, with a blank after the decimal point ("1. 50").
    static std::string FormatSignificant(double value);

    // Dates; a time of 0 gives a dotted placeholder as wide as the date would be.
    static std::string FormatDateShort(CTime time);      // "yymmdd"
    static std::string FormatDateTimeShort(CTime time);  // "yymmdd hh:mm"
    static std::string FormatDate(CTime time, bool withTime);  // "yy/mm/dd[ hh:mm]"

    // Attributes, types and names
    // The letters R, H, S and A of the attribute bits that are set.
    static std::string FormatAttributes(uint32_t attributes);
    // "ﾌｫﾙﾀﾞ" for a folder, the lower-cased extension, or "ﾌｧｲﾙ" when there is none.
    static std::string FormatTypeName(std::string_view name, uint32_t attributes);
    // The text after the last "."; empty without one.
    static std::string GetExtension(std::string_view name);
    // An all-capitals single-byte name such as "README.1ST" becomes "Readme.1st"; any other
    // name is left as it is. Always true.
    static bool NormalizeNameCase(std::string& name);

    // Settings
    std::string m_strSizeUnit = " KB";  // current unit, one of the first four suffixes or empty
    int32_t m_nKByte = 1000;            // bytes per kilobyte: 1000 or 1024

    // Unit suffixes, fixed: each three characters so that sizes line up. Terabytes have no
    // command and are not recognised as a unit; they are kept for the store's sake.
    std::string m_strUnitB = "  B";
    std::string m_strUnitKB = " KB";
    std::string m_strUnitMB = " MB";
    std::string m_strUnitGB = " GB";
    std::string m_strUnitTB = " TB";

private:
    int64_t GetKiloBase() const;
    static uint64_t DivideRoundingUp(uint64_t size, uint64_t divisor);
};
