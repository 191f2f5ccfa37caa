// ZqDriver: drives フォルダ ZQ (or any Win32 program) from a test process, as a user would.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ZqControlReader.h"
#include "ZqProcess.h"

// A GoogleTest case creates one ZqDriver per program run:
//
//     ZqDriver zq;
//     ASSERT_TRUE(zq.Start(exe, scratchDir));
//     ASSERT_NE(zq.WaitForMainWindow(L"フォルダ ZQ"), nullptr);
//     ASSERT_TRUE(zq.AnswerMessageBox(IDYES));            // the start-up tip
//     zq.PostCommand(ID_AGGREGATE);
//     EXPECT_TRUE(zq.WaitForStatusText(0, L"ﾚﾃﾞｨ"));
//     zq.Close();  EXPECT_EQ(zq.WaitForExit(10000), 0u);
//
// Everything goes through window messages to the program's own windows (posted commands, clicks
// on dialog buttons, keys, WM_GETTEXT and control messages with data in a ZqRemoteBuffer), which
// works between two processes under one Wine session. Menus cannot be read this way under
// Wine 8 (they live in the owning process); menu texts and enabling are tested in-process.
// Calls that wait take a timeout and report failure instead of hanging.
class ZqDriver {
public:
    ZqDriver() = default;

    // Starts exePath with workingDir as its current directory (its store folder goes there).
    bool Start(const std::wstring& exePath, const std::wstring& workingDir, const std::wstring& arguments = {});
    // The first visible top-level window of the program whose title starts with titlePrefix and
    // which is not a dialog (or whose class is className when given); null after timeoutMs.
    HWND WaitForMainWindow(const std::wstring& titlePrefix, DWORD timeoutMs = 20000,
                           const std::wstring& className = {});
    HWND MainWindow() const { return m_main; }
    ZqProcess& Process() { return m_process; }
    const ZqControlReader& Controls() const { return *m_controls; }

    // ---- Dialogs and message boxes (class #32770) ----
    HWND FindDialog(const std::wstring& titlePrefix = {}) const;
    HWND WaitForDialog(const std::wstring& titlePrefix = {}, DWORD timeoutMs = 10000) const;
    // The texts of a dialog's static controls (a message box's message), icons left out,
    // joined with "\n".
    std::wstring DialogText(HWND dialog) const;
    std::wstring ControlText(HWND dialog, int controlId) const;
    bool SetControlText(HWND dialog, int controlId, const std::wstring& text) const;
    bool IsButtonChecked(HWND dialog, int controlId) const;
    // Clicks a button of a dialog (IDOK, IDYES, IDNO, IDCANCEL or a control id).
    bool ClickButton(HWND dialog, int buttonId) const;
    // Waits for a dialog of the program, clicks buttonId and waits until that dialog is gone.
    bool AnswerMessageBox(int buttonId, DWORD timeoutMs = 10000) const;
    bool WaitForWindowGone(HWND window, DWORD timeoutMs = 10000) const;

    // ---- Commands and keys ----
    bool PostCommand(UINT commandId) const { return PostCommandTo(m_main, commandId); }
    bool PostCommandTo(HWND window, UINT commandId) const;
    // The window that has the keyboard focus in the program's GUI thread.
    HWND FocusWindow() const;
    // WM_KEYDOWN + WM_KEYUP posted to target (the focus window when null). Reaches the
    // window's key handling but not accelerators, which read the real keyboard state.
    bool PostKey(UINT virtualKey, HWND target = nullptr) const;
    // A real key press through SendInput with the program in front: goes through accelerators.
    bool TypeKey(UINT virtualKey, bool ctrl = false, bool shift = false, bool alt = false) const;
    bool BringToFront() const;

    // ---- Reading the program's windows ----
    std::wstring MainTitle() const;
    std::vector<HWND> MdiChildren() const;
    HWND ActiveMdiChild() const;
    std::vector<std::wstring> MdiChildTitles() const;
    HWND StatusBar() const;
    std::wstring StatusText(int pane = 0) const;
    bool WaitForStatusText(int pane, const std::wstring& text, DWORD timeoutMs = 10000) const;
    std::vector<HWND> Toolbars() const;
    std::vector<std::wstring> ToolbarLabels(HWND toolbar) const;
    // The index-th descendant of parent (the main window when null) of class className.
    HWND FindDescendant(const std::wstring& className, int index = 0, HWND parent = nullptr) const;

    // ---- Ending ----
    bool Close() const;
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = 15000) const { return m_process.WaitForExit(timeoutMs); }

    // A 24-bit BMP of the whole screen, taken from inside Wine (see ZqScreenshot.h).
    static bool SaveScreenshot(const std::wstring& bmpPath);

private:
    DWORD Pid() const { return m_process.Id(); }
    HWND MdiClient() const;

    ZqProcess m_process;
    std::unique_ptr<ZqControlReader> m_controls;
    HWND m_main = nullptr;
};
