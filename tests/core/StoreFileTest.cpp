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

// A record of one string, to see exactly what the store puts around a value.
struct TextRecord {
    void Serialize(CArchive& ar)
    {
        if (ar.IsStoring())
            ar << text;
        else
            ar >> text;
    }
    std::string text;
};

// A record of one number, for files that hold several records in a row.
struct NumberRecord {
    void Serialize(CArchive& ar)
    {
        if (ar.IsStoring())
            ar << value;
        else
            ar >> value;
    }
    int32_t value = 0;
};

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

TEST(StoreNames, FilesAndFoldersHaveTheirStoredNames)
{
    const CAppSettings settings;
    EXPECT_EQ(settings.m_strPositionDir, "フォルダZQ Position");
    EXPECT_EQ(settings.m_strPositionDefaultDir, "フォルダZQ Position Default");
    EXPECT_EQ(settings.m_strMainFrameFile, "Mn");
    EXPECT_EQ(settings.m_strToolBarFile, "Tool Bar");
    EXPECT_EQ(settings.m_strChildWindowPath, "フォルダZQ Position\\Child Wind ");
    EXPECT_EQ(settings.m_strSearchDialogPath, "フォルダZQ Position\\Dilog Find");
    EXPECT_EQ(settings.m_strFolderInfoPath, "フォルダZQ Position\\Dir Info");
    EXPECT_EQ(settings.m_strOnePointPath, "フォルダZQ Position\\One Point Number");
}

TEST(StoreNames, JoinStorePathPutsOneBackslashBetween)
{
    EXPECT_EQ(CAppSettings::JoinStorePath("", "Mn"), "Mn");
    EXPECT_EQ(CAppSettings::JoinStorePath("C:\\", "Mn"), "C:\\Mn");
    EXPECT_EQ(CAppSettings::JoinStorePath("a\\b", "Mn"), "a\\b\\Mn");
    // The second byte of "ソ" in code page 932 is a backslash; the folder still needs one.
    EXPECT_EQ(CAppSettings::JoinStorePath("ソ", "Mn"), "ソ\\Mn");
}

TEST_F(StoreFileTest, EnsureStoreFolderCreatesTheFolderOnce)
{
    EXPECT_FALSE(folder.Exists("フォルダZQ Position"));
    EXPECT_TRUE(app.EnsureStoreFolder());
    EXPECT_TRUE(std::filesystem::is_directory(folder.Native("フォルダZQ Position")));
    ASSERT_TRUE(Write(mnPath, "kept"));
    EXPECT_TRUE(app.EnsureStoreFolder());
    EXPECT_EQ(folder.ReadBytes("フォルダZQ Position\\Mn"), std::string("\x04kept"));
}

TEST_F(StoreFileTest, EnsureStoreFolderFailsWhereAFileHasTheName)
{
    folder.WriteBytes("フォルダZQ Position", "x");
    EXPECT_FALSE(app.EnsureStoreFolder());
    EXPECT_FALSE(Write(mnPath, "lost"));
}

TEST_F(StoreFileTest, WholeFileRoundTripsUnderItsJapaneseName)
{
    app.EnsureStoreFolder();
    ASSERT_TRUE(Write(mnPath, "ﾌｫﾙﾀﾞ"));
    EXPECT_EQ(folder.ReadBytes("フォルダZQ Position\\Mn"), std::string("\x05\xCC\xAB\xD9\xC0\xDE"));
    TextRecord read;
    ASSERT_TRUE(settings.SerializeToFile(mnPath, CArchive::load, read));
    EXPECT_EQ(read.text, "ﾌｫﾙﾀﾞ");
}

TEST_F(StoreFileTest, StringsTakeOneThreeOrSevenBytesOfLength)
{
    app.EnsureStoreFolder();
    for (const auto& [length, prefix] : {std::pair{254u, 1u}, {255u, 3u}, {65534u, 7u}}) {
        ASSERT_TRUE(Write(mnPath, std::string(length, 'z')));
        const std::string bytes = folder.ReadBytes("フォルダZQ Position\\Mn");
        EXPECT_EQ(bytes.size(), length + prefix) << length;
        TextRecord read;
        ASSERT_TRUE(settings.SerializeToFile(mnPath, CArchive::load, read));
        EXPECT_EQ(read.text.size(), length);
    }
}

