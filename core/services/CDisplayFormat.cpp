// Size, date, attribute, type and name-case texts.
#include "services/CDisplayFormat.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "CPlatform.h"
#include "services/CTextFormat.h"
#include "text/Cp932.h"
#include "text/Utf.h"

namespace {

// Two-character suffixes of the automatic scale, so that "KB" and " B" end in the same column.
constexpr std::string_view kScaleSuffixes[] = {" B", "KB", "MB", "GB"};

// The placeholders are as wide as the date they stand for, so that columns and labels line up.
constexpr std::string_view kNoDateShort = ". . . . . . ";
constexpr std::string_view kNoDateTimeShort = ". . . . . . . . . . . ";
constexpr std::string_view kNoDate = ". . . . . . . . ";
constexpr std::string_view kNoTime = " . . . . .";

// The largest base whose cube, the gigabyte divisor, still fits the signed 32-bit divisor.
constexpr int32_t kLargestKiloBase = 1290;

// value truncated to steps of 1/scale, as a number of steps. A value within a few rounding
// errors below a step is taken as that step: 1,150 bytes / 1,000 arrives as 1.1499999999999999,
// and truncating that would show 1.14 for a size that is exactly 1.15 units.
double TruncateToSteps(double value, double scale)
{
    const double steps = value * scale;
    const double nearest = std::round(steps);
    const double tolerance = std::fabs(steps) * 8 * std::numeric_limits<double>::epsilon();
    const double truncated = std::fabs(steps - nearest) <= tolerance ? nearest : std::trunc(steps);
    return truncated + 0.0;  // no "-0"
}

// Fixed-point text through to_chars, which always writes "." whatever the C locale says.
std::string FixedText(double value, int decimals)
{
    char buffer[std::numeric_limits<double>::max_exponent10 + 32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

// A time that cannot be converted gets the placeholder too, rather than an empty text that
// would shift everything after it.
std::string FormatTimeOr(CTime time, const char* format, std::string_view none)
{
    if (!time.IsSet())
        return std::string(none);
    std::string text = time.Format(format);
    return text.empty() ? std::string(none) : text;
}

// Whether a name written in capitals only gets its case normalised: it has two or more bytes,
// none of which starts a double-byte character or is a lower-case letter.
bool IsCapitalsOnlySingleByteName(std::string_view cp932)
{
    if (cp932.size() < 2)
        return false;
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const auto byte = static_cast<uint8_t>(cp932[i]);
        const auto next = i + 1 < cp932.size() ? static_cast<uint8_t>(cp932[i + 1]) : uint8_t{0};
        if (Cp932::IsLegalDoubleByte(static_cast<uint16_t>(byte << 8 | next)) || Cp932::IsLowerByte(byte))
            return false;
    }
    return true;
}

}  // namespace

// Unit and base

int64_t CDisplayFormat::GetKiloBase() const
{
    // Only 1000 and 1024 are ever chosen; anything else can only come from a damaged store file
    // and must not divide by zero or overflow the divisor.
    if (m_nKByte < 1 || m_nKByte > kLargestKiloBase)
        return 1000;
    return m_nKByte;
}

int32_t CDisplayFormat::GetUnitDivisor(std::string_view unit) const
{
    const int64_t base = GetKiloBase();
    if (unit == m_strUnitB)
        return 1;
    if (unit == m_strUnitMB)
        return static_cast<int32_t>(base * base);
    if (unit == m_strUnitGB)
        return static_cast<int32_t>(base * base * base);
    return static_cast<int32_t>(base);
}

std::string CDisplayFormat::GetUnitSuffix(std::string_view unit) const
{
    return unit.empty() ? m_strUnitKB : std::string(unit);
}

// Sizes

uint64_t CDisplayFormat::DivideRoundingUp(uint64_t size, uint64_t divisor)
{
    return size / divisor + (size % divisor != 0 ? 1 : 0);
}

std::string CDisplayFormat::FormatSize(uint64_t size, std::string_view unit) const
{
    const uint64_t units = DivideRoundingUp(size, static_cast<uint64_t>(GetUnitDivisor(unit)));
    return CTextFormat::FormatGrouped(units) + GetUnitSuffix(unit);
}

std::string CDisplayFormat::FormatSizeWithFraction(uint64_t size, std::string_view unit) const
{
    const auto divisor = static_cast<uint64_t>(GetUnitDivisor(unit));
    const double units = static_cast<double>(size) / static_cast<double>(divisor);
    const std::string number = units >= 1 && units < 1000
        ? FormatSignificant(units)
        : CTextFormat::FormatGrouped(DivideRoundingUp(size, divisor));
    return number + GetUnitSuffix(unit);
}

std::string CDisplayFormat::FormatSizeAuto(int64_t size) const
{
    const auto base = static_cast<double>(GetKiloBase());
    double value = static_cast<double>(size);
    std::size_t scale = 0;
    // The threshold stays 1000 with either base, so 1000 to 1023 bytes read "0. 97KB" and so on.
    while (value >= 1000 && scale < std::size(kScaleSuffixes) - 1) {
        value /= base;
        ++scale;
    }
    return FormatSignificant(value) + std::string(kScaleSuffixes[scale]);
}

std::string CDisplayFormat::FormatSignificant(double value)
{
    std::string text;
    if (value >= 100 || value == 0)
        text = FixedText(TruncateToSteps(value, 1), 0);
    else if (value >= 10)
        text = FixedText(TruncateToSteps(value, 10) / 10, 1);
    else
        text = FixedText(TruncateToSteps(value, 100) / 100, 2);
    const std::size_t point = text.find('.');
    if (point != std::string::npos)
        text.insert(point + 1, 1, ' ');
    return text;
}

// Dates

std::string CDisplayFormat::FormatDateShort(CTime time)
{
    return FormatTimeOr(time, "%y%m%d", kNoDateShort);
}

std::string CDisplayFormat::FormatDateTimeShort(CTime time)
{
    return FormatTimeOr(time, "%y%m%d %H:%M", kNoDateTimeShort);
}

std::string CDisplayFormat::FormatDate(CTime time, bool withTime)
{
    // One conversion for date and time: a list formats three of them per row.
    if (!withTime)
        return FormatTimeOr(time, "%y/%m/%d", kNoDate);
    const std::string text = time.IsSet() ? time.Format("%y/%m/%d %H:%M") : std::string();
    return text.empty() ? std::string(kNoDate) + std::string(kNoTime) : text;
}

// Attributes, types and names

std::string CDisplayFormat::FormatAttributes(uint32_t attributes)
{
    std::string text;
    if (attributes & kAttrReadOnly)
        text += 'R';
    if (attributes & kAttrHidden)
        text += 'H';
    if (attributes & kAttrSystem)
        text += 'S';
    if (attributes & kAttrArchive)
        text += 'A';
    return text;
}

std::string CDisplayFormat::FormatTypeName(std::string_view name, uint32_t attributes)
{
    if (attributes & kAttrDirectory)
        return "ﾌｫﾙﾀﾞ";
    const std::string extension = GetExtension(name);
    return extension.empty() ? std::string("ﾌｧｲﾙ") : Utf::ToLowerAscii(extension);
}

std::string CDisplayFormat::GetExtension(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
}

bool CDisplayFormat::NormalizeNameCase(std::string& name)
{
    if (!IsCapitalsOnlySingleByteName(Cp932::FromUtf8(name)))
        return true;
    std::size_t firstEnd = 0;
    Utf::NextCodePoint(name, firstEnd);
    // Lower-casing ASCII alone is what the name rules ask for, and it cannot touch the bytes of
    // half-width katakana in UTF-8.
    name = name.substr(0, firstEnd) + Utf::ToLowerAscii(std::string_view(name).substr(firstEnd));
    return true;
}
