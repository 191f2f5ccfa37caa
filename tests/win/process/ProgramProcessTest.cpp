// FolderZQ.exe run as a user runs it, driven from this process: start-up, the tip, saving and exit.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>

#include "../ScratchFolder.h"
#include "ZqWindows.h"
#include "res/resource.h"

namespace {

const wchar_t* const kTitle = L"フォルダ ZQ";

// One run of the program with the scratch folder as its current directory (its store folder goes
// there); a run still going when the test ends is ended, so no program stays on the shared display.
class ProgramRun {
public:
    explicit ProgramRun(const ScratchFolder& scratch)
    {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring exe(self);
        exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"FolderZQ.exe";
        std::wstring commandLine = L"\"" + exe + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           scratch.Path().wstring().c_str(), &startup, &m_info))
            m_main = Wait(kTitle, false, 20000);
    }
    ~ProgramRun()
    {
        TerminateProcess(m_info.hProcess, 99);  // fails harmlessly once it has ended
        CloseHandle(m_info.hThread);
        CloseHandle(m_info.hProcess);
    }
    // A top-level window of this run whose title starts with prefix; null after timeoutMs.
    HWND Wait(const std::wstring& prefix, bool dialog, DWORD timeoutMs = 10000) const
    {
        return zqwin::WaitForTopLevel(m_info.dwProcessId, prefix, dialog, timeoutMs);
    }
    // A message box's message: its static texts, icons left out.
    static std::wstring DialogText(HWND dialog)
    {
        std::wstring text;
        for (HWND child : zqwin::Children(dialog, L"Static"))
            if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
                text += zqwin::TextOf(child);
        return text;
    }
    // The tip text on screen (empty when none comes), answered with buttonId.
    std::wstring AnswerTip(int buttonId) const
    {
        HWND tip = Wait(kTitle, true);
        const std::wstring text = tip ? DialogText(tip) : std::wstring();
        EXPECT_TRUE(tip && zqwin::ClickAndWaitGone(tip, buttonId, 10000));
        return text;
    }
    void Command(UINT id) const { PostMessageW(m_main, WM_COMMAND, id, 0); }
    // The exit code once the program has ended within 15 s; 99 while it still runs.
    DWORD ExitCode() const
    {
        DWORD code = 99;
        if (WaitForSingleObject(m_info.hProcess, 15000) == WAIT_OBJECT_0)
            GetExitCodeProcess(m_info.hProcess, &code);
        return code;
    }

    HWND m_main = nullptr;

private:
    PROCESS_INFORMATION m_info{};
};

class ProgramProcessTest : public ::testing::Test {
protected:
    int32_t TipNumber() const
    {
        int32_t number = -2;
        std::ifstream(m_scratch.Store("One Point Number"), std::ios::binary).read(reinterpret_cast<char*>(&number), 4);
        return number;
    }
    // The program writes the tip number just after the tip box closes.
    bool WaitForTipNumber(int32_t expected) const
    {
        return zqwin::WaitUntil([&] { return TipNumber() == expected; }, 5000, 50);
    }

    ScratchFolder m_scratch{"zqprocess"};
};

}  // namespace

TEST_F(ProgramProcessTest, TipsInTurnOneSplitWindowSaveAllAndExit)
{
    {
        ProgramRun zq(m_scratch);
        ASSERT_NE(zq.m_main, nullptr);
        const std::wstring tip = zq.AnswerTip(IDCANCEL);  // the first tip; Cancel ends the program
        EXPECT_EQ(tip.rfind(L"――――　ワンポイント　――――", 0), 0u) << "tip: " << tip.size();
        EXPECT_NE(tip.find(L"すべて保存"), std::wstring::npos);
        EXPECT_EQ(zq.ExitCode(), 0u);
    }
    EXPECT_EQ(TipNumber(), 0);
    ProgramRun zq(m_scratch);
    EXPECT_NE(zq.AnswerTip(IDNO).find(L"カラムの順番を変えられます"), std::wstring::npos);
    EXPECT_NE(zq.AnswerTip(IDYES).find(L"カラムの横幅を変えられます"), std::wstring::npos);
    EXPECT_TRUE(WaitForTipNumber(2));
    // the list's title of the start folder (what the window holds is the in-process start-up tests' business)
    EXPECT_EQ(zqwin::TextOf(zq.m_main).rfind(L"フォルダ ZQ - C:\\ ： ", 0), 0u);
    zq.Command(ID_APP_ABOUT);
    HWND hAbout = zq.Wait(L"フォルダ ZQ のﾊﾞｰｼﾞｮﾝ情報", true);
    ASSERT_NE(hAbout, nullptr);
    EXPECT_NE(ProgramRun::DialogText(hAbout).find(L"Version"), std::wstring::npos);
    EXPECT_TRUE(zqwin::ClickAndWaitGone(hAbout, IDOK, 10000));
    zq.Command(ID_SAVE_ALL);
    zq.Command(ID_APP_EXIT);
    EXPECT_EQ(zq.ExitCode(), 0u);
    // what the records hold is the store tests' business; here: the real process wrote them
    for (const char* name : {"Mn", "Tool Bar", "Child Wind "})
        EXPECT_GT(m_scratch.StoreSize(name), 0) << name;
}
