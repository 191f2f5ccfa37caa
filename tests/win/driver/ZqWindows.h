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

DWORD ProcessOf(HWND window);
std::wstring ClassNameOf(HWND window);
// The window's text through WM_GETTEXT, which the system copies across processes.
std::wstring TextOf(HWND window);
bool SetTextOf(HWND window, const std::wstring& text);

// Visible top-level windows of process pid (0: of every process), in Z order.
std::vector<HWND> TopLevelWindows(DWORD pid);
// The class of dialogs and message boxes.
inline constexpr const wchar_t* kDialogClass = L"#32770";

// The first visible top-level window of pid (0: any process) of class className whose title
// starts with titlePrefix.
HWND FindTopLevel(DWORD pid, const std::wstring& titlePrefix, const std::wstring& className = kDialogClass);

// All descendants of parent (children, their children, ...) of class className, in the order
// EnumChildWindows reports them; every descendant when className is empty.
std::vector<HWND> Descendants(HWND parent, const std::wstring& className = {});
// Direct children only, first to last in Z order.
std::vector<HWND> Children(HWND parent, const std::wstring& className = {});

}  // namespace zqwin
