// The name and path rules of the file operations and the attribute byte of a listed entry.
#include <gtest/gtest.h>

#include "CPlatform.h"
#include "app/CAppSettings.h"
#include "services/CPathList.h"

namespace {

class FileNameRulesTest : public ::testing::Test {
protected:
    CAppSettings settings;
    CFileServices& files = settings.m_files;
    const std::string computer = settings.m_keys.m_strMyComputerId;
};

}  // namespace

TEST_F(FileNameRulesTest, EachOfTheElevenCharactersIsForbiddenAnywhereButNoDoubleByteCharacterIs)
{
    for (const char forbidden : std::string("\\/:,;*?\"<>|")) {
        const std::string c(1, forbidden);
        for (const std::string& name : {c, "a" + c, c + "a", "ソ" + c + "表"})
            EXPECT_FALSE(CFileServices::IsValidFileName(name)) << name;
    }

    // In code page 932 ソ, 表, 能 and 十 end in 0x5C, the backslash's byte (the encoding test pins
    // 表): a test by byte of that form would refuse them.
    const std::string valid[] = {
        "",                  // nothing typed is no forbidden character
        "ソフト",            // katakana so, 0x835C
        "表計算.xls",        // kanji for table, 0x955C
        "能力 十分",
        "ﾊﾝｶｸ ｶﾅ",           // half-width kana: single bytes above 0x80
        "＼全角／：＊？",    // full-width look-alikes are other characters
        "¥100",              // the yen sign is a character of its own in the wide-character calls
        "a b.c.d", "日本語 (2)", "Ünïcödé 😀", "-_=+!#$%&'()[]{}~@^`",
    };
    for (const std::string& name : valid)
        EXPECT_TRUE(CFileServices::IsValidFileName(name)) << name;
}

TEST_F(FileNameRulesTest, CombinePathPutsExactlyOneBackslashBetweenAndKeepsTheComputerItself)
{
    const struct { std::string folder, name, combined; } cases[] = {
        {"C:\\a", "x", "C:\\a\\x"},
        {"C:\\a\\", "x", "C:\\a\\x"},
        {"C:\\a", "\\x", "C:\\a\\x"},
        {"C:\\a\\", "\\x", "C:\\a\\x"},
        {"C:\\", "x", "C:\\x"},
        // UTF-8 bytes of these never equal the backslash: the folder does not end in one.
        {"C:\\ソ", "表", "C:\\ソ\\表"},
        {"C:\\表\\", "ソ", "C:\\表\\ソ"},
        {"", "x", "x"},
        {"C:\\a", "", "C:\\a"},
        {computer, "x", computer},
        {"", computer, computer},
    };
    for (const auto& c : cases)
        EXPECT_EQ(files.CombinePath(c.folder, c.name), c.combined) << c.folder << " + " << c.name;
}

TEST_F(FileNameRulesTest, AListedEntryKeepsItsFiveAttributeBitsAndNoOther)
{
    const struct { uint32_t attributes; uint8_t kept; } cases[] = {
        {0, 0},
        {kAttrReadOnly | kAttrArchive, 0x21},
        {kAttrHidden | kAttrSystem | kAttrDirectory, 0x16},
        {0x80, 0},      // normal
        {0x410, 0x10},  // a folder with the reparse-point bit
        {0xFFFFFFFF, 0x37},
        {0x100 | kAttrArchive, 0x20},  // temporary
    };
    for (const auto& c : cases) {
        CFindEntry entry;
        entry.attributes = c.attributes;
        EXPECT_EQ(CFileServices::GetFindAttributes(entry), c.kept) << std::hex << c.attributes;
    }
}
