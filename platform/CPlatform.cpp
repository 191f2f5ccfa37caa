// The process-wide platform selection.
#include "CPlatform.h"

#include <ctime>

namespace {
CPlatform* g_installed = nullptr;
}

CPlatform& GetPlatform()
{
    return g_installed ? *g_installed : GetSystemPlatform();
}

CPlatform* SetPlatform(CPlatform* platform)
{
    CPlatform* previous = g_installed;
    g_installed = platform;
    return previous;
}

std::string CPlatform::WindowsPathOf(const std::filesystem::path& nativePath)
{
    // On Windows the native path already is one; only the separators need to agree.
    const std::u8string text = nativePath.u8string();
    std::string path(text.begin(), text.end());
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

int64_t CPlatform::MakeLocalTime(std::tm& local)
{
    const std::time_t seconds = std::mktime(&local);
    return seconds == static_cast<std::time_t>(-1) ? -1 : static_cast<int64_t>(seconds);
}
