// The application object's shared services: the message pump and system error texts.
#include "app/CAppCore.h"

#include <cstdio>
#include <stdexcept>

#include "CPlatform.h"
#include "app/COnePointTips.h"

namespace {
CAppCore* g_app = nullptr;
}

CAppCore::CAppCore() : m_previous(g_app)
{
    g_app = this;
}

CAppCore::~CAppCore()
{
    g_app = m_previous;
}

CAppCore& AfxGetAppCore()
{
    if (!g_app)
        throw std::logic_error("no application object");
    return *g_app;
}

bool CAppCore::PumpMessages()
{
    CPlatform& platform = GetPlatform();
    if (!platform.PumpWaitingMessages())
        platform.QuitProcess(0);
    return true;
}

std::string CAppCore::FormatSystemError(uint32_t code)
{
    std::string text = GetPlatform().FormatSystemMessage(code);
    static const std::string kFullStop = "。";
    const std::size_t stop = text.find(kFullStop);
    if (stop != std::string::npos)
        text.erase(stop + kFullStop.size());
    return text;
}

std::string CAppCore::FormatHex(uint32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(code));
    return text;
}

bool CAppCore::EnsureStoreFolder()
{
    CPlatform& platform = GetPlatform();
    CFindEntry status;
    if (platform.GetFileStatus(m_settings.m_strPositionDir, status))
        return status.IsDirectory();
    return platform.CreateFolder(m_settings.m_strPositionDir) == kErrorSuccess;
}

int CAppCore::ShowOnePointTip()
{
    return COnePointTips::Show(*this);
}
