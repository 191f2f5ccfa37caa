// Tests of the drive services: start folder, special keys, path joining, existence checks, free
// space with its Retry/Cancel box, and the shell's names and icons.
#include <gtest/gtest.h>

#include <map>

#include "TestSupport.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"

namespace {

// Drives of scripted types, free-space answers from a queue (success once it is empty) and
// system texts for chosen codes.
class DrivePlatform : public CScriptedPlatform {
public:
    DrivePlatform()
    {
        driveTypes = {{"C:\\", kDriveFixed}, {"D:\\", kDriveFixed}, {"A:\\", kDriveRemovable}, {"N:\\", kDriveRemote}};
    }
    uint32_t FreeSpaceOf(const std::string& root, uint64_t& freeBytes) override
    {
        freeRoots.push_back(root);
        if (freeCodes.empty()) {
            freeBytes = kFreeBytes;
            return kErrorSuccess;
        }
        const uint32_t code = freeCodes.front();
        freeCodes.pop_front();
        freeBytes = 12345;  // what a careless platform leaves behind on failure
        return code;
    }
    std::string FormatSystemMessage(uint32_t code) override
    {
        const auto text = systemTexts.find(code);
        return text == systemTexts.end() ? std::string() : text->second;
    }

    static constexpr uint64_t kFreeBytes = 5'000'000'000;  // above 32 bits
    std::deque<uint32_t> freeCodes;
    std::vector<std::string> freeRoots;
    std::map<uint32_t, std::string> systemTexts;
};

class DriveServicesTest : public ::testing::Test {
protected:
    CAppCore app;
    CAppSettings& settings = app.m_settings;
    DrivePlatform platform;
    const std::string computer = settings.m_keys.m_strMyComputerId;
    const std::string fileOnly = settings.m_keys.m_strFileOnlyFolderId;
};

}  // namespace

TEST_F(DriveServicesTest, StartFolderIsTheFirstFixedDriveOfferedTheRecycleFoldersGoByNameAndVirtualKeysByTheirExactNames)
{
    EXPECT_EQ(settings.m_drives.GetStartFolder(), "");
    // Removable and network drives are never the start.
    for (const auto& [root, taken] : {std::pair{"A:\\", false}, {"N:\\", false}, {"C:\\", true}, {"D:\\", false},
                                      {"C:\\", false}})
        EXPECT_EQ(settings.m_drives.OfferStartFolder(root), taken) << root;
    EXPECT_EQ(settings.m_drives.GetStartFolder(), "C:\\");

    // The recycle folder of any Windows generation, in any case (Windows compares names so),
    // directly on a fixed drive, or anything below it.
    const struct { std::string key; bool bInside; } recycle[] = {
        {"C:\\RECYCLED", true},       {"C:\\RECYCLED\\x", true},   {"D:\\RECYCLED\\x\\y", true},
        {"C:\\Recycled", true},       {"C:\\RECYCLER\\S-1-5-21", true}, {"C:\\$Recycle.Bin", true},
        {"C:\\$RECYCLE.BIN\\x", true}, {"C:\\$recycle.bin", true},
        {"C:\\RECYCLEDX", false},     {"C:\\Recycle.Bin", false},    {"C:\\$Recycle.Bin2", false},
        {"C:\\data\\RECYCLED", false}, {"C:\\data\\$Recycle.Bin", false}, {"C:\\", false},
        {"A:\\RECYCLED", false},      {"N:\\$Recycle.Bin", false},   {computer, false},
        {"RECYCLED\\RECYCLED", false}, {"", false},
    };
    for (const auto& r : recycle)
        EXPECT_EQ(settings.m_drives.IsInRecycleFolder(r.key), r.bInside) << r.key;

    // Virtual keys are recognised by their last component only; the display name is a real name.
    // An ordinary folder is none of them, nor the computer, a drive root or nothing.
    for (const auto& [key, bFileOnly, bPlaceholder, bOrdinary] :
         {std::tuple{"C:\\a\\" + fileOnly, true, false, false}, {"C:\\" + fileOnly, true, false, false},
          {std::string("C:\\a\\ﾌｧｲﾙ専用仮想ﾌｫﾙﾀﾞ"), false, false, true}, {"C:\\" + fileOnly + "\\a", false, false, true},
          {std::string("C:\\Dummy,"), false, true, false}, {computer + "\\Dummy,", false, true, false},
          {std::string("C:\\Dummy"), false, false, true}, {std::string("C:\\dummy,"), false, false, true},
          {std::string("C:\\a"), false, false, true}, {std::string("C:\\"), false, false, false},
          {computer, false, false, false}, {std::string(), false, false, false}}) {
        EXPECT_EQ(settings.m_keys.IsFileOnlyFolder(key), bFileOnly) << key;
        EXPECT_EQ(settings.m_keys.IsPlaceholderPath(key), bPlaceholder) << key;
        EXPECT_EQ(settings.m_keys.IsOrdinaryFolderPath(key), bOrdinary) << key;
    }

    // The real folder of the file-only key is its parent.
    for (const auto& [key, real] : {std::pair{"C:\\a\\" + fileOnly, std::string("C:\\a")}, {"C:\\" + fileOnly, "C:\\"},
                                    {"C:\\a", "C:\\a"}, {"C:\\", "C:\\"}, {computer, computer}})
        EXPECT_EQ(settings.m_keys.GetRealFolder(key), real) << key;
}

