// The MDI frame: creation, layout, menus, prompts and the command route.
#include "fw/CMDIFrameWnd.h"

#include <commctrl.h>

#include "fw/CMDIChildWnd.h"
#include "fw/CMultiDocTemplate.h"
#include "fw/CViewDocument.h"
#include "fw/CWinApp.h"
#include "fw/ResourceText.h"
#include "res/resource.h"
#include "Win32Text.h"

namespace {

const wchar_t kFrameClass[] = L"ZQMDIFrame";

// The string of a system-menu command: SC_SIZE 0xF000 has 0xEF00, and so on in steps of 16.
UINT SystemCommandString(UINT id)
{
    return AFX_IDS_SCSIZE + ((id - 0xF000) >> 4);
}

}  // namespace

CMDIFrameWnd::CMDIFrameWnd()
{
    OnCommand(ID_WINDOW_TILE_HORZ, [this](UINT) { OnWindowTile(); });
    OnCommand(ID_WINDOW_CASCADE, [this](UINT) { OnWindowCascade(); });
}

bool CMDIFrameWnd::LoadFrame(UINT idResource, DWORD style)
{
    HINSTANCE hInstance = GetModuleHandleW(nullptr);
    HICON hIcon = LoadIconW(hInstance, MAKEINTRESOURCEW(idResource));
    if (!RegisterClassOnce(kFrameClass, CS_DBLCLKS, hIcon, reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1)))
        return false;
    m_strTitle = LoadResourceString(AFX_IDS_APP_TITLE, L"フォルダ ZQ");
    m_strIdleMessage = LoadResourceString(AFX_IDS_IDLEMESSAGE, L"ﾚﾃﾞｨ");
    m_hMenuDefault = LoadMenuW(hInstance, MAKEINTRESOURCEW(idResource));
    m_hAccelTable = LoadAcceleratorsW(hInstance, MAKEINTRESOURCEW(idResource));
    const RECT rc{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    return CreateEx(0, kFrameClass, m_strTitle, style | WS_CLIPCHILDREN, rc, nullptr, m_hMenuDefault);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(bool* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hActive = m_hWndMDIClient ? reinterpret_cast<HWND>(SendMessageW(
                                         m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&bMaximized)))
                                   : nullptr;
    if (pbMaximized)
        *pbMaximized = bMaximized != FALSE;
    return dynamic_cast<CMDIChildWnd*>(CWnd::FromHandle(hActive));
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::GetMDIChildren() const
{
    std::vector<CMDIChildWnd*> children;
    for (HWND hChild = GetWindow(m_hWndMDIClient, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        if (auto* pChild = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandle(hChild)))
            children.push_back(pChild);
    }
    return children;
}

void CMDIFrameWnd::RecalcLayout()
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    for (HWND hBar : {m_hWndTopBar, m_hWndStatusBar}) {
        if (!hBar || !(GetWindowLongW(hBar, GWL_STYLE) & WS_VISIBLE))
            continue;
        SendMessageW(hBar, WM_SIZE, 0, 0);
        RECT rcBar;
        GetWindowRect(hBar, &rcBar);
        if (hBar == m_hWndTopBar) {
            MoveWindow(hBar, 0, 0, rc.right, rcBar.bottom - rcBar.top, TRUE);
            rc.top += rcBar.bottom - rcBar.top;
        } else {
            rc.bottom -= rcBar.bottom - rcBar.top;
        }
    }
    if (m_hWndMDIClient)
        MoveWindow(m_hWndMDIClient, rc.left, rc.top, rc.right - rc.left, std::max(0L, rc.bottom - rc.top), TRUE);
}

void CMDIFrameWnd::OnUpdateFrameMenu()
{
    HMENU hMenu = m_hMenuDefault;
    HMENU hWindowMenu = nullptr;
    CMDIChildWnd* pActive = MDIGetActive();
    CViewDocument* pDocument = pActive ? pActive->GetActiveDocument() : nullptr;
    if (pDocument && pDocument->m_pDocTemplate) {
        hMenu = pDocument->m_pDocTemplate->GetMenu();
        hWindowMenu = pDocument->m_pDocTemplate->GetWindowMenu();
    }
    if (GetMenu(m_hWnd) != hMenu) {
        SendMessageW(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenu),
                     reinterpret_cast<LPARAM>(hWindowMenu));
        DrawMenuBar(m_hWnd);
    }
}

void CMDIFrameWnd::OnUpdateFrameTitle()
{
    bool bMaximized = false;
    CMDIChildWnd* pActive = MDIGetActive(&bMaximized);
    std::wstring title = m_strTitle;
    // A maximised child's title is added by the system itself, in brackets.
    if (pActive && !bMaximized && pActive->GetActiveDocument())
        title += L" - " + ToWide(pActive->GetActiveDocument()->GetTitle());
    SetWindowText(title);
}

void CMDIFrameWnd::UpdateMenuItems(HMENU hMenu)
{
    const int count = GetMenuItemCount(hMenu);
    for (int position = 0; position < count; ++position) {
        const UINT id = GetMenuItemID(hMenu, position);
        if (id == 0 || id == static_cast<UINT>(-1) || id >= AFX_IDM_FIRST_MDICHILD)
            continue;
        CCmdUI ui(id);
        EvaluateCmdUI(ui);
        ApplyToMenuItem(hMenu, position, ui);
    }
}

