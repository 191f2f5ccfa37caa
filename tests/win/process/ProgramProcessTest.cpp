// FolderZQ.exe run as a user runs it, driven from this process: start-up, the tip, saving and exit.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>

#include "../ScratchFolder.h"
#include "ZqDriver.h"
#include "ZqWindows.h"
#include "res/resource.h"

namespace {

const wchar_t* const kTitle = L"フォルダ ZQ";

class ProgramProcessTest : public ::testing::Test {
protected:
    // Starts the program; the tip box is then waiting for an answer.
    bool Start(ZqDriver& zq)
    {
        return zq.Start(ZqProcess::BesideThisProgram(L"FolderZQ.exe"), m_scratch.Path().wstring()) &&
               zq.WaitForMainWindow(kTitle) != nullptr;
    }
    int32_t TipNumber() const
    {
        int32_t number = -2;
        std::ifstream(m_scratch.Store("One Point Number"), std::ios::binary).read(reinterpret_cast<char*>(&number), 4);
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
        return zqwin::WaitUntil([&] { return TipNumber() == expected; }, 5000, 50);
    }

    ScratchFolder m_scratch{"zqprocess"};
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
    EXPECT_EQ(zq.MainTitle().rfind(L"フォルダ ZQ - C:\\ ： ", 0), 0u);  // the list's title of the start folder
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
    EXPECT_EQ(zq.WaitForExit(), 0u);
    // what the records hold is the store tests' business; here: the real process wrote them
    for (const char* name : {"Mn", "Tool Bar", "Child Wind "})
        EXPECT_GT(m_scratch.StoreSize(name), 0) << name;
}

TEST_F(ProgramProcessTest, CancelOnTheTipEndsTheProgramAndTheNextStartShowsTheNextTip)
{
    {
        ZqDriver zq;
        ASSERT_TRUE(Start(zq));
        ASSERT_TRUE(zq.AnswerMessageBox(IDCANCEL));
        EXPECT_EQ(zq.WaitForExit(), 0u);
    }
    EXPECT_EQ(TipNumber(), 0);
    ZqDriver zq;
    ASSERT_TRUE(Start(zq));
    EXPECT_NE(TipText(zq).find(L"カラムの順番を変えられます"), std::wstring::npos);
    ASSERT_TRUE(zq.AnswerMessageBox(IDNO));
    EXPECT_NE(TipText(zq).find(L"カラムの横幅を変えられます"), std::wstring::npos);
    ASSERT_TRUE(zq.AnswerMessageBox(IDYES));
    EXPECT_TRUE(WaitForTipNumber(2));
    EXPECT_TRUE(zq.Close());
    EXPECT_EQ(zq.WaitForExit(), 0u);
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
    EXPECT_EQ(zq.WaitForExit(), 0u);
}
