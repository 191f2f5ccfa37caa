// The block index against std::multimap as a reference, through many random changes.
#include <gtest/gtest.h>

#include <map>
#include <new>
#include <random>

#include "FailingAllocation.h"
#include "folderdata/CBlockIndex.h"

namespace {

using Index = CBlockIndex<int>;

std::vector<std::pair<std::string, int*>> Contents(const Index& index)
{
    std::vector<std::pair<std::string, int*>> items;
    for (Index::Pos pos{}; !index.Empty() && pos != index.End(); pos = index.Next(pos))
        items.emplace_back(std::string(index.KeyAt(pos)), index.ValueAt(pos));
    return items;
}

}  // namespace

TEST(BlockIndex, StaysEqualToAMultimapThroughInsertsEraseAndSplits)
{
    std::mt19937 random(3);
    std::vector<int> values(4000);
    Index index;
    std::multimap<std::string, int*> reference;
    for (int step = 0; step < 20000; ++step) {
        // Few distinct keys, so duplicates are common, with lengths that vary.
        const std::string key(1 + random() % 3, static_cast<char>('a' + random() % 40));
        int* value = &values[random() % values.size()];
        if (random() % 3) {
            index.Insert(key, value);
            reference.emplace(key, value);
        } else {
            auto [first, last] = reference.equal_range(key);
            auto match = std::find_if(first, last, [&](const auto& item) { return item.second == value; });
            EXPECT_EQ(index.Erase(key, value), match != last);
            if (match != last)
                reference.erase(match);
        }
    }
    // In key order, equal keys in the order they came, as the multimap keeps them.
    EXPECT_EQ(Contents(index), (std::vector<std::pair<std::string, int*>>(reference.begin(), reference.end())));
}

TEST(BlockIndex, BoundsFindTheFirstNotLessAndFirstGreaterAndEmptiedBlocksAreReused)
{
    Index index;
    std::vector<int> values(2000);
    for (int i = 0; i < 2000; ++i)
        index.Insert(std::to_string(1000 + i / 2), &values[i]);  // every key twice
    const Index::Pos lower = index.LowerBound("1500");
    const Index::Pos upper = index.UpperBound("1500");
    EXPECT_EQ(index.ValueAt(lower), &values[1000]);  // key 1500; equal keys keep insertion order
    EXPECT_EQ(index.ValueAt(index.Next(lower)), &values[1001]);
    EXPECT_EQ(index.KeyAt(upper), "1501");
    EXPECT_EQ(index.KeyAt(index.LowerBound("0")), "1000");
    EXPECT_EQ(index.LowerBound("2"), index.End());
    EXPECT_FALSE(index.Erase("1500", &values[5]));

    // Emptied blocks are reused, twice over, and long shared prefixes keep the order: the second
    // round's keys share a prefix longer than a block keeps beside its windows.
    Index reused;
    values.resize(3000);
    const std::string prefixes[] = {"C:\\folder\\", "C:\\Users\\Someone\\AppData\\Local\\Cache\\"};
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 3000; ++i)
            reused.Insert(prefixes[round] + std::to_string(i * 7919 % 3000), &values[i]);
        auto items = Contents(reused);
        ASSERT_EQ(items.size(), 3000u);
        EXPECT_TRUE(std::is_sorted(items.begin(), items.end()));
        std::shuffle(items.begin(), items.end(), std::mt19937(round));
        for (const auto& [key, value] : items)
            EXPECT_TRUE(reused.Erase(key, value));
        EXPECT_TRUE(reused.Empty());
    }
}

// The folder list drops a record whose insertion ran out of memory, so the index must then be as
// it was before: a key left behind would point to freed memory.
TEST(BlockIndex, AnInsertionThatRunsOutOfMemoryChangesNothing)
{
    if (!FailingAllocation::Available())
        GTEST_SKIP() << "allocations cannot be made to fail under AddressSanitizer";
    Index index;
    std::vector<int> values(200);
    for (int i = 0; i < 128; ++i)  // one full block: the next insertion splits it
        index.Insert("C:\\" + std::to_string(1000 + 2 * i), &values[i]);
    const auto before = Contents(index);
    int failures = 0;
    for (int allowed = 0;; ++allowed) {
        FailingAllocation::FailAfter(allowed);
        try {
            index.Insert("C:\\1101", &values[199]);
        } catch (const std::bad_alloc&) {
            ++failures;
            ASSERT_EQ(Contents(index), before);
            continue;
        }
        FailingAllocation::Disarm();
        break;
    }
    EXPECT_GT(failures, 2);
    auto after = Contents(index);
    ASSERT_EQ(after.size(), 129u);
    EXPECT_TRUE(std::is_sorted(after.begin(), after.end(),
                               [](const auto& a, const auto& b) { return a.first < b.first; }));
    EXPECT_EQ(index.ValueAt(index.LowerBound("C:\\1101")), &values[199]);
}
