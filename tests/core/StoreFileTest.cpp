// The store folder and its files: names, whole-file and record-by-record reading and writing,
// the default folder, and what a failed write leaves behind.
#include <gtest/gtest.h>

#include <string>

#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "app/CStoreFile.h"
#include "core/StoreTestSupport.h"

namespace {

// A record of one value, to see exactly what the store puts around it.
template <class T>
struct ValueRecord {
    void Serialize(CArchive& ar)
    {
        if (ar.IsStoring())
            ar << value;
        else
            ar >> value;
    }
    T value{};
};
using TextRecord = ValueRecord<std::string>;
using NumberRecord = ValueRecord<int32_t>;

class StoreFileTest : public ::testing::Test {
protected:
    bool Write(const std::string& path, const std::string& text)
    {
        TextRecord record{text};
        return settings.SerializeToFile(path, CArchive::store, record);
    }

    ScopedStoreFolder folder;
    CAppCore app;
    CAppSettings& settings = app.m_settings;
    const std::string mnPath = settings.StorePath("Mn");
};

}  // namespace

TEST_F(StoreFileTest, WholeFileRoundTripsUnderItsJapaneseNameAndFileNamesJoinWithOneBackslash)
{
    app.EnsureStoreFolder();
    ASSERT_TRUE(Write(mnPath, "ﾌｫﾙﾀﾞ"));
    EXPECT_EQ(folder.ReadBytes("フォルダZQ Position\\Mn"), std::string("\x05\xCC\xAB\xD9\xC0\xDE"));
    TextRecord read;
    ASSERT_TRUE(settings.SerializeToFile(mnPath, CArchive::load, read));
    EXPECT_EQ(read.value, "ﾌｫﾙﾀﾞ");

    // The second byte of "ソ" in code page 932 is a backslash; the folder still needs one.
    for (const auto& [base, joined] : {std::pair{"", "Mn"}, {"C:\\", "C:\\Mn"}, {"a\\b", "a\\b\\Mn"}, {"ソ", "ソ\\Mn"}})
        EXPECT_EQ(CAppSettings::JoinStorePath(base, "Mn"), joined) << base;
}

TEST_F(StoreFileTest, StoreFolderIsMadeOnceAndFailedReadsAndWritesLeaveTheObjectAndThePreviousFile)
{
    TextRecord read{"before"};  // no store folder yet
    EXPECT_FALSE(settings.SerializeToFile(mnPath, CArchive::load, read));
    EXPECT_EQ(read.value, "before");
    EXPECT_FALSE(Write(mnPath, "nowhere"));
    EXPECT_FALSE(folder.Exists("フォルダZQ Position"));

    EXPECT_TRUE(app.EnsureStoreFolder());
    ASSERT_TRUE(Write(mnPath, "good"));
    EXPECT_TRUE(app.EnsureStoreFolder());
    EXPECT_EQ(folder.ReadBytes("フォルダZQ Position\\Mn"), std::string("\x04good"));
    const auto writeHalfThenFail = [](CArchive& ar) {
        ar << int32_t{7};
        throw CFileException(CFileException::diskFull);
    };
    EXPECT_FALSE(settings.SerializeToFile(mnPath, CArchive::store, writeHalfThenFail));
    EXPECT_EQ(folder.ReadBytes("フォルダZQ Position\\Mn"), std::string("\x04good"));
    EXPECT_FALSE(folder.Exists(CStoreFile::TemporaryPathOf("フォルダZQ Position\\Mn")));

    // A write that cannot replace its target fails and cleans up.
    const std::string blocked = settings.StorePath("Blocked");
    std::filesystem::create_directories(folder.Native("フォルダZQ Position/Blocked/inside"));
    EXPECT_FALSE(Write(blocked, "blocked"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Native("フォルダZQ Position/Blocked")));
    EXPECT_FALSE(folder.Exists(CStoreFile::TemporaryPathOf("フォルダZQ Position\\Blocked")));

    // Where a file has the folder's name, there is no store.
    std::filesystem::remove_all(folder.Native("フォルダZQ Position"));
    folder.WriteBytes("フォルダZQ Position", "x");
    EXPECT_FALSE(app.EnsureStoreFolder());
    EXPECT_FALSE(Write(mnPath, "lost"));
}

