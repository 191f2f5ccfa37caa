// The registered folder list: adding, the limit of sixteen, sorting and full paths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CPlatform.h"
#include "app/CRegisteredFolders.h"
#include "core/StoreTestSupport.h"

namespace {

using Entries = std::vector<std::string>;

std::string Numbered(int n)
{
    return "C:\\f" + std::string(n < 10 ? "0" : "") + std::to_string(n);
}

CRegisteredFolders RegisterAll(const Entries& folders)
{
    CRegisteredFolders list;
    for (const std::string& folder : folders)
        list.Add(folder);
    list.SortRegisteredFolders();
    return list;
}

}  // namespace

TEST(RegisteredFolders, NewEntryComesFirstUntilSortedAndTheSortFollowsCodePage932BytesCaseSensitively)
{
    CRegisteredFolders list;
    list.Add("C:\\a");
    list.Add("C:\\b");
    EXPECT_EQ(list.GetEntries(), (Entries{"C:\\b", "C:\\a"}));
    EXPECT_EQ(list.GetAt(2), "");
    EXPECT_EQ(RegisterAll({"C:\\a", "C:\\b"}).GetEntries(), (Entries{"C:\\a", "C:\\b"}));
    // Capitals before small letters; half-width katakana (one byte) before the double-byte
    // characters, although UTF-8 orders them the other way round.
    list.SetEntries({"C:\\あ", "C:\\b", "C:\\ｱ", "C:\\B", "C:\\a", "C:\\亜"});
    list.SortRegisteredFolders();
    EXPECT_EQ(list.GetEntries(), (Entries{"C:\\B", "C:\\a", "C:\\b", "C:\\ｱ", "C:\\あ", "C:\\亜"}));
}

TEST(RegisteredFolders, SameFolderInOtherCaseIsNotDuplicatedAndAFullListDropsTheEntryThatSortedLast)
{
    CRegisteredFolders list = RegisterAll({"C:\\Data\\Work", "D:\\x", "c:\\data\\WORK"});
    EXPECT_EQ(list.GetEntries(), (Entries{"D:\\x", "c:\\data\\WORK"}));
    list.Add("d:/X/");
    EXPECT_EQ(list.GetCount(), 2u);
    EXPECT_TRUE(CRegisteredFolders::IsSamePath("C:\\ＡＢＣ\\Ωδ\\Жё", "c:\\ａｂｃ\\ωΔ\\жЁ"));
    EXPECT_FALSE(CRegisteredFolders::IsSamePath("C:\\ｱ", "C:\\ア")) << "half-width is not another case";
    EXPECT_FALSE(CRegisteredFolders::IsSamePath("C:\\a", "C:\\a\\b"));

    Entries folders;
    for (int n = 1; n <= 16; ++n)
        folders.push_back(Numbered(n));
    list = RegisterAll(folders);
    ASSERT_EQ(list.GetCount(), 16u);

    list.Add("C:\\f00");
    list.SortRegisteredFolders();
    ASSERT_EQ(list.GetCount(), 16u);
    EXPECT_EQ(list.GetAt(0), "C:\\f00");
    EXPECT_EQ(list.GetAt(15), Numbered(15)) << Numbered(16) << " sorted last and falls off";

    list.Add("C:\\F07");
    list.SortRegisteredFolders();
    EXPECT_EQ(list.GetCount(), 16u) << "registering a listed folder drops nothing";
    EXPECT_EQ(list.GetAt(0), "C:\\F07") << "the new spelling replaces the old";
    EXPECT_EQ(list.GetAt(15), Numbered(15));
}

TEST(RegisteredFolders, StoredEntriesEndAtTheFirstEmptyOneOrAtSixteenRemovingMovesTheRestUpAndFoldersAreFullPaths)
{
    CRegisteredFolders list;
    list.SetEntries({"C:\\x", "C:\\y", "", "C:\\z"});
    EXPECT_EQ(list.GetEntries(), (Entries{"C:\\x", "C:\\y"}));
    list.SetEntries(Entries(20, "C:\\w"));
    EXPECT_EQ(list.GetCount(), 16u);
    // Removing moves the following entries up.
    list = RegisterAll({"C:\\a", "C:\\b", "C:\\c"});
    list.Remove(1);
    EXPECT_EQ(list.GetEntries(), (Entries{"C:\\a", "C:\\c"}));
    list.Remove(5);
    EXPECT_EQ(list.GetCount(), 2u);

    // Folders are registered as full paths.
    for (const auto& [typed, full] : {std::pair{"C:\\a\\.\\b\\..\\c\\", "C:\\a\\c"}, {"C:/a//b", "C:\\a\\b"}, {"C:\\", "C:\\"},
                                      {"C:\\..\\..", "C:\\"}, {"\\\\server\\share\\a\\..\\b", "\\\\server\\share\\b"}})
        EXPECT_EQ(CRegisteredFolders::MakeFullPath(typed), full) << typed;

    ScopedStoreFolder folder;
    const std::string current = GetPlatform().WindowsPathOf(std::filesystem::current_path());
    ASSERT_FALSE(current.empty());
    EXPECT_EQ(CRegisteredFolders::MakeFullPath("sub\\..\\ﾌｫﾙﾀﾞ"), current + "\\ﾌｫﾙﾀﾞ");
    EXPECT_EQ(CRegisteredFolders::MakeFullPath("\\top"), current.substr(0, 2) + "\\top");
}
