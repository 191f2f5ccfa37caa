// ZqWindows: window lookup across processes.
#include "ZqWindows.h"

#include <vector>

namespace zqwin {

namespace {

struct EnumState {
    DWORD pid;
    std::wstring className;
    std::vector<HWND> found;
};

bool ClassMatches(HWND window, const std::wstring& className)
{
    return className.empty() || ClassNameOf(window) == className;
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param)
{
    auto* state = reinterpret_cast<EnumState*>(param);
    if (IsWindowVisible(window) && (state->pid == 0 || ProcessOf(window) == state->pid))
        state->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectDescendant(HWND window, LPARAM param)
{
    auto* state = reinterpret_cast<EnumState*>(param);
    if (ClassMatches(window, state->className))
        state->found.push_back(window);
    return TRUE;
}

bool TitleStartsWith(HWND window, const std::wstring& prefix)
{
    return TextOf(window).compare(0, prefix.size(), prefix) == 0;
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

bool SetTextOf(HWND window, const std::wstring& text)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) && result != 0;
}

std::vector<HWND> TopLevelWindows(DWORD pid)
{
    EnumState state{pid, {}, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

HWND FindTopLevel(DWORD pid, const std::wstring& titlePrefix, const std::wstring& className)
{
    for (HWND window : TopLevelWindows(pid)) {
        if (ClassNameOf(window) == className && TitleStartsWith(window, titlePrefix))
            return window;
    }
    return nullptr;
}

std::vector<HWND> Descendants(HWND parent, const std::wstring& className)
{
    EnumState state{0, className, {}};
    EnumChildWindows(parent, CollectDescendant, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

std::vector<HWND> Children(HWND parent, const std::wstring& className)
{
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassMatches(child, className))
            found.push_back(child);
    }
    return found;
}

}  // namespace zqwin
