// ZqDriver: the test's hands and eyes on the driven program.
#include "ZqDriver.h"

#include "ZqScreenshot.h"
#include "ZqWindows.h"

namespace {

INPUT KeyInput(UINT virtualKey, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(virtualKey);
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

LPARAM KeyLParam(UINT virtualKey, bool up)
{
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    return up ? (scan | 1 | (LPARAM{1} << 30) | (LPARAM{1} << 31)) : (scan | 1);
}

}  // namespace

bool ZqDriver::Start(const std::wstring& exePath, const std::wstring& workingDir, const std::wstring& arguments)
{
    if (!m_process.Start(exePath, workingDir, arguments))
        return false;
    m_controls = std::make_unique<ZqControlReader>(m_process.Handle());
    return m_controls->IsValid();
}

HWND ZqDriver::WaitForMainWindow(const std::wstring& titlePrefix, DWORD timeoutMs, const std::wstring& className)
{
    zqwin::WaitUntil([&] {
        for (HWND window : zqwin::TopLevelWindows(Pid())) {
            std::wstring cls = zqwin::ClassNameOf(window);
            bool classOk = className.empty() ? cls != zqwin::kDialogClass : cls == className;
            if (classOk && zqwin::TextOf(window).compare(0, titlePrefix.size(), titlePrefix) == 0) {
                m_main = window;
                return true;
            }
        }
        return !m_process.IsRunning();
    }, timeoutMs);
    return m_main;
}

// ---- Dialogs -------------------------------------------------------------------------------

HWND ZqDriver::FindDialog(const std::wstring& titlePrefix) const
{
    return zqwin::FindTopLevel(Pid(), titlePrefix);
}

HWND ZqDriver::WaitForDialog(const std::wstring& titlePrefix, DWORD timeoutMs) const
{
    HWND found = nullptr;
    zqwin::WaitUntil([&] { return (found = FindDialog(titlePrefix)) != nullptr || !m_process.IsRunning(); },
                     timeoutMs);
    return found;
}

std::wstring ZqDriver::DialogText(HWND dialog) const
{
    std::wstring text;
    for (HWND child : zqwin::Children(dialog, L"Static")) {
        LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON)
            continue;
        std::wstring piece = zqwin::TextOf(child);
        if (piece.empty())
            continue;
        text += text.empty() ? piece : L"\n" + piece;
    }
    return text;
}

std::wstring ZqDriver::ControlText(HWND dialog, int controlId) const
{
    HWND control = GetDlgItem(dialog, controlId);
    return control != nullptr ? zqwin::TextOf(control) : std::wstring();
}

bool ZqDriver::SetControlText(HWND dialog, int controlId, const std::wstring& text) const
{
    HWND control = GetDlgItem(dialog, controlId);
    return control != nullptr && zqwin::SetTextOf(control, text);
}

bool ZqDriver::IsButtonChecked(HWND dialog, int controlId) const
{
    DWORD_PTR state = 0;
    HWND control = GetDlgItem(dialog, controlId);
    return control != nullptr &&
           SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, zqwin::kSendTimeoutMs, &state) &&
           state == BST_CHECKED;
}

bool ZqDriver::ClickButton(HWND dialog, int buttonId) const
{
    HWND button = GetDlgItem(dialog, buttonId);
    // Posted, not sent: the click may end a modal loop or open another one, and the driver must
    // not wait inside the program's message handling for that.
    return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0);
}

bool ZqDriver::AnswerMessageBox(int buttonId, DWORD timeoutMs) const
{
    HWND box = WaitForDialog({}, timeoutMs);
    return box != nullptr && ClickButton(box, buttonId) && WaitForWindowGone(box, timeoutMs);
}

