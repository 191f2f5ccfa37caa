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
    // Starts exePath with workingDir as its current directory (its store folder goes there).
    bool Start(const std::wstring& exePath, const std::wstring& workingDir, const std::wstring& arguments = {});
    // The first visible top-level window of the program whose title starts with titlePrefix and
    // which is not a dialog; null after timeoutMs.
    HWND WaitForMainWindow(const std::wstring& titlePrefix, DWORD timeoutMs = 20000);
    ZqProcess& Process() { return m_process; }
    const ZqControlReader& Controls() const { return *m_controls; }

    // ---- Dialogs and message boxes (class #32770) ----
    HWND FindDialog(const std::wstring& titlePrefix = {}) const;
    HWND WaitForDialog(const std::wstring& titlePrefix = {}, DWORD timeoutMs = 10000) const;
    // The texts of a dialog's static controls (a message box's message), icons left out,
    // joined with "\n".
    std::wstring DialogText(HWND dialog) const;
    // Clicks a button of a dialog (IDOK, IDYES, IDNO, IDCANCEL or a control id).
    static bool ClickButton(HWND dialog, int buttonId);
    // Waits for a dialog of the program, clicks buttonId and waits until that dialog is gone.
    bool AnswerMessageBox(int buttonId, DWORD timeoutMs = 10000) const;
    static bool WaitForWindowGone(HWND window, DWORD timeoutMs = 10000);

    // ---- Commands ----
    bool PostCommand(UINT commandId) const;

    // ---- Reading the program's windows ----
    std::wstring MainTitle() const;
    std::vector<HWND> MdiChildren() const;
    std::wstring StatusText(int pane = 0) const;
    bool WaitForStatusText(int pane, const std::wstring& text, DWORD timeoutMs = 10000) const;
    std::vector<HWND> Toolbars() const;
    // The first descendant of the main window of class className.
    HWND FindDescendant(const std::wstring& className) const;

    // ---- Ending ----
    bool Close() const;
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = 15000) const { return m_process.WaitForExit(timeoutMs); }

private:
    DWORD Pid() const { return m_process.Id(); }

    ZqProcess m_process;
    std::unique_ptr<ZqControlReader> m_controls;
    HWND m_main = nullptr;
};
