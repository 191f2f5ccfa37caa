// The comparisons shared by the tree's and the list's sorts.
#include "services/CSortCompare.h"

#include "CPlatform.h"
#include "text/Cp932.h"
#include "text/Utf.h"

int CSortCompare::Directed(bool ascending, int order)
{
    const int sign = order < 0 ? -1 : (order > 0 ? 1 : 0);
    return ascending ? sign : -sign;
}

int CSortCompare::CompareNames(bool ascending, std::string_view a, std::string_view b)
{
    return Directed(ascending, Cp932::CompareUtf8(a, b));
}

int CSortCompare::CompareSizes(bool ascending, uint64_t a, uint64_t b)
{
    return Directed(ascending, a < b ? -1 : (a > b ? 1 : 0));
}

int CSortCompare::CompareTimes(bool ascending, CTime a, CTime b)
{
    return CompareSizes(ascending, MinuteKey(a), MinuteKey(b));
}

uint64_t CSortCompare::MinuteKey(CTime time)
{
    if (!time.IsSet())
        return 0;
    // The calendar fields rather than seconds: the clock time is what the user sees, and the hour
    // repeated when daylight saving ends compares as one hour, as it reads.
    std::tm fields{};
    if (!GetPlatform().LocalTime(time.GetTime(), fields))
        fields = UniversalTime(time.GetTime());
    // Years from 1900 on give positive days; earlier ones are clamped to the first real minute.
    const int64_t day = (int64_t{fields.tm_year} * 12 + fields.tm_mon) * 31 + fields.tm_mday;
    const int64_t minute = (day * 24 + fields.tm_hour) * 60 + fields.tm_min;
    return minute > 0 ? static_cast<uint64_t>(minute) : 1;
}

std::tm CSortCompare::UniversalTime(int64_t time)
{
    // Days to a civil date (the proleptic Gregorian calendar), independent of the C library.
    int64_t days = time / 86400;
    int64_t seconds = time % 86400;
    if (seconds < 0) {
        seconds += 86400;
        --days;
    }
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    std::tm fields{};
    fields.tm_year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0) - 1900);
    fields.tm_mon = static_cast<int>(month - 1);
    fields.tm_mday = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    fields.tm_hour = static_cast<int>(seconds / 3600);
    fields.tm_min = static_cast<int>(seconds / 60 % 60);
    return fields;
}

std::string CSortCompare::LowerName(std::string_view name)
{
    // In UTF-8 no byte of a multi-byte character lies in A to Z, so this leaves them whole.
    return Utf::ToLowerAscii(name);
}
