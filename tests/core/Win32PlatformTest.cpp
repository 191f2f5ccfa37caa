// Tests of the Win32 platform against the real file system (Windows, or Wine on the build machine).
#ifdef _WIN32

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <tuple>

#include "core/TestSupport.h"
#include "app/CAppSettings.h"
#include "win32/CWin32FindHandle.h"
#include "win32/CWin32Platform.h"
#include "win32/Win32Text.h"

namespace {

constexpr uint32_t kAllCoreAttributes = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrDirectory | kAttrArchive;

void WriteTextFile(const std::string& path, const std::string& content)
{
    std::ofstream out(GetPlatform().NativePath(path), std::ios::binary);
    out << content;
}

std::map<std::string, CFindEntry> ListAll(const std::string& pattern, uint32_t& error)
{
    std::map<std::string, CFindEntry> entries;
    std::unique_ptr<CFindHandle> handle;
    CFindEntry entry;
    error = GetPlatform().FindFirst(pattern, handle, entry);
    if (error != kErrorSuccess)
        return entries;
    do
        entries[entry.name] = entry;
    while (handle->Next(entry));
    return entries;
}

// A fresh temporary folder for each test.
class Win32PlatformTest : public ::testing::Test {
protected:
    std::string Path(const std::string& relative) const { return m_root + "\\" + relative; }

    TempTree m_tree;
    const std::string m_root = m_tree.Key();
    CAppSettings m_settings;
};

TEST_F(Win32PlatformTest, ListsJapaneseNamesWithDotsSizesTimesAndOnlyTheCoreAttributes)
{
    const int64_t before = std::time(nullptr);
    WriteTextFile(Path("日本語の名前.txt"), "12345");
    WriteTextFile(Path("hidden.dat"), "x");
    ASSERT_EQ(GetPlatform().CreateFolder(Path("フォルダ")), kErrorSuccess);
    const std::wstring hidden = ToWide(Path("hidden.dat"));
    ASSERT_TRUE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY |
                                                       FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
    uint32_t error = 0;
    const auto entries = ListAll(Path("*"), error);
    ASSERT_EQ(error, kErrorSuccess);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_TRUE(entries.at(".").IsDirectory());
    EXPECT_TRUE(entries.at("..").IsDirectory());
    EXPECT_TRUE(entries.at("フォルダ").IsDirectory());
    const CFindEntry& file = entries.at("日本語の名前.txt");
    EXPECT_FALSE(file.IsDirectory());
    EXPECT_EQ(file.size, 5u);
    EXPECT_NEAR(static_cast<double>(file.modified), static_cast<double>(before), 120.0);
    const uint32_t attributes = entries.at("hidden.dat").attributes;
    EXPECT_EQ(attributes & ~kAllCoreAttributes, 0u);
    EXPECT_EQ(attributes & (kAttrHidden | kAttrReadOnly), kAttrHidden | kAttrReadOnly);

    // A wildcard selects the matching names only.
    const auto matching = ListAll(Path("*.txt"), error);
    ASSERT_EQ(error, kErrorSuccess);
    ASSERT_EQ(matching.size(), 1u);
    EXPECT_EQ(matching.begin()->first, "日本語の名前.txt");
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);  // the temporary tree goes whole
}

TEST_F(Win32PlatformTest, WorksBeyondMaxPath)
{
    std::string deep = m_root;
    while (deep.size() < 2 * MAX_PATH) {
        deep += "\\深いフォルダ_abcdefghijklmnopqrstuvwxyz";
        ASSERT_EQ(GetPlatform().CreateFolder(deep), kErrorSuccess) << deep.size();
    }
    WriteTextFile(deep + "\\leaf.txt", "abc");
    uint32_t error = 0;
    const auto entries = ListAll(deep + "\\*", error);
    ASSERT_EQ(error, kErrorSuccess);
    ASSERT_EQ(entries.count("leaf.txt"), 1u);
    CFindEntry status;
    ASSERT_TRUE(GetPlatform().GetFileStatus(deep + "\\leaf.txt", status));
    EXPECT_EQ(status.size, 3u);
    // The program's own removal reaches as deep as the listing; the C++ library's would stop at MAX_PATH.
    CFileServices::Failure failure;
    EXPECT_TRUE(m_settings.m_files.RemoveTree(Path("深いフォルダ_abcdefghijklmnopqrstuvwxyz"), failure)) << failure.path;
    // Sizes beyond 32 bits, listed and in file status, are the walk test's, which runs here too.
}

