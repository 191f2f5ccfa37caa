// Tests of what the folder tree's commands compute without a window: an edited label split into
// the kept totals and the typed name, the clipboard rules of a selection, and the keys of a
// renamed folder's records following it.
#include <gtest/gtest.h>

#include <map>

#include "TestSupport.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "treepane/CFolderLabel.h"
#include "treepane/CTreeClipRules.h"

namespace {

class TreeCommandRulesTest : public ::testing::Test {
protected:
    TreeCommandRulesTest() { platform.driveTypes = {{"A:\\", kDriveRemovable}, {"C:\\", kDriveFixed}}; }
    // Lists scripted folders and records what was asked.
    CTreeClipRules::ListFunction Lister()
    {
        return [this](CPathList& list, const std::string& folder, bool bFilesOnly) {
            asked.push_back(folder + (bFilesOnly ? " files" : " all"));
            const auto found = folders.find(folder);
            if (found == folders.end())
                return false;
            for (const auto& [name, attr] : found->second)
                if (!bFilesOnly || !(attr & kAttrDirectory))
                    list.Add(folder + "\\" + name, attr);
            return true;
        };
    }

    CScriptedPlatform platform;
    CAppCore app;
    CAppSettings& settings = app.m_settings;
    const std::string computer = settings.m_keys.m_strMyComputerId;
    const std::string fileOnly = settings.m_keys.m_strFileOnlyFolderId;
    std::map<std::string, std::vector<std::pair<std::string, uint8_t>>> folders{
        {"C:\\ソ表", {{"a.txt", kAttrArchive}, {"sub ﾌｫﾙﾀﾞ", kAttrDirectory}, {"😀.txt", kAttrArchive | kAttrReadOnly}}},
        {"C:\\empty", {}}};
    std::vector<std::string> asked;
};

}  // namespace

