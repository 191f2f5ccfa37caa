// The search criteria: sizes in bytes, dates and times read and normalised.
#include "dialogs/CSearchCriteria.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "CPlatform.h"
#include "services/CDisplayFormat.h"

namespace {

// 2^64 as a double: the first size in bytes that no longer fits.
constexpr double kBeyond64Bits = 18446744073709551616.0;

// A date and time row: its two texts and the message line its failure adds.
bool ReadRow(std::string& date, std::string& time, CTime& out, const char* error, std::string& message)
{
    if (CSearchCriteria::ParseDateTime(date, time, out))
        return true;
    message += error;
    return false;
}

std::string Printed(const char* format, int a, int b, int c, std::size_t limit)
{
    char text[64];
    std::snprintf(text, sizeof text, format, a, b, c);
    return std::string(text).substr(0, limit);
}

}  // namespace

bool CSearchCriteria::BuildCriteria(CSizeInfo& criteria, const CDisplayFormat& format)
{
    bool ok = true;
    m_strMessage.clear();
    if (const std::optional<uint64_t> size = SizeInBytes(format)) {
        criteria.m_nSize = *size;
    } else {
        m_strMessage += kSizeError;
        ok = false;
    }
    criteria.m_nFolders = static_cast<int32_t>(m_nFolderCount);
    criteria.m_nFiles = static_cast<int32_t>(m_nFileCount);
    ok = ReadRow(m_strModifiedDate, m_strModifiedTime, criteria.m_tModified, kModifiedError, m_strMessage) && ok;
    ok = ReadRow(m_strReadDate, m_strReadTime, criteria.m_tAccessed, kReadError, m_strMessage) && ok;
    ok = ReadRow(m_strCreatedDate, m_strCreatedTime, criteria.m_tCreated, kCreatedError, m_strMessage) && ok;
    if (ok)
        m_strMessage = kPrompt;
    return ok;
}

std::optional<uint64_t> CSearchCriteria::SizeInBytes(const CDisplayFormat& format) const
{
    const std::string* const units[] = {&format.m_strUnitB, &format.m_strUnitKB, &format.m_strUnitMB,
                                        &format.m_strUnitGB};
    const std::string& unit = m_nSizeUnit >= 1 && m_nSizeUnit <= 3 ? *units[m_nSizeUnit] : format.m_strUnitB;
    const auto factor = static_cast<uint32_t>(format.GetUnitDivisor(unit));
    const double bytes = static_cast<double>(factor) * m_dSize;
    // Truncation toward zero keeps anything above -1 at 0 or more; NaN fails both tests.
    if (!(bytes > -1.0 && bytes < kBeyond64Bits))
        return std::nullopt;
    return static_cast<uint64_t>(bytes);
}

bool CSearchCriteria::ParseDateTime(std::string& date, std::string& time, CTime& out)
{
    out = CTime();
    auto [year, month, day] = SplitNumbers(date, '/');
    if (year != 0) {
        month = month == 0 ? 1 : month;
        day = day == 0 ? 1 : day;
    }
    const auto clock = SplitNumbers(time, ':');
    if (year == 0 && month == 0 && day == 0 && clock[0] == 0 && clock[1] == 0) {
        date = "0/0/0";
        time = "0:0";
        return true;
    }
    if (year <= 99)
        year += year > 69 ? 1900 : 2000;
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = clock[0];
    local.tm_min = clock[1];
    local.tm_isdst = 0;
    const int64_t seconds = GetPlatform().MakeLocalTime(local);
    date = Printed("%d/%d/%d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, 10);
    time = Printed("%d:%d", local.tm_hour, local.tm_min, 0, 5);
    // The C library of Windows refuses times before 1970 with -1; others return them as negative
    // numbers, which the program's times cannot hold either.
    if (seconds < 0 || seconds > INT32_MAX)
        return false;
    out = CTime(static_cast<int32_t>(seconds));
    return true;
}

std::array<int, 3> CSearchCriteria::SplitNumbers(const std::string& text, char separator)
{
    std::array<int, 3> numbers{};
    std::size_t from = 0;
    for (int& number : numbers) {
        const std::size_t end = text.find(separator, from);
        number = std::atoi(text.substr(from, end == std::string::npos ? std::string::npos : end - from).c_str());
        if (end == std::string::npos)
            break;
        from = end + 1;
    }
    return numbers;
}
