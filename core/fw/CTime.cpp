// Local-time formatting of CTime.
#include "fw/CTime.h"

#include "CPlatform.h"

std::string CTime::Format(const char* format) const
{
    std::tm local{};
    if (!GetPlatform().LocalTime(m_time, local))
        return std::string();
    char buffer[128];
    const std::size_t length = std::strftime(buffer, sizeof buffer, format, &local);
    return std::string(buffer, length);
}
