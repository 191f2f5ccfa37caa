// Folder names that differ only in characters code page 932 lacks: each keeps a record of its own.
#include <gtest/gtest.h>

#include <sstream>

#include "StoreTestSupport.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "fw/CArchive.h"
#include "fw/CDocument.h"
#include "text/Cp932.h"

namespace {

// Sibling names that CP932 turns into the same bytes ("caf?", "??"), so a lossy key merged them.
const std::pair<const char*, const char*> kLookAlikeSiblings[] = {
    {"café", "cafè"},                  // accented Latin
    {"한국", "한글"},                  // Korean
    {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x81"},  // two emoji, beyond the BMP
    {"bad\xFF", "bad\xFE"},            // undecodable bytes of a Linux name
    {"?", "\xE2\x80\xBD"},             // a real "?" against one CP932 lacks
    {"x\xEF\xBF\xBD", "x\xFF"},        // a real U+FFFD against an invalid byte
};

TEST(FolderKeyIdentity, LookAlikeNamesGetDistinctKeysAndRepresentableOnesKeepTheirOrder)
{
    // Keys CP932 can hold keep their bytes and so their _mbscmp order, whatever is around them.
    for (const char* text : {"C:\\Data", "C:\\ｶﾀｶﾅ\\表\\ソ", "Ⅰ①㈱", "\x7F~", ""}) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(Cp932::IsRepresentable(text));
        EXPECT_EQ(Cp932::LosslessSortKey(text), Cp932::SortKey(Cp932::FromUtf8(text)));
    }
    EXPECT_FALSE(Cp932::IsRepresentable("C:\\café"));
    EXPECT_FALSE(Cp932::IsRepresentable("bad\xFF"));
    // An unrepresentable character sorts after every CP932 character after the same beginning.
    EXPECT_LT(Cp932::LosslessSortKey("a\xEF\xBE\x9F"), Cp932::LosslessSortKey("a\xC3\xA9"));  // ﾟ < é
    EXPECT_LT(Cp932::LosslessSortKey("a熙"), Cp932::LosslessSortKey("aé"));
}

TEST(FolderKeyIdentity, TheListKeepsOneEntryPerNameAndStoresOnlyWhatCp932Holds)
{
    CAppCore app;
    CScriptedPlatform platform;
    CDirSzLst list;
    const CSizeInfo one = Totals(0, 0, 1);
    for (const auto& [a, b] : kLookAlikeSiblings) {
        list.SetEntry(std::string("C:\\") + a, one, {});
        list.SetEntry(std::string("C:\\") + b, one, {});
    }
    list.SetEntry("C:\\表", one, {});
    ASSERT_EQ(list.GetCount(), 2 * static_cast<int>(std::size(kLookAlikeSiblings)) + 1);
    for (const auto& [a, b] : kLookAlikeSiblings) {
        ASSERT_NE(list.FindEntry(std::string("C:\\") + a), nullptr) << a;
        EXPECT_EQ(list.GetPathAt(list.FindEntry(std::string("C:\\") + b)), std::string("C:\\") + b);
    }

    CDirSzLst loaded;
    Load(loaded, Stored(list), "Dir Info");
    // "?" and "C:\表" are the only keys the file's code page can hold; nothing else, and no key twice.
    std::vector<std::string> keys;
    for (auto pos = loaded.GetHeadPosition(); pos;)
        keys.push_back(loaded.GetNext(pos).GetPath());
    EXPECT_EQ(keys, (std::vector<std::string>{"C:\\?", "C:\\表"}));
    EXPECT_TRUE(loaded.m_bSerializeOk);
    EXPECT_TRUE(platform.messages.empty());
}

#ifndef _WIN32
// Natively the walk sees every such name as it is on disk; each folder's totals are its own.
TEST(FolderKeyIdentity, SiblingsThatLookAlikeInCp932AreTotalledApart)
{
    CAppCore app;
    CScriptedPlatform platform;
    TempTree tree;
    std::size_t expectedFiles = 0, expectedBytes = 0, size = 1;
    for (const auto& [a, b] : kLookAlikeSiblings) {
        for (const char* name : {a, b}) {
            tree.File(std::string(name) + "/f", size);
            expectedBytes += size++;
            ++expectedFiles;
        }
    }
    CDocument doc;
    CSizeInfo total, direct;
    ASSERT_TRUE(app.m_settings.m_walk.AggregateFolder(tree.Key(), total, direct, &doc, false, false));
    EXPECT_EQ(CountsOf(total), Counts(expectedBytes, static_cast<int32_t>(2 * std::size(kLookAlikeSiblings)),
                                      static_cast<int32_t>(expectedFiles)));
    size = 1;
    for (const auto& [a, b] : kLookAlikeSiblings) {
        for (const char* name : {a, b}) {
            SCOPED_TRACE(name);
            const auto pos = app.m_folderInfo.FindEntry(tree.Key(name));
            ASSERT_NE(pos, nullptr);
            EXPECT_EQ(app.m_folderInfo.GetTotalAt(pos).m_nSize, size++);
        }
    }
}
#endif

}  // namespace
