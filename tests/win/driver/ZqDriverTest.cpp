// Tests of the GUI driver against FakeTarget, run under Wine with a display.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "../ScratchFolder.h"
#include "ZqDriver.h"
#include "ZqScreenshot.h"
#include "ZqWindows.h"
#include "resource.h"

namespace {

const wchar_t* const kTitle = L"フォルダ ZQ";

// How many different pixel colours a 24-bit BMP holds: a blank or black screen has one or two.
size_t DistinctColours(const std::filesystem::path& bmp)
{
    std::ifstream in(bmp, std::ios::binary);
    in.seekg(54);
    std::set<DWORD> colours;
    for (unsigned char bgr[3]; in.read(reinterpret_cast<char*>(bgr), 3);)
        colours.insert(bgr[0] | bgr[1] << 8 | bgr[2] << 16);
    return colours.size();
}

class ZqDriverTest : public ::testing::Test {
protected:
    // Starts the fake program and waits for its frame; false when it does not come.
    bool StartFake(const std::wstring& arguments)
    {
        return m_zq.Start(ZqProcess::BesideThisProgram(L"zq_fake_target.exe"), m_scratch.Path().wstring(), arguments) &&
               m_zq.WaitForMainWindow(kTitle) != nullptr;
    }

    void CloseAndExpectExitCodeZero()
    {
        EXPECT_TRUE(m_zq.Close());
        EXPECT_EQ(m_zq.WaitForExit(), 0u);
    }

    // Declared first so that it goes last: the program, still running after a failure, is ended
    // before its current folder is removed.
    ScratchFolder m_scratch{"zqdriver"};
    ZqDriver m_zq;
};

TEST_F(ZqDriverTest, FindsTheFrameAndPagesThroughTheTip)
{
    ASSERT_TRUE(StartFake(L""));
    EXPECT_EQ(m_zq.MainTitle(), L"フォルダ ZQ - C:\\");
    HWND tip = m_zq.WaitForDialog(kTitle);
    ASSERT_NE(tip, nullptr);
    EXPECT_NE(m_zq.DialogText(tip).find(L"テスト用のワンポイント 0 です。"), std::wstring::npos) << "got: "
        << ::testing::PrintToString(m_zq.DialogText(tip));
    ASSERT_TRUE(m_zq.ClickButton(tip, IDNO));
    ASSERT_TRUE(zqwin::WaitUntil([&] {
        HWND next = m_zq.FindDialog(kTitle);
        return next != nullptr && m_zq.DialogText(next).find(L"ワンポイント 1") != std::wstring::npos;
    }, 10000));
    ASSERT_TRUE(m_zq.AnswerMessageBox(IDYES));
    EXPECT_TRUE(m_zq.WaitForStatusText(0, L"tip yes 1"));
    CloseAndExpectExitCodeZero();
}

TEST_F(ZqDriverTest, ExitCommandReportsItsExitCode)
{
    ASSERT_TRUE(StartFake(L"--no-tip --exit-code=7"));
    ASSERT_TRUE(m_zq.PostCommand(ID_APP_EXIT));
    EXPECT_EQ(m_zq.WaitForExit(), 7u);
}

TEST_F(ZqDriverTest, PostedCommandsAndTypedKeysArrive)
{
    ASSERT_TRUE(StartFake(L"--no-tip"));
    EXPECT_EQ(m_zq.StatusText(0), L"ﾚﾃﾞｨ");
    ASSERT_TRUE(m_zq.PostCommand(ID_AGGREGATE));
    EXPECT_TRUE(m_zq.WaitForStatusText(0, L"command 32810"));
    // typed keys go through the accelerators
    ASSERT_TRUE(m_zq.TypeKey('S', VK_CONTROL));
    EXPECT_TRUE(m_zq.WaitForStatusText(0, L"command 32892"));
    ASSERT_TRUE(m_zq.TypeKey(VK_DELETE, VK_SHIFT));
    EXPECT_TRUE(m_zq.WaitForStatusText(0, L"command 57635"));
    CloseAndExpectExitCodeZero();
}

TEST_F(ZqDriverTest, SavesAScreenshotOfTheDesktop)
{
    ASSERT_TRUE(StartFake(L"--no-tip"));
    const std::filesystem::path path = m_scratch.Path() / "screen.bmp";
    ASSERT_TRUE(zqshot::SaveScreenBmp(path.wstring()));
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    EXPECT_EQ(std::filesystem::file_size(path), 54u + static_cast<std::uintmax_t>((width * 3 + 3) & ~3) * height);
    EXPECT_GT(DistinctColours(path), 16u) << "the shot shows no windows";
    CloseAndExpectExitCodeZero();
}

}  // namespace
