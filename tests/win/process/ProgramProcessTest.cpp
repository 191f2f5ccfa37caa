// FolderZQ.exe run as a user runs it, driven from this process: start-up, the tip, saving and exit.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "ZqDriver.h"
#include "res/resource.h"

namespace {

const wchar_t* const kTitle = L"フォルダ ZQ";

std::wstring ExeDirectory()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring exe(path);
    return exe.substr(0, exe.find_last_of(L"\\/"));
}

// The program's current folder, where it keeps its store folder; fresh for each test.
class ProgramProcessTest : public ::testing::Test {
protected:
    ProgramProcessTest()
    {
        m_scratch = std::filesystem::temp_directory_path() /
                    ("zqprocess-" + std::to_string(GetCurrentProcessId()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_scratch);
        std::filesystem::create_directories(m_scratch);
    }
    ~ProgramProcessTest() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_scratch, ignored);
    }

    // Starts the program; the tip box is then waiting for an answer.
    bool Start(ZqDriver& zq)
    {
        return zq.Start(ExeDirectory() + L"\\FolderZQ.exe", m_scratch.wstring()) &&
               zq.WaitForMainWindow(kTitle) != nullptr;
    }
    std::filesystem::path Store(const std::string& name) const
    {
        return m_scratch / std::filesystem::u8path("フォルダZQ Position") / std::filesystem::u8path(name);
    }
    std::intmax_t StoreSize(const std::string& name) const
    {
        std::error_code error;
        const auto size = std::filesystem::file_size(Store(name), error);
        return error ? -1 : static_cast<std::intmax_t>(size);
    }
    int32_t TipNumber() const
    {
        int32_t number = -2;
        std::ifstream(Store("One Point Number"), std::ios::binary).read(reinterpret_cast<char*>(&number), 4);
        return number;
    }
    // The tip on screen; empty when none comes.
    static std::wstring TipText(ZqDriver& zq)
    {
        HWND hTip = zq.WaitForDialog(kTitle);
        return hTip ? zq.DialogText(hTip) : std::wstring();
    }
    // The program writes the tip number just after the tip box closes.
    bool WaitForTipNumber(int32_t expected) const
    {
        for (int tries = 0; tries < 100; ++tries) {
            if (TipNumber() == expected)
                return true;
            Sleep(50);
        }
        return false;
    }
    static void ExpectExitCode(ZqDriver& zq, DWORD expected)
    {
        const auto code = zq.WaitForExit();
        ASSERT_TRUE(code.has_value()) << "the program did not end";
        EXPECT_EQ(*code, expected);
    }

    std::filesystem::path m_scratch;
};

}  // namespace

TEST_F(ProgramProcessTest, StartsWithTheFirstTipOverOneSplitWindowAndSaveAllWritesTheStore)
{
    ZqDriver zq;
    ASSERT_TRUE(Start(zq));
    const std::wstring tip = TipText(zq);
    EXPECT_EQ(tip.rfind(L"――――　ワンポイント　――――", 0), 0u) << "tip: " << tip.size();
    EXPECT_NE(tip.find(L"すべて保存"), std::wstring::npos);
    ASSERT_TRUE(zq.AnswerMessageBox(IDYES));
    EXPECT_TRUE(WaitForTipNumber(0));
    EXPECT_EQ(zq.MainTitle(), L"フォルダ ZQ - E1");
    EXPECT_EQ(zq.MdiChildren().size(), 1u);
    EXPECT_EQ(zq.Toolbars().size(), 6u);
    EXPECT_TRUE(zq.WaitForStatusText(0, L"ﾚﾃﾞｨ"));
    EXPECT_NE(zq.FindDescendant(L"SysTreeView32"), nullptr);
    EXPECT_NE(zq.FindDescendant(L"SysListView32"), nullptr);
    zq.PostCommand(ID_APP_ABOUT);
    HWND hAbout = zq.WaitForDialog(L"フォルダ ZQ のﾊﾞｰｼﾞｮﾝ情報");
    ASSERT_NE(hAbout, nullptr);
    EXPECT_NE(zq.DialogText(hAbout).find(L"Version"), std::wstring::npos);
    ASSERT_TRUE(zq.ClickButton(hAbout, IDOK));
    EXPECT_TRUE(zq.WaitForWindowGone(hAbout));
    zq.PostCommand(ID_SAVE_ALL);
    zq.PostCommand(ID_APP_EXIT);
    ExpectExitCode(zq, 0);
    EXPECT_EQ(StoreSize("Mn"), 86);
    EXPECT_EQ(StoreSize("Tool Bar"), 96);
    // the frame's 60 bytes, then the tree's: selected "C:\", one open folder "C:\" with its state
    EXPECT_EQ(StoreSize("Child Wind "), 4 + 60 + 16);
}