TEST_F(Win32PlatformTest, FileStatusMatchesTheListingADriveRootIsAFolderAndFailuresGiveTheSystemsCodes)
{
    WriteTextFile(Path("s.txt"), "1234");
    uint32_t error = 0;
    const CFindEntry listed = ListAll(Path("s.txt"), error).at("s.txt");
    CFindEntry status;
    ASSERT_TRUE(GetPlatform().GetFileStatus(Path("s.txt"), status));
    EXPECT_EQ(std::tie(status.name, status.attributes, status.size, status.modified, status.created),
              std::tie(listed.name, listed.attributes, listed.size, listed.modified, listed.created));
    ASSERT_TRUE(GetPlatform().GetFileStatus(m_root, status));
    EXPECT_TRUE(status.IsDirectory());
    const std::vector<std::string> roots = GetPlatform().ListDriveRoots();
    ASSERT_FALSE(roots.empty());
    ASSERT_TRUE(GetPlatform().GetFileStatus(roots.front(), status));
    EXPECT_TRUE(status.IsDirectory());

    // Failures report the system's codes.
    std::unique_ptr<CFindHandle> handle;
    EXPECT_EQ(GetPlatform().FindFirst(Path("nothing*.xyz"), handle, status), kErrorFileNotFound);
    EXPECT_FALSE(handle);
    EXPECT_EQ(GetPlatform().FindFirst(Path("missing\\*"), handle, status), kErrorPathNotFound);
    EXPECT_FALSE(handle);
    EXPECT_FALSE(GetPlatform().GetFileStatus(Path("missing"), status));
    EXPECT_EQ(GetPlatform().CreateFolder(Path("new")), kErrorSuccess);
    EXPECT_EQ(GetPlatform().CreateFolder(Path("new")), kErrorAlreadyExists);
    EXPECT_EQ(GetPlatform().CreateFolder(Path("no\\parent")), kErrorPathNotFound);
}

WIN32_FIND_DATAW FindData(DWORD attributes, DWORD reparseTag, uint64_t size)
{
    WIN32_FIND_DATAW data{};
    wcscpy(data.cFileName, L"名前");
    data.dwFileAttributes = attributes;
    data.dwReserved0 = reparseTag;
    data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(size);
    return data;
}

