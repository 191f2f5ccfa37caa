// CMDIFrameWnd: the top-level MDI frame over the MDI client, with its menus, bars and command route.
#pragma once

#include <string>
#include <vector>

#include "fw/CWnd.h"

class CMDIChildWnd;

// LoadFrame creates the frame with the menu, accelerators and icon of one resource id and the
// MDI client inside. The frame swaps its menu for the active document's menu while a child is
// open, titles itself with the application title and the active document's title, evaluates the
// update-UI of every item of a menu when the menu opens, and shows the prompts of menu items and
// toolbar buttons in the first pane of its status bar. Commands go first to the active child
// (its view, document and the child frame), then to this frame, then to the application; a
// command whose update-UI disables it is not executed. Derived frames create their bars in
// OnCreate and name them with SetControlBars, so that the client area is laid out around them.
class CMDIFrameWnd : public CWnd {
public:
    // construction
    CMDIFrameWnd();
    bool LoadFrame(UINT idResource, DWORD style);

    // children
    CMDIChildWnd* MDIGetActive(bool* pbMaximized = nullptr) const;
    // Every child window in MDI window order, the active one first.
    std::vector<CMDIChildWnd*> GetMDIChildren() const;

    // layout, menus and texts
    void RecalcLayout();
    void OnUpdateFrameMenu();
    virtual void OnUpdateFrameTitle();
    // Evaluates the update-UI of every command item of a menu and applies it to the items.
    void UpdateMenuItems(HMENU hMenu);
    void SetMessageText(const std::wstring& text);
    void SetIdleMessage() { SetMessageText(m_strIdleMessage); }
    const std::wstring& GetTitle() const { return m_strTitle; }

    // routing and idle
    bool OnCmdMsg(UINT id, CCmdUI* pUI) override;
    virtual bool PreTranslateMessage(MSG& msg);
    virtual void OnIdleUpdateCmdUI() {}

    HWND m_hWndMDIClient = nullptr;
    HMENU m_hMenuDefault = nullptr;

protected:
    // overridables
    virtual int OnCreate();
    virtual void OnWindowTile();
    virtual void OnWindowCascade();
    virtual void OnClose();
    virtual bool OnNotify(NMHDR& header, LRESULT& result);
    void SetControlBars(HWND hTopBar, HWND hStatusBar);
    HWND GetStatusBar() const { return m_hWndStatusBar; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override { delete this; }

private:
    LRESULT OnCommandMessage(WPARAM wParam, LPARAM lParam);
    void OnInitMenuPopup(HMENU hMenu);
    void OnMenuSelect(UINT id, UINT flags, HMENU hMenu);
    bool OnToolTipText(NMHDR& header);
    void ApplyToMenuItem(HMENU hMenu, int position, const CCmdUI& ui);

    HACCEL m_hAccelTable = nullptr;
    HWND m_hWndTopBar = nullptr;
    HWND m_hWndStatusBar = nullptr;
    std::wstring m_strTitle;
    std::wstring m_strIdleMessage;
    std::wstring m_strTipText;
};
