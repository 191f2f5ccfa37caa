// Tests of the GUI driver against FakeTarget, run under Wine with a display.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "ZqDriver.h"
#include "ZqWindows.h"
#include "resource.h"

namespace {

const wchar_t* const kTitle = L"フォルダ ZQ";

std::wstring ExeDirectory()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    return dir.substr(0, dir.find_last_of(L"\\/"));
}

// A fresh scratch folder per test: the program's current directory.
std::wstring ScratchDirectory()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::wstring dir = std::wstring(temp) + L"zqdriver-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (const char* c = info->name(); *c != '\0'; ++c)
        dir += static_cast<wchar_t>(*c);
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

// How many different pixel colours a 24-bit BMP holds: a blank or black screen has one or two.
size_t DistinctColours(const std::wstring& bmpPath)
{
    std::set<DWORD> colours;
    FILE* file = _wfopen(bmpPath.c_str(), L"rb");
    if (file == nullptr)
        return 0;
    std::vector<unsigned char> bytes(16 << 20);
    fseek(file, 54, SEEK_SET);
    size_t read = fread(bytes.data(), 1, bytes.size(), file);
    fclose(file);
    for (size_t i = 0; i + 2 < read; i += 3)
        colours.insert(bytes[i] | bytes[i + 1] << 8 | bytes[i + 2] << 16);
    return colours.size();
}

class ZqDriverTest : public ::testing::Test {
protected:
    // Starts the fake program and waits for its frame; false (with a failure) when it does not come.
    bool StartFake(const std::wstring& arguments)
    {
        m_scratch = ScratchDirectory();
        if (!m_zq.Start(ExeDirectory() + L"\\zq_fake_target.exe", m_scratch, arguments)) {
            ADD_FAILURE() << "the fake program did not start";
            return false;
        }
        if (m_zq.WaitForMainWindow(kTitle) == nullptr) {
            ADD_FAILURE() << "no main window";
            return false;
        }
        return true;
    }

    void CloseAndExpectExit(DWORD expected)
    {
        EXPECT_TRUE(m_zq.Close());
        auto code = m_zq.WaitForExit();
        ASSERT_TRUE(code.has_value()) << "the program did not end";
        EXPECT_EQ(*code, expected);
    }

    void TearDown() override
    {
        m_zq.Process().Terminate();
        if (!m_scratch.empty()) {
            DeleteFileW((m_scratch + L"\\screen.bmp").c_str());
            RemoveDirectoryW(m_scratch.c_str());
        }
    }

    HWND Tree() const { return m_zq.FindDescendant(WC_TREEVIEWW); }
    HWND List() const { return m_zq.FindDescendant(WC_LISTVIEWW); }

    ZqDriver m_zq;
    std::wstring m_scratch;
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
    CloseAndExpectExit(0);
}

TEST_F(ZqDriverTest, CancelOnTheTipEndsTheProgramWithZero)
{
    ASSERT_TRUE(StartFake(L"--exit-code=9"));
    ASSERT_TRUE(m_zq.AnswerMessageBox(IDCANCEL));
    auto code = m_zq.WaitForExit();
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
}

TEST_F(ZqDriverTest, ReadsStatusBarToolbarAndChildTitles)
{
    ASSERT_TRUE(StartFake(L"--no-tip"));
    EXPECT_EQ(m_zq.StatusText(0), L"ﾚﾃﾞｨ");
    EXPECT_EQ(m_zq.StatusText(1), L"ｶﾅ");
    EXPECT_EQ(m_zq.StatusText(4), L"SCRL");
    std::vector<HWND> toolbars = m_zq.Toolbars();
    ASSERT_EQ(toolbars.size(), 1u);
    std::vector<std::wstring> expected = {L"ｳｨﾝﾄﾞ", L"並列", L"|", L"ﾌｫﾙﾀﾞ", L"上へ", L"|", L"更新"};
    EXPECT_EQ(m_zq.ToolbarLabels(toolbars[0]), expected);
    EXPECT_EQ(m_zq.Controls().ToolbarButtons(toolbars[0])[4].command, ID_FOLDER_UP);
    ASSERT_EQ(m_zq.MdiChildren().size(), 1u);
    EXPECT_EQ(m_zq.ActiveMdiChild(), m_zq.MdiChildren()[0]);
    EXPECT_EQ(m_zq.MdiChildTitles(), std::vector<std::wstring>{L"C:\\ (3 ｵﾌﾞｼﾞｪｸﾄ)"});
    CloseAndExpectExit(0);
}

