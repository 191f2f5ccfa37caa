// The folder record list: ordering, lookups, renames, and its stored form.
#include <gtest/gtest.h>


#include "FailingAllocation.h"
#include "StoreTestSupport.h"
#include "TestSupport.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"

namespace {

std::vector<std::string> Keys(const CDirSzLst& list)
{
    std::vector<std::string> keys;
    for (auto pos = list.GetHeadPosition(); pos;)
        keys.push_back(list.GetNext(pos).GetPath());
    return keys;
}

// The folder-information file as the program names it in messages.
const std::string kDirInfo = "フォルダZQ Position\\Dir Info";

class DirSzLstTest : public ::testing::Test {
protected:
    CAppCore app;
    CScriptedPlatform platform;
    CDirSzLst list;
};

}  // namespace

TEST_F(DirSzLstTest, SetEntryKeepsKeysInCaseSensitiveCodePage932OrderAndRemoveAndFindToleratePositionsAndRenames)
{
    // Then before everything, in the middle and at the end.
    for (const auto& [key, size] : {std::pair{"C:\\b", 1}, {"C:\\d", 2}, {"C:\\a", 3}, {"C:\\c", 4}, {"C:\\e", 5}})
        list.SetEntry(key, Totals(size, 0, 1), Totals(size, 0, 1));
    const auto pos = list.SetEntry("C:\\c", Totals(40, 1, 2), Totals(41, 0, 2));
    EXPECT_EQ(Keys(list), (std::vector<std::string>{"C:\\a", "C:\\b", "C:\\c", "C:\\d", "C:\\e"}));
    EXPECT_EQ(list.GetCount(), 5);
    EXPECT_EQ(list.GetTotalAt(pos), Totals(40, 1, 2));
    EXPECT_EQ(list.GetDirectAt(pos), Totals(41, 0, 2));
    EXPECT_EQ(list.FindEntry("C:\\c"), pos);

    // Keys are case-sensitive. Their code page 932 order, katakana before kanji, is checked on the
    // stored keys of real trees by tests/tools/check_zqtotals.py.
    EXPECT_EQ(list.FindEntry("C:\\C"), nullptr);

    // Removal and lookup tolerate missing keys, positions held and renames.
    list.RemoveEntry("C:\\zzz");
    EXPECT_EQ(list.GetCount(), 5);
    const auto b = list.FindEntry("C:\\b");
    list.RemoveEntry("C:\\a");
    EXPECT_EQ(list.GetPathAt(b), "C:\\b");  // positions outlive the removal of others

    // A rename in place breaks the order (insertions beside it are the next test's); every key is still found.
    list.SetPathAt(b, "C:\\x");
    EXPECT_EQ(Keys(list), (std::vector<std::string>{"C:\\x", "C:\\c", "C:\\d", "C:\\e"}));
    EXPECT_EQ(list.FindEntry("C:\\x"), b);
    EXPECT_EQ(list.FindEntry("C:\\c"), pos);
    EXPECT_EQ(list.FindEntry("C:\\b"), nullptr);
}

