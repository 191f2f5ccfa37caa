// CTime: a point in time as the program keeps and stores it.
#pragma once

#include <compare>
#include <cstdint>
#include <string>

// Seconds since 1970-01-01 00:00:00 UTC in 32 bits, the width the store files give it. The value
// 0 means "no date". Times outside the 32-bit range are clamped when they come in from the file
// system: anything at or before 1970 becomes "no date", anything after 2038-01-19 the last
// second that fits, so a file from the far future still sorts as the newest.
class CTime {
public:
    constexpr CTime() = default;
    constexpr explicit CTime(int32_t seconds) : m_time(seconds) {}

    static constexpr CTime FromUnixSeconds(int64_t seconds)
    {
        if (seconds <= 0)
            return CTime();
        if (seconds > INT32_MAX)
            return CTime(INT32_MAX);
        return CTime(static_cast<int32_t>(seconds));
    }

    constexpr int32_t GetTime() const { return m_time; }
    constexpr bool IsSet() const { return m_time != 0; }
    constexpr auto operator<=>(const CTime&) const = default;

    // strftime of the local time; empty when the time cannot be converted.
    std::string Format(const char* format) const;

private:
    int32_t m_time = 0;
};