bool ZqDriver::WaitForWindowGone(HWND window, DWORD timeoutMs) const
{
    return zqwin::WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

// ---- Commands and keys ---------------------------------------------------------------------

bool ZqDriver::PostCommandTo(HWND window, UINT commandId) const
{
    return window != nullptr && PostMessageW(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

HWND ZqDriver::FocusWindow() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(m_process.MainThreadId(), &info))
        return nullptr;
    return info.hwndFocus;
}

bool ZqDriver::PostKey(UINT virtualKey, HWND target) const
{
    if (target == nullptr)
        target = FocusWindow();
    return target != nullptr && PostMessageW(target, WM_KEYDOWN, virtualKey, KeyLParam(virtualKey, false)) &&
           PostMessageW(target, WM_KEYUP, virtualKey, KeyLParam(virtualKey, true));
}

bool ZqDriver::BringToFront() const
{
    if (m_main == nullptr)
        return false;
    SetForegroundWindow(m_main);
    return zqwin::WaitUntil([&] { return GetForegroundWindow() == m_main; }, 2000);
}

bool ZqDriver::TypeKey(UINT virtualKey, bool ctrl, bool shift, bool alt) const
{
    if (!BringToFront())
        return false;
    std::vector<INPUT> inputs;
    const std::pair<bool, UINT> modifiers[] = {{ctrl, VK_CONTROL}, {shift, VK_SHIFT}, {alt, VK_MENU}};
    for (auto [on, key] : modifiers)
        if (on)
            inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(virtualKey, false));
    inputs.push_back(KeyInput(virtualKey, true));
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        if (it->first)
            inputs.push_back(KeyInput(it->second, true));
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size();
}

// ---- Reading -------------------------------------------------------------------------------

std::wstring ZqDriver::MainTitle() const
{
    return m_main != nullptr ? zqwin::TextOf(m_main) : std::wstring();
}

HWND ZqDriver::MdiClient() const
{
    return FindDescendant(L"MDIClient");
}

std::vector<HWND> ZqDriver::MdiChildren() const
{
    HWND client = MdiClient();
    return client != nullptr ? zqwin::Children(client) : std::vector<HWND>{};
}

HWND ZqDriver::ActiveMdiChild() const
{
    HWND client = MdiClient();
    DWORD_PTR active = 0;
    if (client == nullptr ||
        !SendMessageTimeoutW(client, WM_MDIGETACTIVE, 0, 0, SMTO_ABORTIFHUNG, zqwin::kSendTimeoutMs, &active))
        return nullptr;
    return reinterpret_cast<HWND>(active);
}

std::vector<std::wstring> ZqDriver::MdiChildTitles() const
{
    std::vector<std::wstring> titles;
    for (HWND child : MdiChildren())
        titles.push_back(zqwin::TextOf(child));
    return titles;
}

HWND ZqDriver::StatusBar() const
{
    return FindDescendant(STATUSCLASSNAMEW);
}

std::wstring ZqDriver::StatusText(int pane) const
{
    HWND bar = StatusBar();
    return bar != nullptr ? m_controls->StatusText(bar, pane) : std::wstring();
}

bool ZqDriver::WaitForStatusText(int pane, const std::wstring& text, DWORD timeoutMs) const
{
    return zqwin::WaitUntil([&] { return StatusText(pane) == text; }, timeoutMs);
}

std::vector<HWND> ZqDriver::Toolbars() const
{
    return m_main != nullptr ? zqwin::Descendants(m_main, TOOLBARCLASSNAMEW) : std::vector<HWND>{};
}

std::vector<std::wstring> ZqDriver::ToolbarLabels(HWND toolbar) const
{
    std::vector<std::wstring> labels;
    for (const auto& button : m_controls->ToolbarButtons(toolbar))
        labels.push_back(button.command == 0 ? L"|" : button.text);
    return labels;
}

HWND ZqDriver::FindDescendant(const std::wstring& className, int index, HWND parent) const
{
    if (parent == nullptr)
        parent = m_main;
    if (parent == nullptr)
        return nullptr;
    std::vector<HWND> found = zqwin::Descendants(parent, className);
    return index >= 0 && static_cast<size_t>(index) < found.size() ? found[index] : nullptr;
}

// ---- Ending --------------------------------------------------------------------------------

bool ZqDriver::Close() const
{
    return m_main != nullptr && PostMessageW(m_main, WM_CLOSE, 0, 0);
}

bool ZqDriver::SaveScreenshot(const std::wstring& bmpPath)
{
    return zqshot::SaveScreenBmp(bmpPath);
}