// New entries go before the first key not below them in the index; when a rename or a load has
// set the list out of key order, the index's neighbour is not the list's, and the list must stay
// whole both ways.
TEST_F(DirSzLstTest, InsertingBesideEntriesOutOfOrderKeepsTheListWhole)
{
    const auto expectWhole = [this](const std::vector<std::string>& keys) {
        std::vector<std::string> backward;
        for (auto pos = list.GetTailPosition(); pos;)
            backward.push_back(list.GetPrev(pos).GetPath());
        EXPECT_EQ(Keys(list), keys);
        EXPECT_EQ(std::vector<std::string>(backward.rbegin(), backward.rend()), keys);
        EXPECT_EQ(list.GetCount(), static_cast<int>(keys.size()));
    };
    for (const char* key : {"C:\\a", "C:\\b", "C:\\c", "C:\\d"})
        list.SetEntry(key, {}, {});
    list.SetPathAt(list.FindEntry("C:\\b"), "C:\\y");  // index: a c d y
    list.SetEntry("C:\\z", {}, {});                    // after y in the index, at the list's tail
    list.SetEntry("C:\\b", {}, {});                    // after a in the index, before c in the list
    list.SetEntry("C:\\0", {}, {});                    // at the head of both
    expectWhole({"C:\\0", "C:\\a", "C:\\y", "C:\\b", "C:\\c", "C:\\d", "C:\\z"});
    list.RemoveEntry("C:\\b");  // after a in the index, after y in the list
    list.RemoveEntry("C:\\z");  // the tail, after y in the index
    list.SetEntry("C:\\zz", {}, {});
    expectWhole({"C:\\0", "C:\\a", "C:\\y", "C:\\c", "C:\\d", "C:\\zz"});

    // A file in the wrong order loads in file order: list c a, index a c.
    const std::string noTotals(56, '\0');
    list.RemoveAll();
    Load(list, StoredBytes().Int(2).ShortString("C:\\c").Str() + noTotals + StoredBytes().ShortString("C:\\a").Str() +
                   noTotals, kDirInfo);
    list.SetEntry("C:\\b", {}, {});
    list.SetEntry("C:\\d", {}, {});
    expectWhole({"C:\\b", "C:\\c", "C:\\a", "C:\\d"});
}

// Comparing totals is the compare verdict's table (CompareTest).
TEST(SizeInfo, AddSumsTheCountsAndKeepsTheLaterTimes)
{
    CSizeInfo sum;
    sum.Add(Totals(0xFFFFFFFFull, 0, 1, 10, 20, 30));
    sum.Add(Totals(2, 1, 1, 5, 25, 30));
    EXPECT_EQ(sum, Totals(0x100000001ull, 1, 2, 10, 25, 30));
}

TEST_F(DirSzLstTest, StoredFormIsExactAndLoadsBackWhole)
{
    EXPECT_EQ(Stored(list), std::string(4, '\0'));

    // Count, key, then each totals record: size high word first, low word, folders, files and
    // the modified, read and created times.
    list.SetEntry("C:\\", Totals(4294967298ull, 1, 2, 1, 2, 3), {});
    EXPECT_EQ(Stored(list), StoredBytes().Int(1).ShortString("C:\\").Int(1).Int(2).Int(1).Int(2).Int(1).Int(2).Int(3)
                                   .Str() + std::string(28, '\0'));

    // Keys are archive strings: their long length prefixes are the archive test's.

    // What is stored loads back whole: stored again, it gives the same bytes.
    list.SetEntry("ﾏｲ ｺﾝﾋﾟｭｰﾀ,", Totals(99, 5, 6, 7, 8, 9), {});
    list.SetEntry("D:\\データ\\写真", Totals(1ull << 40, 0, 3, INT32_MAX, 1, 2), Totals(1ull << 40, 0, 3));
    CDirSzLst loaded;
    Load(loaded, Stored(list), kDirInfo);
    EXPECT_EQ(Stored(loaded), Stored(list));
    EXPECT_NE(loaded.FindEntry("D:\\データ\\写真"), nullptr);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(DirSzLstTest, FileCutInTheThirdEntryLoadsTwoAndSaysSoOnceAndGarbageNeverCrashes)
{
    for (const char* key : {"C:\\a", "C:\\b", "C:\\c", "C:\\d"})
        list.SetEntry(key, Totals(1, 0, 1), {});
    const std::string bytes = Stored(list);
    const std::size_t entrySize = 1 + 4 + 56;
    CDirSzLst loaded;
    Load(loaded, bytes.substr(0, 4 + 2 * entrySize + 30), kDirInfo);
    EXPECT_EQ(Keys(loaded), (std::vector<std::string>{"C:\\a", "C:\\b"}));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0],
              "Error on Serialize(CDirSzEntry).\n\nfile name ： \nフォルダZQ Position\\Dir Info\n\nerror code ： 0x3");
    EXPECT_FALSE(loaded.m_bSerializeOk);

    // A damaged count or garbage never crashes.
    CDirSzLst damaged;
    Load(damaged, "\x01\x00", kDirInfo);
    EXPECT_EQ(damaged.GetCount(), 0);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].rfind("Error on Serialize.\n\nfile name ： \n", 0), 0u);

    // 2^31-1 entries claimed, one there.
    Load(damaged, std::string("\xFF\xFF\xFF\x7F\x01" "A", 6) + std::string(56, '\x01'), kDirInfo);
    EXPECT_EQ(damaged.GetCount(), 1);
    Load(damaged, std::string("\xF0\xFF\xFF\xFF", 4), kDirInfo);  // a negative count loads nothing
    EXPECT_EQ(damaged.GetCount(), 1);
}

