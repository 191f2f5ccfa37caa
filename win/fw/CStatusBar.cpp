// The status bar's panes and indicators.
#include "fw/CStatusBar.h"

#include <commctrl.h>

#include "fw/ResourceText.h"
#include "res/resource.h"

namespace {

// The shown text of an indicator, when the string table lacks it.
const wchar_t* DefaultIndicatorText(UINT id)
{
    switch (id) {
    case ID_INDICATOR_KANA:
        return L"ｶﾅ";
    case ID_INDICATOR_CAPS:
        return L"CAP";
    case ID_INDICATOR_NUM:
        return L"NUM";
    case ID_INDICATOR_SCRL:
        return L"SCRL";
    default:
        return L"";
    }
}

int TextWidth(HWND hWnd, const std::wstring& text)
{
    HDC hDC = GetDC(hWnd);
    HGDIOBJ hOld = SelectObject(hDC, reinterpret_cast<HFONT>(SendMessageW(hWnd, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(hDC, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(hDC, hOld);
    ReleaseDC(hWnd, hDC);
    return size.cx;
}

}  // namespace

bool CStatusBar::Create(HWND hParent, UINT id, std::span<const UINT> indicators)
{
    if (!CreateControl(0, STATUSCLASSNAMEW, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, RECT{0, 0, 0, 0}, hParent, id))
        return false;
    m_indicators.assign(indicators.begin(), indicators.end());
    for (UINT indicator : m_indicators) {
        m_texts.push_back(LoadResourceString(indicator, DefaultIndicatorText(indicator)));
        m_widths.push_back(TextWidth(m_hWnd, m_texts.back()) + 12);
    }
    RecalcPanes();
    UpdateIndicators();
    return true;
}

void CStatusBar::SetPaneText(int pane, const std::wstring& text)
{
    SendMessageW(m_hWnd, SB_SETTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring CStatusBar::GetPaneText(int pane) const
{
    const auto length = LOWORD(SendMessageW(m_hWnd, SB_GETTEXTLENGTHW, static_cast<WPARAM>(pane), 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(m_hWnd, SB_GETTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void CStatusBar::UpdateIndicators()
{
    for (std::size_t pane = 1; pane < m_indicators.size(); ++pane) {
        const int key = KeyOfIndicator(m_indicators[pane]);
        const bool bOn = key != 0 && (GetKeyState(key) & 1) != 0;
        const std::wstring text = bOn ? m_texts[pane] : std::wstring();
        if (GetPaneText(static_cast<int>(pane)) != text)
            SetPaneText(static_cast<int>(pane), text);
    }
}

void CStatusBar::RecalcPanes()
{
    if (m_indicators.empty())
        return;
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    const std::size_t count = m_indicators.size();
    std::vector<int> edges(count, -1);
    // The last pane runs on under the size grip; each one before it ends where the next begins.
    int right = rc.right - GetSystemMetrics(SM_CXVSCROLL);
    for (std::size_t pane = count - 1; pane >= 1; --pane) {
        right -= m_widths[pane];
        edges[pane - 1] = right;
    }
    SendMessageW(m_hWnd, SB_SETPARTS, count, reinterpret_cast<LPARAM>(edges.data()));
}

int CStatusBar::KeyOfIndicator(UINT id)
{
    switch (id) {
    case ID_INDICATOR_KANA:
        return VK_KANA;
    case ID_INDICATOR_CAPS:
        return VK_CAPITAL;
    case ID_INDICATOR_NUM:
        return VK_NUMLOCK;
    case ID_INDICATOR_SCRL:
        return VK_SCROLL;
    default:
        return 0;
    }
}

LRESULT CStatusBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_SIZE)
        RecalcPanes();
    return result;
}
