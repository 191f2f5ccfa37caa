// The walk's progress in the status bar: its text, its pace, and what a walk reports.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "app/CWalkStatus.h"
#include "folderdata/CWalkProgress.h"

namespace {

using namespace std::chrono_literals;

TEST(WalkStatus, TextCountsFoldersAndFilesAndMeasuresFilesAgainstAStoredRecord)
{
    const struct { CWalkProgress progress; const char* text; } cases[] = {
        {{0, 0, -1}, "0 ﾌｫﾙﾀﾞ  0 ﾌｧｲﾙ"},
        {{1234, 1234567, -1}, "1,234 ﾌｫﾙﾀﾞ  1,234,567 ﾌｧｲﾙ"},
        {{17, 12345, 147240}, "17 ﾌｫﾙﾀﾞ  12,345 / 147,240 ﾌｧｲﾙ (8 %)"},
        // files added since the record was made, and a record of no files
        {{2, 500, 100}, "2 ﾌｫﾙﾀﾞ  500 / 100 ﾌｧｲﾙ (100 %)"},
        {{1, 7, 0}, "1 ﾌｫﾙﾀﾞ  7 ﾌｧｲﾙ"},
        {{0, 5000000000, 10000000000}, "0 ﾌｫﾙﾀﾞ  5,000,000,000 / 10,000,000,000 ﾌｧｲﾙ (50 %)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CWalkStatus::Text(c.progress), c.text) << c.text;
}

TEST(WalkStatus, FirstTextAfterOnePaceThenAtMostOneAPaceAndIdleOnlyWhenOneWasShown)
{
    const CWalkStatus::Clock::time_point t0{};
    CWalkStatus status;
    status.Begin(t0);
    EXPECT_FALSE(status.TakeTurn(t0 + 249ms));
    EXPECT_FALSE(status.End());  // a short walk leaves the status bar alone

    status.Begin(t0);
    EXPECT_TRUE(status.TakeTurn(t0 + 250ms));
    EXPECT_FALSE(status.TakeTurn(t0 + 400ms));
    EXPECT_TRUE(status.TakeTurn(t0 + 600ms));
    EXPECT_TRUE(status.End());
    EXPECT_FALSE(status.End());
}

// Records what the status bar would show, at every folder.
class RecordingApp : public CAppCore {
public:
    RecordingApp() { m_walkStatus.m_pace = {}; }
    std::vector<std::string> texts;

protected:
    void ShowWalkStatus(const std::string& text) override { texts.push_back(text); }
};

TEST(WalkStatus, ARecountShowsItsProgressAgainstTheStoredRecordAndEndsIdle)
{
    RecordingApp app;
    CFolderWalk& walk = app.m_settings.m_walk;
    TempTree tree;
    for (const char* file : {"a/x", "a/y", "b/z"})
        tree.File(file, 1);
    CSizeInfo total, direct;
    // One text before each folder, then the idle text.
    ASSERT_TRUE(walk.AggregateFolder(tree.Key(), total, direct, nullptr, false, false));
    ASSERT_EQ(app.texts.size(), 4u);
    EXPECT_EQ(app.texts[0], "0 ﾌｫﾙﾀﾞ  0 ﾌｧｲﾙ");
    EXPECT_EQ(app.texts[3], "");

    // Within a command each walk counts afresh against its folder's record, and the idle text
    // comes once, at the command's end.
    app.texts.clear();
    walk.BeginCommand();
    ASSERT_TRUE(walk.AggregateFolder(tree.Key(), total, direct, nullptr, true, false));
    ASSERT_TRUE(walk.AggregateFolder(tree.Key("a"), total, direct, nullptr, false, false));
    walk.EndCommand();
    ASSERT_EQ(app.texts.size(), 5u);
    EXPECT_EQ(app.texts[1], "0 ﾌｫﾙﾀﾞ  0 / 3 ﾌｧｲﾙ (0 %)");
    // after the first sub-folder, whichever the system listed first
    EXPECT_TRUE(app.texts[2] == "1 ﾌｫﾙﾀﾞ  2 / 3 ﾌｧｲﾙ (66 %)" || app.texts[2] == "1 ﾌｫﾙﾀﾞ  1 / 3 ﾌｧｲﾙ (33 %)")
        << app.texts[2];
    EXPECT_EQ(app.texts[3], "0 ﾌｫﾙﾀﾞ  0 / 2 ﾌｧｲﾙ (0 %)");
    EXPECT_EQ(app.texts[4], "");
}

}  // namespace
