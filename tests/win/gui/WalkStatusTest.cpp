// The status bar while a walk runs: how far it has come, then the idle text again.
#include <filesystem>

#include "GuiTestSupport.h"
#include "folderdata/CDirSzLst.h"

namespace {

class WalkStatusTest : public GuiTest {};

TEST_F(WalkStatusTest, AReaggregationShowsItsProgressAgainstTheStoredRecordThenReady)
{
    const std::filesystem::path root = std::filesystem::current_path() / "walked";
    WriteFile(root / "a" / "x.txt", 1);
    WriteFile(root / "a" / "y.txt", 2);
    WriteFile(root / "b" / "z.txt", 3);
    const std::string key = KeyOf(root);
    ProgramRun run;
    CStatusBar& status = run.Frame().GetStatusBarControl();
    ASSERT_TRUE(Show(run.Tree(), key));
    run.Command(ID_AGGREGATE);
    ASSERT_TRUE(run.App().m_folderInfo.FindEntry(key));

    // every folder's report shown, so that a walk this small shows any
    run.App().m_walkStatus.m_pace = {};
    run.App().m_bReaggregate = 1;
    std::vector<std::wstring> shown;
    m_platform.m_onPump = [&] {
        if (status.GetPaneText(0) != L"ﾚﾃﾞｨ")
            shown.push_back(status.GetPaneText(0));
    };
    run.Command(ID_AGGREGATE);
    m_platform.m_onPump = nullptr;
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), L"0 ﾌｫﾙﾀﾞ  0 / 3 ﾌｧｲﾙ (0 %)");
    EXPECT_EQ(status.GetPaneText(0), L"ﾚﾃﾞｨ");
}

}  // namespace
