// The comparisons shared by the tree's and the list's sorts.
#include "services/CSortCompare.h"

#include <ctime>

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
    if (!a.IsSet() || !b.IsSet())
        return Directed(ascending, int{a.IsSet()} - int{b.IsSet()});
    int64_t minuteA = 0;
    int64_t minuteB = 0;
    if (!LocalMinute(a, minuteA) || !LocalMinute(b, minuteB)) {
        // Without local time the minutes of universal time still keep times of one minute together.
        minuteA = a.GetTime() / 60;
        minuteB = b.GetTime() / 60;
    }
    return Directed(ascending, minuteA < minuteB ? -1 : (minuteA > minuteB ? 1 : 0));
}

bool CSortCompare::LocalMinute(CTime time, int64_t& minute)
{
    // The local calendar fields rather than seconds: the clock time is what the user sees, and
    // the hour repeated when daylight saving ends compares as one hour, as it reads.
    std::tm local{};
    if (!GetPlatform().LocalTime(time.GetTime(), local))
        return false;
    const int64_t day = (int64_t{local.tm_year} * 12 + local.tm_mon) * 31 + local.tm_mday;
    minute = (day * 24 + local.tm_hour) * 60 + local.tm_min;
    return true;
}

std::string CSortCompare::LowerName(std::string_view name)
{
    // In UTF-8 no byte of a multi-byte character lies in A to Z, so this leaves them whole.
    return Utf::ToLowerAscii(name);
}
