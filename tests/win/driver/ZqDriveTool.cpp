// zqdrive: the driver's window operations as a console command, for shell scripts under Wine.
//
//   zqdrive wait-window <title prefix> [timeout ms]     a top-level window (not a dialog) exists
//   zqdrive wait-dialog <title prefix> [timeout ms]     a dialog or message box exists
//   zqdrive click <dialog title prefix> <button id> [timeout ms]
//                                                       waits for the dialog and clicks the button
//   zqdrive command <title prefix> <command id>         posts WM_COMMAND to the window
//   zqdrive close <title prefix> [timeout ms]           posts WM_CLOSE, waits until it is gone
//
// Windows of every process are searched. Exit code 0 on success, 1 on a timeout or failure,
// 2 on a usage error.

#include <windows.h>

#include <cwchar>
#include <string>

#include "ZqWindows.h"

namespace {

constexpr DWORD kDefaultTimeoutMs = 20000;

DWORD TimeoutArg(int argc, wchar_t** argv, int index)
{
    return argc > index ? static_cast<DWORD>(_wtoi(argv[index])) : kDefaultTimeoutMs;
}

int Click(const std::wstring& prefix, int buttonId, DWORD timeoutMs)
{
    HWND dialog = zqwin::WaitForTopLevel(0, prefix, true, timeoutMs);
    return dialog != nullptr && zqwin::ClickAndWaitGone(dialog, buttonId, timeoutMs) ? 0 : 1;
}

int Close(const std::wstring& prefix, DWORD timeoutMs)
{
    HWND frame = zqwin::FindTopLevel(0, prefix, false);
    if (frame == nullptr || !PostMessageW(frame, WM_CLOSE, 0, 0))
        return 1;
    return zqwin::WaitUntil([&] { return !IsWindow(frame); }, timeoutMs) ? 0 : 1;
}

int PostCommand(const std::wstring& prefix, UINT id)
{
    HWND frame = zqwin::FindTopLevel(0, prefix, false);
    return frame != nullptr && PostMessageW(frame, WM_COMMAND, MAKEWPARAM(id, 0), 0) ? 0 : 1;
}

int Usage()
{
    fwprintf(stderr, L"usage: zqdrive wait-window|wait-dialog|click|command|close ...\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return Usage();
    std::wstring verb = argv[1];
    std::wstring target = argv[2];
    if (verb == L"wait-window" || verb == L"wait-dialog")
        return zqwin::WaitForTopLevel(0, target, verb == L"wait-dialog", TimeoutArg(argc, argv, 3)) != nullptr ? 0 : 1;
    if (verb == L"click" && argc >= 4)
        return Click(target, _wtoi(argv[3]), TimeoutArg(argc, argv, 4));
    if (verb == L"command" && argc >= 4)
        return PostCommand(target, static_cast<UINT>(_wtoi(argv[3])));
    if (verb == L"close")
        return Close(target, TimeoutArg(argc, argv, 3));
    return Usage();
}