TEST_F(ProgramProcessTest, CancelOnTheTipEndsTheProgramAndTheNextStartShowsTheNextTip)
{
    {
        ZqDriver zq;
        ASSERT_TRUE(Start(zq));
        ASSERT_TRUE(zq.AnswerMessageBox(IDCANCEL));
        ExpectExitCode(zq, 0);
    }
    EXPECT_EQ(TipNumber(), 0);
    ZqDriver zq;
    ASSERT_TRUE(Start(zq));
    EXPECT_NE(TipText(zq).find(L"カラムの順番を変えられます"), std::wstring::npos);
    ASSERT_TRUE(zq.AnswerMessageBox(IDNO));
    EXPECT_NE(TipText(zq).find(L"カラムの横幅を変えられます"), std::wstring::npos);
    ASSERT_TRUE(zq.AnswerMessageBox(IDYES));
    EXPECT_TRUE(WaitForTipNumber(2));
    // the close box saves nothing
    zq.PostCommand(ID_KBYTE_1024);
    EXPECT_TRUE(zq.Close());
    ExpectExitCode(zq, 0);
    EXPECT_EQ(StoreSize("Mn"), -1);
}

TEST_F(ProgramProcessTest, TheTreeShowsTheComputerWithItsDrivesAndOpensAFolderOnExpanding)
{
    ZqDriver zq;
    ASSERT_TRUE(Start(zq));
    ASSERT_TRUE(zq.AnswerMessageBox(IDYES));
    HWND hTree = zq.FindDescendant(L"SysTreeView32");
    ASSERT_NE(hTree, nullptr);
    const ZqControlReader& reader = zq.Controls();
    HTREEITEM hComputer = reader.TreeRoot(hTree);
    EXPECT_EQ(reader.TreeItemText(hTree, hComputer), L"ﾏｲ ｺﾝﾋﾟｭｰﾀ");
    std::vector<std::wstring> drives;
    HTREEITEM hZ = nullptr;
    for (HTREEITEM hDrive : reader.TreeChildren(hTree, hComputer)) {
        drives.push_back(reader.TreeItemText(hTree, hDrive));
        // the six state images come first; a drive shows the shell's icon appended after them
        EXPECT_GE(reader.TreeItemImage(hTree, hDrive), 6);
        if (drives.back().find(L"(Z:)") != std::wstring::npos)
            hZ = hDrive;
    }
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_NE(drives[0].find(L"(C:)"), std::wstring::npos);
    ASSERT_NE(hZ, nullptr);
    // the first fixed drive is open and selected
    EXPECT_TRUE(reader.TreeIsExpanded(hTree, reader.TreeSelection(hTree)));
    ASSERT_TRUE(reader.TreeExpand(hTree, hZ));
    EXPECT_NE(reader.TreeFindChild(hTree, hZ, L"tmp"), nullptr);
    EXPECT_NE(reader.TreeFindChild(hTree, hZ, L"usr"), nullptr);
    zq.Close();
    ExpectExitCode(zq, 0);
}
