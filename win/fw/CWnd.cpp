// Binding windows to their objects and passing messages to them.
#include "fw/CWnd.h"

#include <unordered_map>
#include <unordered_set>

namespace {

std::unordered_map<HWND, CWnd*>& WindowMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

// The object whose window CreateWindowExW is creating: its first message binds it.
CWnd* g_pWndInit = nullptr;

}  // namespace

CWnd::~CWnd()
{
    if (m_hWnd)
        Detach();
}

const wchar_t* CWnd::RegisterClassOnce(const wchar_t* name, UINT style, HICON hIcon, HBRUSH hBackground)
{
    static std::unordered_set<std::wstring> registered;
    if (registered.count(name))
        return name;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = StdWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = hIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = hBackground;
    wc.lpszClassName = name;
    if (!RegisterClassExW(&wc))
        return nullptr;
    registered.insert(name);
    return name;
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const std::wstring& title, DWORD style, const RECT& rc,
                    HWND hParent, HMENU hMenuOrId)
{
    // A default position comes with a default size.
    const bool bDefault = rc.left == CW_USEDEFAULT;
    const int cx = bDefault ? CW_USEDEFAULT : rc.right - rc.left;
    const int cy = bDefault ? CW_USEDEFAULT : rc.bottom - rc.top;
    g_pWndInit = this;
    HWND hWnd = CreateWindowExW(exStyle, className, title.c_str(), style, rc.left, rc.top, cx, cy, hParent, hMenuOrId,
                                GetModuleHandleW(nullptr), nullptr);
    g_pWndInit = nullptr;
    return hWnd != nullptr;
}

bool CWnd::CreateControl(DWORD exStyle, const wchar_t* className, DWORD style, const RECT& rc, HWND hParent, UINT id)
{
    HWND hWnd = CreateWindowExW(exStyle, className, L"", style, rc.left, rc.top, rc.right - rc.left,
                                rc.bottom - rc.top, hParent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
    if (!hWnd)
        return false;
    Attach(hWnd);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StdWndProc)));
    return true;
}

void CWnd::PrepareCreate()
{
    g_pWndInit = this;
}

bool CWnd::EndCreate()
{
    const bool bUnbound = g_pWndInit != nullptr;
    g_pWndInit = nullptr;
    return bUnbound;
}

bool CWnd::DestroyWindow()
{
    return m_hWnd && ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    auto found = WindowMap().find(hWnd);
    return found == WindowMap().end() ? nullptr : found->second;
}

std::wstring CWnd::GetWindowText() const
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CWnd::SetWindowText(const std::wstring& text)
{
    ::SetWindowTextW(m_hWnd, text.c_str());
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if ((message == WM_NOTIFY || (message == WM_COMMAND && lParam)) && ReflectNotify(message, wParam, lParam, result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

bool CWnd::ReflectNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    HWND hControl = message == WM_NOTIFY ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : reinterpret_cast<HWND>(lParam);
    CWnd* pControl = FromHandle(hControl);
    return pControl && pControl->OnChildNotify(message, wParam, lParam, result);
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    WindowMap()[hWnd] = this;
}

void CWnd::Detach()
{
    WindowMap().erase(m_hWnd);
    m_hWnd = nullptr;
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandle(hWnd);
    if (!pWnd && g_pWndInit) {
        pWnd = g_pWndInit;
        g_pWndInit = nullptr;
        pWnd->Attach(hWnd);
    }
    if (!pWnd)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    const LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        if (pWnd->m_pfnSuper)
            SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return result;
}
