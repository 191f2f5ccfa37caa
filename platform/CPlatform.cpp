// The process-wide platform selection.
#include "CPlatform.h"

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
