// FakeTarget: a small program with the real resources, the stand-in that the driver's own tests drive.
//
// It has what the driver has to find and work in the real program, and whose behaviour the tests
// must know exactly: a main frame titled "フォルダ ZQ - C:\" with menu 129 and accelerators 128, a
// status bar showing the idle text of the string table, and a start-up tip message box
// (Yes/No/Cancel) that pages on with No. Whatever reaches it is echoed into the status bar
// ("command 32810", "tip yes 1"), which is how a test sees that a posted command or a typed key
// arrived. Reading the program's tree, toolbars and child windows is tested on the program itself.
//
// Command line: --no-tip skips the tip; --exit-code=N is the exit code of ID_APP_EXIT
// (closing the window exits with 0).

#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <string>

#include "resource.h"

namespace {

constexpr UINT kShowTip = WM_APP + 1;
const wchar_t* const kFrameClass = L"ZqFakeFrame";

HINSTANCE g_instance = nullptr;
HWND g_status = nullptr;
bool g_showTip = false;
int g_exitCommandCode = 0;
int g_exitCode = 0;

std::wstring LoadText(UINT id)
{
    const wchar_t* text = nullptr;
    int length = LoadStringW(g_instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

void SetStatus(const std::wstring& text)
{
    SendMessageW(g_status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ParseOptions()
{
    const wchar_t* commandLine = GetCommandLineW();
    g_showTip = wcsstr(commandLine, L"--no-tip") == nullptr;
    if (const wchar_t* exitCode = wcsstr(commandLine, L"--exit-code="))
        g_exitCommandCode = _wtoi(exitCode + 12);
}

// The tip pages on with No until Yes or Cancel.
void ShowTip(HWND frame)
{
    for (int tip = 0;; tip = (tip + 1) % 10) {
        wchar_t text[128];
        swprintf(text, 128, L"――――　ワンポイント　――――\n\n・　テスト用のワンポイント %d です。\t\n", tip);
        const int answer = MessageBoxW(frame, text, LoadText(AFX_IDS_APP_TITLE).c_str(),
                                       MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        if (answer == IDYES)
            SetStatus(L"tip yes " + std::to_wstring(tip));
        if (answer != IDNO)
            return;
    }
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        g_status = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                   frame, nullptr, g_instance, nullptr);
        SetStatus(LoadText(AFX_IDS_IDLEMESSAGE));
        return 0;
    case WM_SIZE:
        SendMessageW(g_status, WM_SIZE, 0, 0);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == ID_APP_EXIT) {
            g_exitCode = g_exitCommandCode;
            DestroyWindow(frame);
        } else {
            SetStatus(L"command " + std::to_wstring(LOWORD(wParam)));
        }
        return 0;
    case kShowTip:
        ShowTip(frame);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(g_exitCode);
        return 0;
    default:
        return DefWindowProcW(frame, message, wParam, lParam);
    }
}

bool RegisterFrameClass()
{
    WNDCLASSEXW frameClass{};
    frameClass.cbSize = sizeof frameClass;
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = g_instance;
    frameClass.hIcon = LoadIconW(g_instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    frameClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    frameClass.lpszClassName = kFrameClass;
    return RegisterClassExW(&frameClass) != 0;
}

int RunLoop(HWND frame)
{
    HACCEL accelerators = LoadAcceleratorsW(g_instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorW(frame, accelerators, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    g_instance = instance;
    ParseOptions();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterFrameClass())
        return 2;
    const std::wstring title = LoadText(AFX_IDS_APP_TITLE) + L" - C:\\";
    HWND frame = CreateWindowExW(0, kFrameClass, title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 900, 600, nullptr,
                                 LoadMenuW(instance, MAKEINTRESOURCEW(IDR_ETYPE)), instance, nullptr);
    if (frame == nullptr)
        return 3;
    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    if (g_showTip)
        PostMessageW(frame, kShowTip, 0, 0);
    return RunLoop(frame);
}
