// Folder names that differ only in characters code page 932 lacks: each keeps a record of its own (the
// walk test totals them apart).
#include <gtest/gtest.h>

#include <sstream>

#include "StoreTestSupport.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "fw/CArchive.h"
#include "text/Cp932.h"

namespace {

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

}  // namespace
