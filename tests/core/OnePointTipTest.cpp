// The start-up tips: the table, which tip a start shows, paging with No, and the stored index.
#include <gtest/gtest.h>

#include <string>

#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "app/COnePointTips.h"
#include "core/StoreTestSupport.h"
#include "text/Cp932.h"

namespace {

const std::string kTipHeading = "――――　ワンポイント　――――";
const std::string kTipFile = "フォルダZQ Position\\One Point Number";

class OnePointTipTest : public ::testing::Test {
protected:
    // Shows the tips with the given answers; returns the index of each tip shown, in order.
    std::vector<int> ShowWith(std::initializer_list<int> answers)
    {
        platform.answers.assign(answers);
        platform.messages.clear();
        lastAnswer = app.ShowOnePointTip();
        std::vector<int> shown;
        for (const std::string& text : platform.messages)
            shown.push_back(IndexOf(text));
        return shown;
    }
    static int IndexOf(const std::string& text)
    {
        for (int i = 0; i < COnePointTips::kTableSize; ++i)
            if (COnePointTips::GetTip(i) == text)
                return i;
        return -100;
    }
    // The tip file holds the index of the last tip shown, and nothing else.
    static std::string IndexBytes(int32_t index) { return StoredBytes().Int(index).Str(); }
    void StoreIndex(int32_t index) { folder.WriteBytes(kTipFile, IndexBytes(index)); }
    std::string TipFile() { return folder.ReadBytes(kTipFile); }

    ScopedStoreFolder folder;
    CScriptedPlatform platform;
    CAppCore app;
    int lastAnswer = 0;
};

}  // namespace

TEST_F(OnePointTipTest, TheTableHoldsTenTipsEachStartShowsTheNextAndNoPagesThroughThemUntilYesOrCancel)
{
    // Ten tips, in code page 932 text; nothing outside the table.
    for (int i = 0; i < 10; ++i) {
        const std::string& tip = COnePointTips::GetTip(i);
        EXPECT_EQ(tip.rfind(kTipHeading, 0), 0u) << i;
        EXPECT_EQ(Cp932::ToUtf8(Cp932::FromUtf8(tip)), tip) << "tip " << i << " must be code page 932 text";
        EXPECT_FALSE(COnePointTips::EndsCycle(i));
    }
    EXPECT_EQ(COnePointTips::GetTip(-1), "");
    EXPECT_EQ(COnePointTips::GetTip(100), "");

    // The first start shows the first tip and creates the store; so does a damaged file.
    EXPECT_EQ(ShowWith({kIdYes}), std::vector<int>{0});
    EXPECT_EQ(platform.styles.back(), kMbYesNoCancel | kMbIconExclamation);
    EXPECT_EQ(TipFile(), IndexBytes(0));
    folder.WriteBytes(kTipFile, "\x05");
    EXPECT_EQ(ShowWith({kIdYes}), std::vector<int>{0});
    EXPECT_EQ(TipFile(), IndexBytes(0));

    // Indexes the store record loads as none shown (negative, beyond 99) are the store record test's.
    for (const auto& [stored, shown] : {std::pair{-1, 0}, {0, 1}, {3, 4}, {8, 9}, {9, 0}, {10, 0}, {57, 0}, {99, 0}}) {
        StoreIndex(stored);
        EXPECT_EQ(ShowWith({kIdYes}), std::vector<int>{shown}) << "stored " << stored;
        EXPECT_EQ(TipFile(), IndexBytes(shown));
    }

    // No pages through the cycle until Yes or Cancel.
    StoreIndex(6);
    std::initializer_list<int> answers = {kIdNo, kIdNo, kIdNo, kIdNo, kIdNo, kIdNo, kIdNo, kIdNo, kIdNo,
                                          kIdNo, kIdNo, kIdNo, kIdYes};
    EXPECT_EQ(ShowWith(answers), (std::vector<int>{7, 8, 9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(lastAnswer, kIdYes);
    EXPECT_EQ(TipFile(), IndexBytes(9));

    EXPECT_EQ(ShowWith({kIdNo, kIdCancel}), (std::vector<int>{0, 1}));
    EXPECT_EQ(lastAnswer, kIdCancel);
    EXPECT_EQ(TipFile(), IndexBytes(1));

    // The tip is still shown when the store cannot be written.
    std::filesystem::remove_all(folder.Native("フォルダZQ Position"));
    folder.WriteBytes("フォルダZQ Position", "not a folder");
    EXPECT_EQ(ShowWith({kIdOk}), std::vector<int>{0});
    EXPECT_EQ(lastAnswer, kIdOk);
    EXPECT_EQ(folder.ReadBytes("フォルダZQ Position"), "not a folder");
}
