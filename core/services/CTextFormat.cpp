// Number grouping, dot padding, full timestamps and field splitting.
#include "services/CTextFormat.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "text/Cp932.h"

namespace {

// The longest run of dots a label is padded with, whatever its width and factor ask for.
constexpr std::string_view kDots = "........................................";

// Dots for a shortfall of pad bytes. A factor that is not a number or makes the count negative
// gives none rather than an undefined conversion.
std::size_t DotCount(int64_t pad, float factor)
{
    const float wanted = static_cast<float>(pad) * factor;
    if (!(wanted >= 1))
        return 0;
    if (wanted >= static_cast<float>(kDots.size()))
        return kDots.size();
    return static_cast<std::size_t>(wanted);
}

}  // namespace

std::string CTextFormat::FormatGrouped(uint64_t number)
{
    char digits[std::numeric_limits<uint64_t>::digits10 + 1];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    const auto length = static_cast<std::size_t>(end - digits);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        if (i > 0 && (length - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

std::string CTextFormat::PadWithDots(std::string_view text, int width, float factor)
{
    const int64_t pad = int64_t{width} - static_cast<int64_t>(Cp932::ByteLength(text));
    if (pad <= 0)
        return std::string(text);
    return std::string(kDots.substr(0, DotCount(pad, factor))) + std::string(text);
}

std::string CTextFormat::FormatTimestamp(CTime time)
{
    return time.Format("%Y/%m/%d %H:%M:%S");
}

std::string CTextFormat::NextToken(std::string_view text, std::string_view separator, int& pos)
{
    // The next field starts behind the whole separator, which in UTF-8 may be several bytes. A
    // position before the text counts as its start and one past its end yields an empty last
    // field, so a caller's bad position can neither read outside the text nor loop for ever.
    const std::size_t start = pos < 0 ? 0 : static_cast<std::size_t>(pos) + std::max<std::size_t>(separator.size(), 1);
    if (start > text.size()) {
        pos = -1;
        return std::string();
    }
    const std::size_t end = separator.empty() ? std::string_view::npos : text.find(separator, start);
    if (end == std::string_view::npos) {
        pos = -1;
        return std::string(text.substr(start));
    }
    pos = static_cast<int>(end);
    return std::string(text.substr(start, end - start));
}
