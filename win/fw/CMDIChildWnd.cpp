// Creating MDI child frames, laying out their pane and routing their commands.
#include "fw/CMDIChildWnd.h"

#include "fw/CMDIFrameWnd.h"
#include "fw/CView.h"
#include "fw/CViewDocument.h"
#include "res/resource.h"
#include "Win32Text.h"

namespace {
const wchar_t kChildClass[] = L"ZQMDIChild";
constexpr UINT_PTR kTitleTimer = 0x5A52;
}

// On failure the object is deleted, whether or not a window was made.
bool CMDIChildWnd::Create(CMDIFrameWnd* pMainFrame, const std::wstring& title, CCreateContext& context)
{
    HICON hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ETYPE));
    if (!RegisterClassOnce(kChildClass, CS_DBLCLKS, hIcon, nullptr)) {
        delete this;
        return false;
    }
    m_pMainFrame = pMainFrame;
    m_pDocument = context.m_pCurrentDoc;
    m_pContext = &context;
    MDICREATESTRUCTW mcs{};
    mcs.szClass = kChildClass;
    mcs.szTitle = title.c_str();
    mcs.hOwner = GetModuleHandleW(nullptr);
    mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
    mcs.style = WS_CHILD | WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    PrepareCreate();
    HWND hWnd = reinterpret_cast<HWND>(
        SendMessageW(pMainFrame->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    if (EndCreate()) {
        delete this;  // no window was made, so nothing else will delete the object
        return false;
    }
    // A window destroyed during its creation has deleted its object on the way out.
    if (!hWnd)
        return false;
    m_pContext = nullptr;
    return true;
}

void CMDIChildWnd::MDIDestroy()
{
    CMDIFrameWnd* pMainFrame = m_pMainFrame;
    SendMessageW(pMainFrame->m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
    // this object is gone now
    pMainFrame->OnUpdateFrameMenu();
    pMainFrame->OnUpdateFrameTitle();
}

bool CMDIChildWnd::OnCmdMsg(UINT id, CCmdUI* pUI)
{
    if (m_pActiveView && m_pActiveView->OnCmdMsg(id, pUI))
        return true;
    return CWnd::OnCmdMsg(id, pUI);
}

bool CMDIChildWnd::OnCreateClient(CCreateContext&)
{
    return true;
}

void CMDIChildWnd::InitialUpdateFrame(CViewDocument* pDocument)
{
    for (CView* pView : std::vector<CView*>(pDocument->GetViews())) {
        if (pView->GetParentFrame() == this)
            pView->OnInitialUpdate();
    }
    ActivateFrame();
}

void CMDIChildWnd::ActivateFrame()
{
    ShowWindow(m_hWnd, SW_SHOW);
    SendMessageW(m_pMainFrame->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
    OnUpdateFrameTitle();
}

void CMDIChildWnd::OnUpdateFrameTitle()
{
    if (m_bTitlePending) {
        KillTimer(m_hWnd, kTitleTimer);
        m_bTitlePending = false;
    }
    m_dwTitleShown = GetTickCount();
    if (m_pDocument)
        SetWindowText(ToWide(m_pDocument->GetTitle()));
    // Wine's MDI client writes a window's entry of the Window menu only when the entry is made;
    // asking it to refresh the menu brings the entry up to the caption, as Windows keeps it.
    if (m_pMainFrame && m_pMainFrame->m_hWndMDIClient)
        SendMessageW(m_pMainFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    if (m_pMainFrame && m_pMainFrame->MDIGetActive() == this)
        m_pMainFrame->OnUpdateFrameTitle();
}

void CMDIChildWnd::UpdateFrameTitleSoon()
{
    if (m_bTitlePending)
        return;
    if (GetTickCount() - m_dwTitleShown >= kTitleInterval) {
        OnUpdateFrameTitle();
        return;
    }
    m_bTitlePending = SetTimer(m_hWnd, kTitleTimer, kTitleInterval, nullptr) != 0;
    if (!m_bTitlePending)
        OnUpdateFrameTitle();
}

LRESULT CMDIChildWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam != kTitleTimer)
            break;
        OnUpdateFrameTitle();
        return 0;
    case WM_CREATE:
        if (DefWindowProc(message, wParam, lParam) == -1 || !m_pContext || !OnCreateClient(*m_pContext))
            return -1;
        return 0;
    case WM_SIZE:
        ResizePane();
        break;
    case WM_SETFOCUS: {
        const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        if (m_pActiveView)
            SetFocus(m_pActiveView->m_hWnd);
        return result;
    }
    case WM_CLOSE:
        if (m_pDocument)
            m_pDocument->OnCloseDocument();
        else
            MDIDestroy();
        return 0;
    case WM_MDIACTIVATE:
        OnMDIActivate(reinterpret_cast<HWND>(lParam) == m_hWnd);
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefMDIChildProcW(m_hWnd, message, wParam, lParam);
}

void CMDIChildWnd::ResizePane()
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    if (HWND hPane = GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
        MoveWindow(hPane, 0, 0, rc.right, rc.bottom, TRUE);
}

void CMDIChildWnd::OnMDIActivate(bool bActivating)
{
    if (!bActivating || !m_pMainFrame)
        return;
    m_pMainFrame->OnUpdateFrameMenu();
    m_pMainFrame->OnUpdateFrameTitle();
}