TEST_F(DriveServicesTest, JoiningSplittingExistenceAndFreeSpaceWhichLeavesTheErrorCodeAndAsksToRetry)
{
    // A join adds no backslash to a drive root's (parents and names are the walk test's).
    EXPECT_EQ(settings.m_keys.SameNameIn("C:\\a\\b", "D:\\"), "D:\\b");
    EXPECT_EQ(settings.m_keys.SameNameIn("C:\\ファイル.txt", "D:\\x"), "D:\\x\\ファイル.txt");
    EXPECT_EQ(settings.m_keys.ReplaceName("C:\\a\\b", "c"), "C:\\a\\c");

    // Splitting off the first component keeps the backslash of a drive only.
    struct Case { std::string path, head, rest; };
    for (const Case& c : {Case{"C:\\a\\b", "C:\\", "a\\b"}, Case{"a\\b", "a", "b"}, Case{"C:\\", "C:\\", ""},
                          Case{"フォルダ", "フォルダ", ""}, Case{"a\\", "a", ""}, Case{"", "", ""}}) {
        std::string rest = "stale";
        EXPECT_EQ(CFolderKeys::SplitFirst(c.path, rest), c.head) << c.path;
        EXPECT_EQ(rest, c.rest) << c.path;
    }

    // Existence checks tell folders from files and ignore virtual keys on disk.
    TempTree tree;
    tree.Folder("dir");
    tree.File("file.txt", 3);
    // Real entries that happen to carry the virtual names are still not addressed by such keys.
    tree.Folder("Dummy,");
    tree.Folder(fileOnly);

    for (const auto& [key, bFolder, bFile] :
         {std::tuple{tree.Key("dir"), true, false}, {tree.Key("file.txt"), false, true}, {tree.Key("missing"), false, false},
          {tree.Key("Dummy,"), false, false}, {tree.Key(fileOnly), false, false}, {computer, false, false}, {"", false, false},
          {tree.Key().substr(0, 3), false, false}}) {  // a drive root is no ordinary folder
        EXPECT_EQ(settings.m_drives.IsExistingFolder(key), bFolder) << key;
        EXPECT_EQ(settings.m_drives.IsExistingFile(key), bFile) << key;
    }

    // Free space leaves the error code and zero bytes on failure; Retry asks with the first sentence
    // of the system's text.
    uint64_t free = 1;
    platform.freeCodes = {21};
    EXPECT_FALSE(settings.m_drives.GetFreeSpace("A:\\", free));
    EXPECT_EQ(free, 0u);
    EXPECT_EQ(app.m_dwLastError, 21u);
    EXPECT_TRUE(platform.messages.empty());

    // With Retry the drive of the path is asked again until it reads.
    platform.freeCodes = {21, 21};
    platform.answers = {kIdRetry, kIdRetry};
    EXPECT_TRUE(settings.m_drives.GetFreeSpaceRetry("a:\\data\\x", free));
    EXPECT_EQ(free, DrivePlatform::kFreeBytes);
    EXPECT_EQ(platform.freeRoots, (std::vector<std::string>{"A:\\", "a:\\", "a:\\", "a:\\"}));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(app.m_dwLastError, 0u);  // the reading that succeeded clears the error

    // The message shows the first sentence of the system's text and the code in lower-case hex.
    // The drive of a short or Japanese path is taken in whole characters.
    platform.freeCodes = {0x4d2, 3, 3};
    platform.systemTexts[0x4d2] = "デバイスの準備ができていません。ドライブを確認してください。\r\n";
    platform.systemTexts[3] = "The path was not found.\r\n";  // no Japanese full stop: whole
    platform.freeRoots.clear();
    EXPECT_FALSE(settings.m_drives.GetFreeSpaceRetry("a:\\data", free));  // no answer queued: Cancel
    EXPECT_EQ(app.m_dwLastError, 0x4d2u);
    EXPECT_FALSE(settings.m_drives.GetFreeSpaceRetry("データ\\x", free));
    EXPECT_FALSE(settings.m_drives.GetFreeSpaceRetry("C:", free));
    EXPECT_EQ(platform.freeRoots, (std::vector<std::string>{"a:\\", "データ", "C:"}));
    ASSERT_EQ(platform.messages.size(), 5u);
    EXPECT_EQ(platform.messages[2],
              "A:\\ の空きﾃﾞｨｽｸ領域が分かりません。\n\nデバイスの準備ができていません。\n\n( ｺｰﾄﾞ=0x4d2 )\n");
    EXPECT_EQ(platform.styles[2], static_cast<unsigned>(kMbRetryCancel | kMbIconHand));
    EXPECT_EQ(platform.messages[3], "データ の空きﾃﾞｨｽｸ領域が分かりません。\n\nThe path was not found.\r\n\n\n( ｺｰﾄﾞ=0x3 )\n");
}
