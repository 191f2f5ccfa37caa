// ZqWindows: window lookup across processes.
#include "ZqWindows.h"

#include <vector>

namespace zqwin {

namespace {

// The class of dialogs and message boxes.
constexpr const wchar_t* kDialogClass = L"#32770";

DWORD ProcessOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::wstring ClassNameOf(HWND window)
{
    wchar_t name[256] = {};
    int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? length : 0);
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(pollMs);
    }
}

std::wstring TextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
        return {};
    std::vector<wchar_t> text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied))
        return {};
    return std::wstring(text.data(), copied);
}

HWND FindTopLevel(DWORD pid, const std::wstring& titlePrefix, bool dialog)
{
    // Top-level windows are the desktop's children; a window that goes meanwhile ends the walk
    // early, which the caller's next poll makes up for.
    for (HWND window : Children(GetDesktopWindow())) {
        if (IsWindowVisible(window) && (pid == 0 || ProcessOf(window) == pid) &&
            (ClassNameOf(window) == kDialogClass) == dialog &&
            TextOf(window).compare(0, titlePrefix.size(), titlePrefix) == 0)
            return window;
    }
    return nullptr;
}

HWND WaitForTopLevel(DWORD pid, const std::wstring& titlePrefix, bool dialog, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevel(pid, titlePrefix, dialog)) != nullptr; }, timeoutMs);
    return found;
}

std::vector<HWND> Children(HWND parent, const std::wstring& className)
{
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (className.empty() || ClassNameOf(child) == className)
            found.push_back(child);
    }
    return found;
}

bool ClickAndWaitGone(HWND dialog, int buttonId, DWORD timeoutMs)
{
    HWND button = GetDlgItem(dialog, buttonId);
    return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0) &&
           WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeoutMs);
}

}  // namespace zqwin
