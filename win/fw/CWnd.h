// CWnd: a C++ object bound to a window, receiving that window's messages through WindowProc.
#pragma once

#include <windows.h>

#include <string>

#include "fw/CCmdTarget.h"

// A window of one of the program's own classes (CreateEx) or a system control the program
// subclasses (CreateControl): either way its messages reach the virtual WindowProc, and what a
// derived class does not handle goes on to DefWindowProc (the control's own procedure, or the
// class default). When the window is destroyed the object is detached and PostNcDestroy runs,
// where frames and views, which own themselves, delete themselves.
class CWnd : public CCmdTarget {
public:
    // construction
    CWnd() = default;
    ~CWnd() override;

    // Registers (once) a window class of the program whose messages come here.
    static const wchar_t* RegisterClassOnce(const wchar_t* name, UINT style, HICON hIcon, HBRUSH hBackground);
    bool CreateEx(DWORD exStyle, const wchar_t* className, const std::wstring& title, DWORD style, const RECT& rc,
                  HWND hParent, HMENU hMenuOrId);
    // Creates a system control and takes over its messages.
    bool CreateControl(DWORD exStyle, const wchar_t* className, DWORD style, const RECT& rc, HWND hParent, UINT id);
    bool DestroyWindow();

    // access
    // The object bound to a window of the program, or null.
    static CWnd* FromHandle(HWND hWnd);
    std::wstring GetWindowText() const;
    // The window's own visible style, whether or not its parents are shown.
    bool HasVisibleStyle() const { return (GetWindowLongW(m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0; }
    void SetWindowText(const std::wstring& text);

    // overridables
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A notification (WM_NOTIFY, WM_COMMAND from a control) that the parent passed back to the
    // control that sent it; true when handled, with the result in result.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    virtual void PostNcDestroy() {}

    HWND m_hWnd = nullptr;

protected:
    // Passes a control's notification back to the control's object (reflection); false when the
    // control has no object or did not handle it.
    static bool ReflectNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Binds the next window created to this object, for windows created by another window's
    // message (MDI children). EndCreate ends that; it says whether no window was ever bound.
    void PrepareCreate();
    static bool EndCreate();
    // Binding for windows created outside CreateEx (dialogs).
    void Attach(HWND hWnd);
    void Detach();

private:
    static LRESULT CALLBACK StdWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr;
};