void CMDIFrameWnd::ApplyToMenuItem(HMENU hMenu, int position, const CCmdUI& ui)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    GetMenuItemInfoW(hMenu, static_cast<UINT>(position), TRUE, &info);
    info.fType = ui.IsRadio() ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~MFT_RADIOCHECK);
    info.fState &= ~(MFS_CHECKED | MFS_DISABLED);
    info.fState |= (ui.GetCheck() ? MFS_CHECKED : 0) | (ui.IsEnabled() ? 0 : MFS_DISABLED);
    SetMenuItemInfoW(hMenu, static_cast<UINT>(position), TRUE, &info);
}

void CMDIFrameWnd::SetMessageText(const std::wstring& text)
{
    if (m_hWndStatusBar)
        SendMessageW(m_hWndStatusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool CMDIFrameWnd::OnCmdMsg(UINT id, CCmdUI* pUI)
{
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive && pActive->OnCmdMsg(id, pUI))
        return true;
    if (CWnd::OnCmdMsg(id, pUI))
        return true;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(id, pUI);
}

bool CMDIFrameWnd::PreTranslateMessage(MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)
        return false;
    if (msg.hwnd != m_hWnd && !IsChild(m_hWnd, msg.hwnd))
        return false;
    if (m_hWndMDIClient && TranslateMDISysAccel(m_hWndMDIClient, &msg))
        return true;
    return m_hAccelTable && TranslateAcceleratorW(m_hWnd, m_hAccelTable, &msg);
}

int CMDIFrameWnd::OnCreate()
{
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    m_hWndMDIClient = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0,
                                      m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                      GetModuleHandleW(nullptr), &ccs);
    return m_hWndMDIClient ? 0 : -1;
}

void CMDIFrameWnd::OnWindowTile()
{
    SendMessageW(m_hWndMDIClient, WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

void CMDIFrameWnd::OnWindowCascade()
{
    SendMessageW(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::OnClose()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->CloseAllDocuments();
    DestroyWindow();
}

bool CMDIFrameWnd::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.code == TTN_GETDISPINFOW)
        return OnToolTipText(header);
    if (header.code == TBN_HOTITEMCHANGE) {
        const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
        if (hot.dwFlags & HICF_LEAVING)
            SetIdleMessage();
        else
            SetMessageText(CommandPrompt(static_cast<UINT>(hot.idNew)));
        return false;
    }
    if (header.code == RBN_HEIGHTCHANGE) {
        RecalcLayout();
        return true;
    }
    return ReflectNotify(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header), result);
}

bool CMDIFrameWnd::OnToolTipText(NMHDR& header)
{
    auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
    if (info.uFlags & TTF_IDISHWND)
        return false;
    m_strTipText = CommandTip(static_cast<UINT>(header.idFrom));
    info.lpszText = m_strTipText.data();
    info.hinst = nullptr;
    return true;
}

void CMDIFrameWnd::SetControlBars(HWND hTopBar, HWND hStatusBar)
{
    m_hWndTopBar = hTopBar;
    m_hWndStatusBar = hStatusBar;
}

LRESULT CMDIFrameWnd::OnCommandMessage(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    LRESULT result = 0;
    if (lParam && ReflectNotify(WM_COMMAND, wParam, lParam, result))
        return result;
    if (id >= AFX_IDM_FIRST_MDICHILD)
        return DefWindowProc(WM_COMMAND, wParam, lParam);
    CCmdUI ui(id);
    EvaluateCmdUI(ui);
    if (ui.IsEnabled() && OnCmdMsg(id, nullptr))
        return 0;
    return DefWindowProc(WM_COMMAND, wParam, lParam);
}

void CMDIFrameWnd::OnInitMenuPopup(HMENU hMenu)
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->UpdateRecentFileMenu(hMenu);
    UpdateMenuItems(hMenu);
}

void CMDIFrameWnd::OnMenuSelect(UINT id, UINT flags, HMENU hMenu)
{
    if (flags == 0xFFFF && !hMenu)
        SetIdleMessage();
    else if (flags & (MF_POPUP | MF_SEPARATOR))
        SetMessageText(L"");
    else if (flags & MF_SYSMENU)
        SetMessageText(CommandPrompt(SystemCommandString(id)));
    else if (id >= AFX_IDM_FIRST_MDICHILD)
        SetMessageText(CommandPrompt(AFX_IDS_MDICHILD));
    else
        SetMessageText(CommandPrompt(id));
}

LRESULT CMDIFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    switch (message) {
    case WM_CREATE:
        return OnCreate();
    case WM_SIZE:
        RecalcLayout();
        return 0;
    case WM_COMMAND:
        return OnCommandMessage(wParam, lParam);
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam))
            OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        break;
    case WM_MENUSELECT:
        OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        return 0;
    case WM_EXITMENULOOP:
        SetIdleMessage();
        break;
    case WM_NOTIFY:
        if (OnNotify(*reinterpret_cast<NMHDR*>(lParam), result))
            return result;
        break;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        if (CWinApp* pApp = AfxGetApp(); pApp && pApp->m_pMainWnd == this) {
            pApp->m_pMainWnd = nullptr;
            PostQuitMessage(0);
        }
        break;
    default:
        break;
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefFrameProcW(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}