TEST_F(ZqDriverTest, ReadsAndWorksTheTree)
{
    ASSERT_TRUE(StartFake(L"--no-tip"));
    HWND tree = Tree();
    ASSERT_NE(tree, nullptr);
    const ZqControlReader& controls = m_zq.Controls();
    std::vector<std::wstring> lines;
    for (const auto& line : controls.TreeVisibleLines(tree))
        lines.push_back(std::wstring(line.depth * 2, L' ') + line.text);
    std::vector<std::wstring> expected = {L"ﾏｲ ｺﾝﾋﾟｭｰﾀ", L"  C:\\", L"    Windows", L"    12,345 KB>ユーザー",
                                          L"    照合>ﾃﾞｰﾀ", L"  Z:\\"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(controls.TreeItemText(tree, controls.TreeSelection(tree)), L"C:\\");
    HTREEITEM drive = controls.TreeFindChild(tree, controls.TreeRoot(tree), L"C:\\");
    HTREEITEM user = controls.TreeFindChild(tree, drive, L"12,345 KB>ユーザー");
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(controls.TreeItemImage(tree, user), 4);
    EXPECT_TRUE(controls.TreeSelect(tree, user));
    EXPECT_EQ(controls.TreeSelection(tree), user);
    CloseAndExpectExit(0);
}

TEST_F(ZqDriverTest, ReadsAndSelectsListRows)
{
    ASSERT_TRUE(StartFake(L"--no-tip"));
    HWND list = List();
    ASSERT_NE(list, nullptr);
    const ZqControlReader& controls = m_zq.Controls();
    ASSERT_EQ(controls.ListCount(list), 3);
    ASSERT_EQ(controls.ListColumnCount(list), 3);
    EXPECT_EQ(controls.ListColumnTitle(list, 1), L"サイズ");
    EXPECT_EQ(controls.ListColumnTexts(list, 0), (std::vector<std::wstring>{L"Windows", L"ユーザー", L"readme.txt"}));
    EXPECT_EQ(controls.ListItemText(list, 1, 1), L"12,345 KB");
    EXPECT_EQ(controls.ListItemText(list, 2, 2), L"ﾃｷｽﾄ ﾌｧｲﾙ");
    EXPECT_TRUE(controls.ListSelectedRows(list).empty());
    ASSERT_TRUE(controls.ListSelectRow(list, 2));
    ASSERT_TRUE(controls.ListSelectRow(list, 0, false));
    EXPECT_EQ(controls.ListSelectedRows(list), (std::vector<int>{0, 2}));
    CloseAndExpectExit(0);
}

TEST_F(ZqDriverTest, PostedCommandsAndKeysArrive)
{
    ASSERT_TRUE(StartFake(L"--no-tip"));
    ASSERT_TRUE(m_zq.PostCommand(ID_AGGREGATE));
    EXPECT_TRUE(m_zq.WaitForStatusText(0, L"command 32810"));
    HWND tree = Tree();
    ASSERT_TRUE(zqwin::WaitUntil([&] { return m_zq.FocusWindow() == tree; }, 5000));
    ASSERT_TRUE(m_zq.PostKey(VK_DELETE));
    EXPECT_TRUE(m_zq.WaitForStatusText(0, L"key 0x2E"));
    ASSERT_TRUE(m_zq.PostKey(VK_RETURN, List()));
    EXPECT_TRUE(m_zq.WaitForStatusText(0, L"key 0x0D"));
    CloseAndExpectExit(0);
}

TEST_F(ZqDriverTest, TypedKeysGoThroughTheAccelerators)
{
    ASSERT_TRUE(StartFake(L"--no-tip"));
    ASSERT_TRUE(m_zq.TypeKey('S', true));
    EXPECT_TRUE(m_zq.WaitForStatusText(0, L"command 32892"));
    ASSERT_TRUE(m_zq.TypeKey(VK_DELETE, false, true));
    EXPECT_TRUE(m_zq.WaitForStatusText(0, L"command 57635"));
    CloseAndExpectExit(0);
}

TEST_F(ZqDriverTest, WorksTheAboutBoxAndTheCopyConfirmation)
{
    ASSERT_TRUE(StartFake(L"--no-tip"));
    ASSERT_TRUE(m_zq.PostCommand(ID_APP_ABOUT));
    HWND about = m_zq.WaitForDialog(L"フォルダ ZQ のﾊﾞｰｼﾞｮﾝ情報");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(m_zq.ControlText(about, IDC_ABOUT_VERSION), L"フォルダ ZQ Version 2．10");
    ASSERT_TRUE(m_zq.ClickButton(about, IDOK));
    EXPECT_TRUE(m_zq.WaitForStatusText(0, L"about closed"));

    ASSERT_TRUE(m_zq.PostCommand(ID_EDIT_PASTE));
    HWND confirm = m_zq.WaitForDialog(L"ファイルのコピーの確認");
    ASSERT_NE(confirm, nullptr);
    EXPECT_TRUE(m_zq.IsButtonChecked(confirm, IDC_SKIP_SAME_TIME));
    ASSERT_TRUE(m_zq.ClickButton(confirm, IDC_SKIP_SAME_TIME));
    ASSERT_TRUE(zqwin::WaitUntil([&] { return !m_zq.IsButtonChecked(confirm, IDC_SKIP_SAME_TIME); }, 5000));
    ASSERT_TRUE(m_zq.ClickButton(confirm, IDOK));
    EXPECT_TRUE(m_zq.WaitForStatusText(0, L"copy all"));
    CloseAndExpectExit(0);
}

TEST_F(ZqDriverTest, FillsAndReadsTheModelessSearchDialog)
{
    ASSERT_TRUE(StartFake(L"--no-tip"));
    ASSERT_TRUE(m_zq.PostCommand(ID_SHOW_SEARCH));
    HWND search = m_zq.WaitForDialog(L"フォルダ ZQ　フォルダの検索");
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(m_zq.ControlText(search, IDC_SEARCH_MESSAGE), L"ﾌｫﾙﾀﾞの検索条件を入力して下さい。");
    ASSERT_TRUE(m_zq.SetControlText(search, IDC_SEARCH_MODIFIED_DATE, L"1960/1/1"));
    EXPECT_EQ(m_zq.ControlText(search, IDC_SEARCH_MODIFIED_DATE), L"1960/1/1");
    ASSERT_TRUE(m_zq.ClickButton(search, IDOK));
    EXPECT_TRUE(zqwin::WaitUntil([&] {
        return m_zq.ControlText(search, IDC_SEARCH_MESSAGE).rfind(L"更新日時がエラーです。", 0) == 0;
    }, 5000));
    ASSERT_TRUE(m_zq.ClickButton(search, IDCANCEL));
    EXPECT_TRUE(m_zq.WaitForWindowGone(search));
    CloseAndExpectExit(0);
}

TEST_F(ZqDriverTest, ExitCommandReportsItsExitCode)
{
    ASSERT_TRUE(StartFake(L"--no-tip --exit-code=7"));
    ASSERT_TRUE(m_zq.PostCommand(ID_APP_EXIT));
    auto code = m_zq.WaitForExit();
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 7u);
}

TEST_F(ZqDriverTest, SavesAScreenshotOfTheDesktop)
{
    ASSERT_TRUE(StartFake(L"--no-tip"));
    std::wstring path = m_scratch + L"\\screen.bmp";
    ASSERT_TRUE(ZqDriver::SaveScreenshot(path));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    EXPECT_EQ(data.nFileSizeLow, 54u + static_cast<DWORD>((width * 3 + 3) & ~3) * height);
    EXPECT_GT(DistinctColours(path), 16u) << "the shot shows no windows";
    CloseAndExpectExit(0);
}

}  // namespace
