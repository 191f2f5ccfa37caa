// CStatusBar: the status bar with the message pane and the keyboard-state indicators.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "fw/CWnd.h"

// The first pane takes the free width and shows prompts and the idle message; each following
// pane is an indicator whose text (a string resource named by its id, "CAP", "NUM", ...) shows
// while its key is toggled on and is blank otherwise. UpdateIndicators runs at idle.
class CStatusBar : public CWnd {
public:
    // construction
    CStatusBar() = default;
    // indicators[0] is ID_SEPARATOR (the message pane).
    bool Create(HWND hParent, UINT id, std::span<const UINT> indicators);

    // operations
    void SetPaneText(int pane, const std::wstring& text);
    std::wstring GetPaneText(int pane) const;
    void UpdateIndicators();
    void RecalcPanes();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static int KeyOfIndicator(UINT id);

    std::vector<UINT> m_indicators;
    std::vector<std::wstring> m_texts;
    std::vector<int> m_widths;
};
