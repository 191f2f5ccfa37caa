// The application object's message loop, idle processing, documents and profile.
#include "fw/CWinApp.h"

#include <commdlg.h>

#include <algorithm>

#include "CWin32Platform.h"
#include "fw/CMDIFrameWnd.h"
#include "fw/CMultiDocTemplate.h"
#include "res/resource.h"

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWinApp::CWinApp(std::wstring appName) : m_strAppName(std::move(appName)), m_pPrevious(g_pApp)
{
    g_pApp = this;
    CWin32Platform::Instance().SetMessageDispatcher([this](MSG& msg) { RouteMessage(msg); });
    OnCommand(ID_FILE_NEW, [this](UINT) { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this](UINT) { OnFileOpen(); });
    OnCommand(ID_APP_EXIT, [this](UINT) { OnAppExit(); });
}

CWinApp::~CWinApp()
{
    if (m_pMainWnd && m_pMainWnd->m_hWnd)
        m_pMainWnd->DestroyWindow();
    m_pDocTemplate.reset();
    CWin32Platform::Instance().SetMessageDispatcher(nullptr);
    g_pApp = m_pPrevious;
}

int CWinApp::ExitInstance()
{
    if (m_pRecentFileList)
        m_pRecentFileList->Save();
    return m_nExitCode;
}

int CWinApp::Run()
{
    long idleCount = 0;
    bool bIdle = true;
    MSG msg{};
    for (;;) {
        while (bIdle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                bIdle = false;
        }
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        RouteMessage(msg);
        if (IsIdleMessage(msg)) {
            bIdle = true;
            idleCount = 0;
        }
    }
    m_nExitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

bool CWinApp::OnIdle(long count)
{
    if (count == 0 && m_pMainWnd)
        m_pMainWnd->OnIdleUpdateCmdUI();
    return false;
}

bool CWinApp::IsIdleMessage(const MSG& msg)
{
    static POINT lastMouse{-1, -1};
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        const bool moved = msg.pt.x != lastMouse.x || msg.pt.y != lastMouse.y;
        lastMouse = msg.pt;
        return moved;
    }
    // Painting and the caret's blinking change nothing a command's state depends on.
    return msg.message != WM_PAINT && msg.message != 0x0118;
}

bool CWinApp::PreTranslateMessage(MSG& msg)
{
    for (HWND hDialog : m_modelessDialogs) {
        if (IsWindowVisible(hDialog) && IsDialogMessageW(hDialog, &msg))
            return true;
    }
    return m_pMainWnd && m_pMainWnd->PreTranslateMessage(msg);
}

void CWinApp::RouteMessage(MSG& msg)
{
    if (PreTranslateMessage(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void CWinApp::AddModelessDialog(HWND hDialog)
{
    m_modelessDialogs.push_back(hDialog);
}

void CWinApp::RemoveModelessDialog(HWND hDialog)
{
    m_modelessDialogs.erase(std::remove(m_modelessDialogs.begin(), m_modelessDialogs.end(), hDialog),
                            m_modelessDialogs.end());
}

void CWinApp::AddDocTemplate(std::unique_ptr<CMultiDocTemplate> pTemplate)
{
    m_pDocTemplate = std::move(pTemplate);
}

void CWinApp::CloseAllDocuments()
{
    if (m_pDocTemplate)
        m_pDocTemplate->CloseAllDocuments();
}

bool CWinApp::OpenDocument(const std::wstring& path)
{
    return m_pDocTemplate && m_pMainWnd && m_pDocTemplate->OpenDocumentFile(m_pMainWnd, path) != nullptr;
}

void CWinApp::LoadStdProfileSettings(UINT maxRecent)
{
    if (maxRecent == 0)
        return;
    m_pRecentFileList = std::make_unique<CRecentFileList>(m_strRegistryKey, m_strAppName);
    m_pRecentFileList->Load();
}

void CWinApp::UpdateRecentFileMenu(HMENU hMenu)
{
    if (m_pRecentFileList)
        m_pRecentFileList->UpdateMenu(hMenu);
}

void CWinApp::OnFileNew()
{
    OpenDocument(std::wstring());
}

void CWinApp::OnFileOpen()
{
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameW(&ofn))
        OpenDocument(path);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        SendMessageW(m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
}
