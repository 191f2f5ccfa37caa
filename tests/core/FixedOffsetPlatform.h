// FixedOffsetPlatform: a test platform whose local time is UTC shifted by a fixed offset.
#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>

#include "CPlatformDecorator.h"

// Date texts depend on the local time zone, which differs between the machine, the native build
// and Wine. Installing this platform for the length of a test makes local time UTC plus a fixed
// number of hours (no daylight saving), both ways, so expected dates can be written out exactly in every
// build. Everything else is forwarded to the system's platform. With m_bFailing set, LocalTime
// reports that the time cannot be converted, as Windows does for some values.
class FixedOffsetPlatform : public CPlatformDecorator {
public:
    explicit FixedOffsetPlatform(int offsetHours) : m_offsetSeconds(int64_t{offsetHours} * 3600) {}

    bool LocalTime(int64_t time, std::tm& local) override
    {
        using namespace std::chrono;
        if (m_bFailing)
            return false;
        const sys_seconds point{seconds{time + m_offsetSeconds}};
        const sys_days day = floor<days>(point);
        const year_month_day date{day};
        const hh_mm_ss clock{point - day};
        local = std::tm{};
        local.tm_year = static_cast<int>(date.year()) - 1900;
        local.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
        local.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
        local.tm_hour = static_cast<int>(clock.hours().count());
        local.tm_min = static_cast<int>(clock.minutes().count());
        local.tm_sec = static_cast<int>(clock.seconds().count());
        local.tm_wday = static_cast<int>(weekday{day}.c_encoding());
        local.tm_yday = static_cast<int>((day - sys_days{date.year() / January / 1}).count());
        return true;
    }

    // mktime's normalisation over this zone: months first, then days and the clock as offsets.
    int64_t MakeLocalTime(std::tm& local) override
    {
        using namespace std::chrono;
        const int64_t months = int64_t{local.tm_year} * 12 + local.tm_mon;
        const int64_t yearsOver = months >= 0 ? months / 12 : (months - 11) / 12;
        const year_month_day first{year{static_cast<int>(yearsOver + 1900)} /
                                   month{static_cast<unsigned>(months - yearsOver * 12 + 1)} / day{1}};
        const int64_t days = sys_days{first}.time_since_epoch().count() + local.tm_mday - 1;
        const int64_t time = days * 86400 + int64_t{local.tm_hour} * 3600 + int64_t{local.tm_min} * 60 +
                             local.tm_sec - m_offsetSeconds;
        const bool bFailing = m_bFailing;
        m_bFailing = false;
        LocalTime(time, local);
        m_bFailing = bFailing;
        return bFailing ? -1 : time;
    }

    bool m_bFailing = false;  // every conversion fails

private:
    int64_t m_offsetSeconds;
};