TEST(Win32FindRecord, LinksBecomeEmptyFilesOtherReparsePointsStayTimesBecomeUnixSecondsAndLongPathsGetThePrefix)
{
    const DWORD folder = FILE_ATTRIBUTE_DIRECTORY, file = FILE_ATTRIBUTE_ARCHIVE, reparse = FILE_ATTRIBUTE_REPARSE_POINT;
    struct Case { DWORD attributes, tag; uint64_t size; bool isFolder; uint64_t listedSize; };
    const Case cases[] = {
        // Links to folders (Wine reports a Unix symbolic link to a folder with tag 0) and to files.
        {folder | reparse, IO_REPARSE_TAG_SYMLINK, 4096, false, 0},
        {folder | reparse, IO_REPARSE_TAG_MOUNT_POINT, 4096, false, 0}, {folder | reparse, 0, 4096, false, 0},
        {file | reparse, IO_REPARSE_TAG_SYMLINK, 77, false, 0},
        // A cloud folder and a deduplicated file; the tag matters only on reparse points.
        {folder | reparse, 0x9000001A, 0, true, 0},
        {file | reparse, IO_REPARSE_TAG_DEDUP, 5ull << 32, false, 5ull << 32},
        {folder, IO_REPARSE_TAG_SYMLINK, 0, true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.attributes) + " " + std::to_string(c.tag));
        const CFindEntry entry = CWin32FindHandle::EntryFromFindData(FindData(c.attributes, c.tag, c.size));
        EXPECT_EQ(entry.IsDirectory(), c.isFolder);
        EXPECT_EQ(entry.size, c.listedSize);
        EXPECT_EQ(entry.name, "名前");
    }
    EXPECT_EQ(CWin32FindHandle::EntryFromFindData(FindData(file | reparse, IO_REPARSE_TAG_DEDUP, 0)).attributes,
              kAttrArchive);
    // Under Wine the ".." of a folder directly below Z:\ carries the reparse bit with tag 0: it is
    // still the parent folder, not a link to count as a file.
    for (const wchar_t* dots : {L".", L".."}) {
        WIN32_FIND_DATAW data = FindData(folder | reparse, 0, 0);
        wcscpy(data.cFileName, dots);
        EXPECT_TRUE(CWin32FindHandle::EntryFromFindData(data).IsDirectory()) << FromWide(dots);
    }

    const auto fileTime = [](uint64_t ticks) {
        return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    };
    EXPECT_EQ(CWin32FindHandle::UnixSecondsFromFileTime(fileTime(0)), 0);
    // 2000-01-01 00:00:00 UTC, counted in 100 ns from 1601.
    EXPECT_EQ(CWin32FindHandle::UnixSecondsFromFileTime(fileTime(125'911'584'000'000'000ull)), 946'684'800);
    EXPECT_EQ(CWin32FindHandle::UnixSecondsFromFileTime(fileTime(125'911'584'009'999'999ull)), 946'684'800);
    EXPECT_LT(CWin32FindHandle::UnixSecondsFromFileTime(fileTime(10'000'000ull)), 0);

    // Long paths get the prefix; relative ones stay relative.
    const std::string tail(300, 'x');
    EXPECT_EQ(CWin32Platform::ApiPath("C:\\short\\*"), L"C:\\short\\*");
    EXPECT_EQ(CWin32Platform::ApiPath("C:\\a\\" + tail), L"\\\\?\\C:\\a\\" + ToWide(tail));
    EXPECT_EQ(CWin32Platform::ApiPath("C:\\a\\..\\b\\" + tail), L"\\\\?\\C:\\b\\" + ToWide(tail));
    EXPECT_EQ(CWin32Platform::ApiPath("\\\\server\\share\\" + tail), L"\\\\?\\UNC\\server\\share\\" + ToWide(tail));
    EXPECT_EQ(CWin32Platform::ApiPath("\\\\?\\C:\\" + tail), L"\\\\?\\C:\\" + ToWide(tail));
    const std::filesystem::path path = GetPlatform().NativePath("フォルダZQ Position\\Mn");
    EXPECT_TRUE(path.is_relative());
    EXPECT_EQ(path.wstring(), L"フォルダZQ Position\\Mn");
}

// Days from 1970-01-01 to a date.
int64_t DaysFromCivil(int year, int month, int day)
{
    using namespace std::chrono;
    return sys_days{std::chrono::year{year} / month / day}.time_since_epoch().count();
}

// Whatever the zone, local time is UTC shifted by a whole number of quarter hours, at most 14
// hours, and its weekday and day of the year agree with its date.
TEST(Win32PlatformTime, LocalTimeIsAConsistentShiftOfUtcAndThePumpHandsMessagesOncePerIntervalAndStopsAtQuit)
{
    // 2000-02-29, 2023-11-14 and the middle of 2024-12-31, the last day of a leap year.
    for (const int64_t utc : {int64_t(951'782'400), int64_t(1'700'000'000), int64_t(1'735'646'400)}) {
        std::tm local{};
        ASSERT_TRUE(GetPlatform().LocalTime(utc, local));
        const int64_t days = DaysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
        const int64_t asIfUtc = days * 86400 + local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
        const int64_t offset = asIfUtc - utc;
        EXPECT_EQ(offset % 900, 0) << utc;
        EXPECT_LE(offset < 0 ? -offset : offset, 14 * 3600) << utc;
        EXPECT_EQ(local.tm_wday, (days % 7 + 11) % 7) << utc;  // 1970-01-01 was a Thursday
        EXPECT_EQ(local.tm_yday, days - DaysFromCivil(local.tm_year + 1900, 1, 1)) << utc;
    }
    std::tm local{};
    EXPECT_FALSE(GetPlatform().LocalTime(-20'000'000'000, local));
    EXPECT_FALSE(GetPlatform().LocalTime(INT64_MAX, local));

    // The pump hands messages to the dispatcher once per interval and stops at the quit message.
    const auto pumpLater = [] {
        Sleep(CWin32Platform::kPumpInterval + 20);
        return GetPlatform().PumpWaitingMessages();
    };
    std::vector<UINT> dispatched;
    CWin32Platform::Instance().SetMessageDispatcher([&](MSG& message) { dispatched.push_back(message.message); });
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 1, 0, 0);
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 2, 0, 0);
    EXPECT_TRUE(pumpLater());
    EXPECT_EQ(dispatched, (std::vector<UINT>{WM_APP + 1, WM_APP + 2}));
    // A look into the queue right after another may or may not be skipped, as the clock decides;
    // once the interval has passed the message is always taken, before the quit.
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 3, 0, 0);
    GetPlatform().PumpWaitingMessages();
    PostQuitMessage(7);
    EXPECT_FALSE(pumpLater());
    EXPECT_EQ(dispatched.back(), static_cast<UINT>(WM_APP + 3));
    CWin32Platform::Instance().SetMessageDispatcher(nullptr);
    EXPECT_TRUE(pumpLater());
}

}  // namespace

#endif  // _WIN32
