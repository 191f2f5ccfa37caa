// CCmdUI: the state a command's update handler gives its menu item or toolbar button.
#pragma once

#include <windows.h>

// The frame builds one per menu item (when the menu opens) or toolbar button (at idle) and routes
// it like the command itself; the first update handler on the route fills it. In probe mode the
// route only asks whether anybody handles the command at all: an item nobody handles is shown
// disabled. The caller then applies what was set to its item.
class CCmdUI {
public:
    enum class Mode { update, probe };

    // construction
    explicit CCmdUI(UINT id, Mode mode = Mode::update) : m_nID(id), m_mode(mode) {}

    // operations of update handlers
    void Enable(bool bOn = true) { m_bEnabled = bOn; }
    // 0 no mark, 1 check mark.
    void SetCheck(int nCheck = 1)
    {
        m_nCheck = nCheck;
        m_bRadio = false;
    }
    // A radio mark (a dot) instead of a check mark.
    void SetRadio(bool bOn = true)
    {
        m_nCheck = bOn ? 1 : 0;
        m_bRadio = true;
    }

    // state, read by the caller after routing
    bool IsProbe() const { return m_mode == Mode::probe; }
    bool IsEnabled() const { return m_bEnabled; }
    int GetCheck() const { return m_nCheck; }
    bool IsRadio() const { return m_bRadio; }

    const UINT m_nID;

private:
    Mode m_mode;
    bool m_bEnabled = true;
    int m_nCheck = 0;
    bool m_bRadio = false;
};
