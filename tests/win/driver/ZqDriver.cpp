// ZqDriver: the test's hands and eyes on the driven program.
#include "ZqDriver.h"

#include "ZqWindows.h"

bool ZqDriver::Start(const std::wstring& exePath, const std::wstring& workingDir, const std::wstring& arguments)
{
    if (!m_process.Start(exePath, workingDir, arguments))
        return false;
    m_controls = std::make_unique<ZqControlReader>(m_process.Handle());
    return m_controls->IsValid();
}

HWND ZqDriver::WaitForMainWindow(const std::wstring& titlePrefix, DWORD timeoutMs)
{
    zqwin::WaitUntil([&] {
        m_main = zqwin::FindTopLevel(Pid(), titlePrefix, false);
        return m_main != nullptr || !m_process.IsRunning();
    }, timeoutMs);
    return m_main;
}

// ---- Dialogs -------------------------------------------------------------------------------

HWND ZqDriver::FindDialog(const std::wstring& titlePrefix) const
{
    return zqwin::FindTopLevel(Pid(), titlePrefix, true);
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
        const std::wstring piece = zqwin::TextOf(child);
        if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON && !piece.empty())
            text += text.empty() ? piece : L"\n" + piece;
    }
    return text;
}

bool ZqDriver::ClickButton(HWND dialog, int buttonId)
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

bool ZqDriver::WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    return zqwin::WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

// ---- Commands ------------------------------------------------------------------------------

bool ZqDriver::PostCommand(UINT commandId) const
{
    return m_main != nullptr && PostMessageW(m_main, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

// ---- Reading -------------------------------------------------------------------------------

std::wstring ZqDriver::MainTitle() const
{
    return m_main != nullptr ? zqwin::TextOf(m_main) : std::wstring();
}

std::vector<HWND> ZqDriver::MdiChildren() const
{
    HWND client = FindDescendant(L"MDIClient");
    return client != nullptr ? zqwin::Children(client) : std::vector<HWND>{};
}

std::wstring ZqDriver::StatusText(int pane) const
{
    HWND bar = FindDescendant(STATUSCLASSNAMEW);
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

HWND ZqDriver::FindDescendant(const std::wstring& className) const
{
    std::vector<HWND> found = m_main != nullptr ? zqwin::Descendants(m_main, className) : std::vector<HWND>{};
    return found.empty() ? nullptr : found.front();
}

// ---- Ending --------------------------------------------------------------------------------

bool ZqDriver::Close() const
{
    return m_main != nullptr && PostMessageW(m_main, WM_CLOSE, 0, 0);
}
