// The application object's shared services: the message pump and system error texts.
#include "app/CAppCore.h"

#include <stdexcept>

#include "CPlatform.h"
#include "app/CAppSettings.h"
#include "app/COnePointTips.h"
#include "folderdata/CDirSzLst.h"
#include "fw/CSystemErrorText.h"

namespace {
CAppCore* g_app = nullptr;
}

CAppCore::CAppCore()
    : m_pFolderInfo(std::make_unique<CDirSzLst>()),
      m_pSettings(std::make_unique<CAppSettings>()),
      m_folderInfo(*m_pFolderInfo),
      m_settings(*m_pSettings),
      m_previous(g_app)
{
    m_settings.Attach(m_folderInfo, *this);
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

void CAppCore::BeginWalkProgress()
{
    m_walkStatus.Begin(CWalkStatus::Clock::now());
}

void CAppCore::ShowWalkProgress(const CWalkProgress& progress)
{
    if (m_walkStatus.TakeTurn(CWalkStatus::Clock::now()))
        ShowWalkStatus(CWalkStatus::Text(progress));
}

void CAppCore::EndWalkProgress()
{
    if (m_walkStatus.End())
        ShowWalkStatus(std::string());
}

std::string CAppCore::FormatSystemError(uint32_t code)
{
    return CSystemErrorText::Describe(code);
}

std::string CAppCore::FormatHex(uint32_t code)
{
    return CSystemErrorText::FormatHex(code);
}

bool CAppCore::EnsureStoreFolder()
{
    return m_settings.EnsureStoreFolder();
}

int CAppCore::ShowOnePointTip()
{
    return COnePointTips::Show(m_settings);
}
