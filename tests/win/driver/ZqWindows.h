// ZqWindows: finding and reading windows of another process, and waiting for a condition.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace zqwin {

// How long a message sent to the driven program may take before the driver gives up on it:
// a program stuck in a modal loop must fail the test, not hang it.
inline constexpr UINT kSendTimeoutMs = 5000;

// Polls condition every pollMs until it holds or timeoutMs has passed; true when it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs = 20);

// The window's text through WM_GETTEXT, which the system copies across processes.
std::wstring TextOf(HWND window);

// The first visible top-level window of pid (0: any process) whose title starts with titlePrefix:
// a dialog or message box (class #32770) when dialog is true, any other window (a frame) otherwise.
HWND FindTopLevel(DWORD pid, const std::wstring& titlePrefix, bool dialog);

// FindTopLevel polled until it finds the window; null after timeoutMs.
HWND WaitForTopLevel(DWORD pid, const std::wstring& titlePrefix, bool dialog, DWORD timeoutMs);

// Direct children only, first to last in Z order; every child when className is empty.
std::vector<HWND> Children(HWND parent, const std::wstring& className = {});

// Posts a click to a dialog's button and waits until the dialog is gone or hidden. Posted, not
// sent: the click may end a modal loop or open another one, and the caller must not wait inside
// the program's message handling for that.
bool ClickAndWaitGone(HWND dialog, int buttonId, DWORD timeoutMs);

}  // namespace zqwin