// Whatever allocation fails, an insertion or a rename either happens whole or not at all, and
// the user is told when not.
TEST_F(DirSzLstTest, RunningOutOfMemoryLeavesEveryEntryUnderOneKey)
{
    if (!FailingAllocation::Available())
        GTEST_SKIP() << "allocations cannot be made to fail under AddressSanitizer";
    const std::string kFolder = "C:\\Program Files\\";  // long enough for every copy to allocate
    for (int i = 0; i < 300; ++i)  // blocks of the index fill, so some insertions split one
        list.SetEntry(kFolder + std::to_string(1000 + i * 2), {}, {});
    for (int allowed = 0; allowed < 16; ++allowed) {
        const std::string added = kFolder + std::to_string(1001 + allowed * 2);
        const std::string oldKey = kFolder + std::to_string(1000 + allowed * 2);
        const std::string newKey = kFolder + "renamed " + std::to_string(allowed);
        const auto renamed = list.FindEntry(oldKey);
        const int count = list.GetCount();

        FailingAllocation::FailAfter(allowed);
        const auto pos = list.SetEntry(added, {}, {});
        FailingAllocation::Disarm();
        EXPECT_EQ(pos == nullptr, FailingAllocation::Failed());
        EXPECT_EQ(list.FindEntry(added), pos);
        EXPECT_EQ(list.GetCount(), count + (pos ? 1 : 0));

        FailingAllocation::FailAfter(allowed);
        list.SetPathAt(renamed, newKey);
        FailingAllocation::Disarm();
        const bool failed = FailingAllocation::Failed();
        EXPECT_EQ(list.GetPathAt(renamed), failed ? oldKey : newKey);
        EXPECT_EQ(list.FindEntry(oldKey), failed ? renamed : nullptr);
        EXPECT_EQ(list.FindEntry(newKey), failed ? nullptr : renamed);
    }
    EXPECT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back(), kOutOfMemoryMessage);
}

// A walker's place survives removals made behind its back: of its own entry, of others, of all.
TEST_F(DirSzLstTest, ACursorMovesOnWhenItsEntryIsRemovedAndStaysOtherwise)
{
    for (const char* key : {"C:\\a", "C:\\b", "C:\\c", "C:\\d"})
        list.SetEntry(key, Totals(1, 0, 1), Totals(1, 0, 1));
    CDirSzLst::Cursor first(list);
    CDirSzLst::Cursor second(list);
    EXPECT_EQ(list.GetAt(first.pos).GetPath(), "C:\\a");
    list.GetNext(second.pos);
    list.GetNext(second.pos);  // at C:\c
    list.RemoveEntry("C:\\b");  // neither cursor's entry
    EXPECT_EQ(list.GetAt(first.pos).GetPath(), "C:\\a");
    EXPECT_EQ(list.GetAt(second.pos).GetPath(), "C:\\c");
    list.RemoveEntry("C:\\c");
    EXPECT_EQ(list.GetAt(second.pos).GetPath(), "C:\\d");
    list.RemoveEntry("C:\\d");  // the last: the cursor reaches the end
    EXPECT_EQ(second.pos, nullptr);
    {
        CDirSzLst::Cursor inner(list);  // registered after the others, gone before them
        list.RemoveEntry("C:\\a");
        EXPECT_EQ(inner.pos, nullptr);
    }
    EXPECT_EQ(first.pos, nullptr);
    list.SetEntry("C:\\e", Totals(1, 0, 1), Totals(1, 0, 1));
    first.pos = list.GetHeadPosition();
    list.RemoveAll();
    EXPECT_EQ(first.pos, nullptr);
}