TEST_F(StoreFileTest, RecordsFollowOneAnotherOnOneOpenFileThatReplacesTheOldOneOnlyWhenClosed)
{
    app.EnsureStoreFolder();
    CStoreFile file;
    ASSERT_TRUE(settings.OpenStoreFile(file, settings.m_strChildWindowPath, false));
    NumberRecord count{2};
    TextRecord first{"one"}, second{"two"};
    EXPECT_TRUE(settings.SerializeOnFile(file, CArchive::store, count));
    EXPECT_TRUE(settings.SerializeOnFile(file, CArchive::store, first));
    EXPECT_TRUE(settings.SerializeOnFile(file, CArchive::store, second));
    EXPECT_FALSE(folder.Exists("フォルダZQ Position\\Child Wind ")) << "visible before it is complete";
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(folder.ReadBytes("フォルダZQ Position\\Child Wind "), std::string("\x02\0\0\0\x03one\x03two", 12));

    ASSERT_TRUE(settings.OpenStoreFile(file, settings.m_strChildWindowPath, true));
    NumberRecord countRead;
    TextRecord read;
    EXPECT_TRUE(settings.SerializeOnFile(file, CArchive::load, countRead));
    EXPECT_EQ(countRead.value, 2);
    for (const char* expected : {"one", "two"}) {
        EXPECT_FALSE(file.IsAtEnd());
        EXPECT_TRUE(settings.SerializeOnFile(file, CArchive::load, read));
        EXPECT_EQ(read.value, expected);
    }
    EXPECT_TRUE(file.IsAtEnd());
    EXPECT_FALSE(settings.SerializeOnFile(file, CArchive::load, read)) << "a record behind the end";
    EXPECT_TRUE(file.Close());

    // A sequence that fails, or is never closed, keeps the previous file.
    ASSERT_TRUE(Write(settings.m_strChildWindowPath, "old"));
    ASSERT_TRUE(settings.OpenStoreFile(file, settings.m_strChildWindowPath, false));
    settings.SerializeOnFile(file, CArchive::store, count);
    EXPECT_FALSE(settings.SerializeOnFile(file, CArchive::store, [](CArchive&) {
        throw CArchiveException(CArchiveException::genericException);
    }));
    EXPECT_FALSE(settings.SerializeOnFile(file, CArchive::store, count)) << "the file is spoilt";
    EXPECT_FALSE(file.Close());
    {
        CStoreFile abandoned;
        ASSERT_TRUE(settings.OpenStoreFile(abandoned, settings.m_strChildWindowPath, false));
        settings.SerializeOnFile(abandoned, CArchive::store, count);
    }
    EXPECT_EQ(folder.ReadBytes("フォルダZQ Position\\Child Wind "), std::string("\x03old"));
    EXPECT_FALSE(folder.Exists(CStoreFile::TemporaryPathOf("フォルダZQ Position\\Child Wind ")));
}

TEST_F(StoreFileTest, DefaultFolderServesOnlyWhenTheStoreHasNoFile)
{
    folder.WriteBytes("フォルダZQ Position Default/Mn", "\x07" "default");
    TextRecord read;
    ASSERT_TRUE(settings.LoadStoreFile("Mn", read));
    EXPECT_EQ(read.value, "default");

    app.EnsureStoreFolder();
    ASSERT_TRUE(Write(mnPath, "saved"));
    ASSERT_TRUE(settings.LoadStoreFile("Mn", read));
    EXPECT_EQ(read.value, "saved");
    EXPECT_EQ(folder.ReadBytes("フォルダZQ Position Default/Mn"), "\x07" "default");

    EXPECT_FALSE(settings.LoadStoreFile("Tool Bar", read));
}