TEST_F(TreeCommandRulesTest, AnEditedLabelKeepsTheTotalsBeforeItsLastMarkAndATrailingMarkIsPartOfTheName)
{
    const struct { std::string label, prefix, name; } cases[] = {
        {"D............12> F....0> >Docs", "D............12> F....0> >", "Docs"},
        {"Papers", "", "Papers"},
        {"D...3> >ソ表 한국어", "D...3> >", "ソ表 한국어"},
        {"D...3> >", "", "D...3> >"},  // the user emptied the name: nothing behind the totals is no name
        {"abc>", "", "abc>"},
        {">x", ">", "x"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        std::string prefix = "stale", name = "stale";
        CFolderLabel::SplitEdited(c.label, prefix, name);
        EXPECT_EQ(prefix, c.prefix) << c.label;
        EXPECT_EQ(name, c.name) << c.label;
    }
}

TEST_F(TreeCommandRulesTest, CopyCutAndPasteApplyToFoldersButNeverTheComputerADriveRootOrTheRecycleBin)
{
    const struct { std::string path; bool bCopy, bCut, bPaste; } cases[] = {
        {"C:\\ソ表", true, true, true},
        {"C:\\ソ表\\" + fileOnly, true, true, true},
        {"A:\\RECYCLED\\x", true, true, true},  // a removable drive has no recycle bin
        {"C:\\RECYCLED", true, false, false},
        {"C:\\$Recycle.Bin\\S-1\\x", true, false, false},
        {"C:\\", false, false, true},
        {"A:\\", false, false, true},
        {computer, false, false, false},
        {"C:\\Dummy,", false, false, false},
        {"", false, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CTreeClipRules::CanCopy(settings.m_keys, c.path), c.bCopy) << c.path;
        EXPECT_EQ(CTreeClipRules::CanCut(settings, c.path), c.bCut) << c.path;
        EXPECT_EQ(CTreeClipRules::CanPaste(settings, c.path, false), c.bPaste) << c.path;
        EXPECT_FALSE(CTreeClipRules::CanPaste(settings, c.path, true)) << c.path;
    }
}

TEST_F(TreeCommandRulesTest, ASelectionPutsItsFolderOnTheClipboardAndAVirtualFolderTheFilesBesideIt)
{
    const struct { std::string selected; std::vector<std::string> clip, asked; } cases[] = {
        {"C:\\ソ表", {"C:\\ソ表/"}, {}},
        {"C:\\ソ表\\" + fileOnly, {"C:\\ソ表\\a.txt", "C:\\ソ表\\😀.txt"}, {"C:\\ソ表 files"}},
        {"C:\\empty\\" + fileOnly, {}, {"C:\\empty files"}},
        {"C:\\gone\\" + fileOnly, {}, {"C:\\gone files"}},
        {"", {"C:\\old/"}, {}},  // nothing selected: the clipboard stays
    };
    for (const auto& c : cases) {
        CPathList clip;
        clip.Add("C:\\old", kAttrDirectory);
        asked.clear();
        CTreeClipRules::FillFromSelection(settings.m_keys, c.selected, clip, Lister());
        EXPECT_EQ(PathsOf(clip), c.clip) << c.selected;
        EXPECT_EQ(asked, c.asked) << c.selected;
    }
}

TEST_F(TreeCommandRulesTest, ReplacingTheClipboardTakesWhatItsOneEntryHoldsOrLeavesItAsItWas)
{
    const struct { std::vector<std::string> before; bool bReplaced; std::vector<std::string> after; } cases[] = {
        {{"C:\\ソ表"}, true, {"C:\\ソ表\\a.txt", "C:\\ソ表\\sub ﾌｫﾙﾀﾞ/", "C:\\ソ表\\😀.txt"}},
        {{"C:\\empty"}, false, {"C:\\empty/"}},
        {{"C:\\gone"}, false, {"C:\\gone/"}},
        {{"C:\\ソ表", "C:\\empty"}, false, {"C:\\ソ表/", "C:\\empty/"}},
        {{}, false, {}},
    };
    for (const auto& c : cases) {
        CPathList clip;
        for (const std::string& path : c.before)
            clip.Add(path, kAttrDirectory);
        EXPECT_EQ(CTreeClipRules::ReplaceWithEntries(clip, Lister()), c.bReplaced) << c.before.size();
        EXPECT_EQ(PathsOf(clip), c.after) << c.before.size();
    }
}

// A drive root and nothing as the renamed folder; the other rules are the records' rename below.
TEST_F(TreeCommandRulesTest, PathsBelowARenamedFolderFollowItByteForByte)
{
    EXPECT_TRUE(CFolderKeys::IsSameOrBelow("C:\\a\\x", "C:\\"));
    EXPECT_EQ(CFolderKeys::Rebase("C:\\a\\x", "C:\\", "D:\\"), "D:\\a\\x");
    EXPECT_FALSE(CFolderKeys::IsSameOrBelow("C:\\a", ""));
    EXPECT_EQ(CFolderKeys::Rebase("C:\\a", "", "C:\\b"), "C:\\a");
}

TEST_F(TreeCommandRulesTest, RenamingAFolderReKeysItsRecordsAndThoseBelowItOnceAndDropsStaleOnes)
{
    CDirSzLst& records = app.m_folderInfo;
    const std::map<std::string, uint64_t> before{
        {"C:\\docs", 1},       {"C:\\docs\\DATA", 2}, {"C:\\docs\\表\\😀", 3}, {"C:\\docs2", 4},
        {"C:\\papers\\old", 5}, {"C:\\papers0", 6},    {"C:\\", 7}, {"C:\\Docs\\x", 8}};  // keys keep their case
    for (const auto& [key, size] : before)
        records.SetEntry(key, Totals(size, 1, 2), Totals(size, 1, 2));

    EXPECT_EQ(records.RenameFolder("C:\\docs", "C:\\papers"), 3);
    // Seven records, each found under its key with its own totals: the stale C:\papers\old is gone.
    const std::map<std::string, uint64_t> expected{
        {"C:\\papers", 1}, {"C:\\papers\\DATA", 2}, {"C:\\papers\\表\\😀", 3}, {"C:\\docs2", 4},
        {"C:\\papers0", 6}, {"C:\\", 7}, {"C:\\Docs\\x", 8}};
    EXPECT_EQ(records.GetCount(), 7);
    for (const auto& [key, size] : expected) {
        auto pos = records.FindEntry(key);
        ASSERT_NE(pos, nullptr) << key;
        EXPECT_EQ(records.GetPathAt(pos), key);
        EXPECT_EQ(records.GetTotalAt(pos).m_nSize, size) << key;
    }
    EXPECT_EQ(records.FindEntry("C:\\docs\\DATA"), nullptr);
    // A second window reporting the same rename finds nothing left to move and removes nothing.
    EXPECT_EQ(records.RenameFolder("C:\\docs", "C:\\papers"), 0);
    EXPECT_EQ(records.GetCount(), 7);
}