TEST_F(StoreFileTest, MissingFileOrFolderIsReportedWithoutTouchingTheObject)
{
    TextRecord read{"before"};
    EXPECT_FALSE(settings.SerializeToFile(mnPath, CArchive::load, read));
    EXPECT_EQ(read.text, "before");
    EXPECT_FALSE(Write(mnPath, "nowhere"));
    EXPECT_FALSE(folder.Exists("フォルダZQ Position"));
}

TEST_F(StoreFileTest, FailedWriteKeepsThePreviousFile)
{
    app.EnsureStoreFolder();
    ASSERT_TRUE(Write(mnPath, "good"));
    const auto writeHalfThenFail = [](CArchive& ar) {
        ar << int32_t{7};
        throw CFileException(CFileException::diskFull);
    };
    EXPECT_FALSE(settings.SerializeToFile(mnPath, CArchive::store, writeHalfThenFail));
    EXPECT_EQ(folder.ReadBytes("フォルダZQ Position\\Mn"), std::string("\x04good"));
    EXPECT_FALSE(folder.Exists(CStoreFile::TemporaryPathOf("フォルダZQ Position\\Mn")));
}

TEST_F(StoreFileTest, WriteThatCannotReplaceTheTargetFailsAndCleansUp)
{
    app.EnsureStoreFolder();
    std::filesystem::create_directories(folder.Native("フォルダZQ Position/Mn/inside"));
    EXPECT_FALSE(Write(mnPath, "blocked"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Native("フォルダZQ Position/Mn")));
    EXPECT_FALSE(folder.Exists(CStoreFile::TemporaryPathOf("フォルダZQ Position\\Mn")));
}

TEST_F(StoreFileTest, RecordsFollowOneAnotherOnOneOpenFile)
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
    EXPECT_TRUE(settings.SerializeOnFile(file, CArchive::load, read));
    EXPECT_EQ(read.text, "one");
    EXPECT_FALSE(file.IsAtEnd());
    EXPECT_TRUE(settings.SerializeOnFile(file, CArchive::load, read));
    EXPECT_EQ(read.text, "two");
    EXPECT_TRUE(file.IsAtEnd());
    EXPECT_FALSE(settings.SerializeOnFile(file, CArchive::load, read)) << "a record behind the end";
    EXPECT_TRUE(file.Close());
}

TEST_F(StoreFileTest, RecordSequenceThatFailsOrIsNotClosedKeepsThePreviousFile)
{
    app.EnsureStoreFolder();
    ASSERT_TRUE(Write(settings.m_strChildWindowPath, "old"));
    {
        CStoreFile file;
        ASSERT_TRUE(settings.OpenStoreFile(file, settings.m_strChildWindowPath, false));
        NumberRecord count{1};
        settings.SerializeOnFile(file, CArchive::store, count);
        EXPECT_FALSE(settings.SerializeOnFile(file, CArchive::store, [](CArchive&) {
            throw CArchiveException(CArchiveException::genericException);
        }));
        NumberRecord after{5};
        EXPECT_FALSE(settings.SerializeOnFile(file, CArchive::store, after)) << "the file is spoilt";
        EXPECT_FALSE(file.Close());
    }
    {
        CStoreFile abandoned;
        ASSERT_TRUE(settings.OpenStoreFile(abandoned, settings.m_strChildWindowPath, false));
        NumberRecord count{3};
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
    EXPECT_EQ(read.text, "default");

    app.EnsureStoreFolder();
    ASSERT_TRUE(Write(mnPath, "saved"));
    ASSERT_TRUE(settings.LoadStoreFile("Mn", read));
    EXPECT_EQ(read.text, "saved");
    EXPECT_EQ(folder.ReadBytes("フォルダZQ Position Default/Mn"), "\x07" "default");

    EXPECT_FALSE(settings.LoadStoreFile("Tool Bar", read));
}
