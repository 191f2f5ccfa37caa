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
