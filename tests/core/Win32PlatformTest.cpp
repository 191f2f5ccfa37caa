// Tests of the Win32 platform against the real file system (Windows, or Wine on the build machine).
#ifdef _WIN32

#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>

#include "win32/CWin32FindHandle.h"
#include "win32/CWin32Platform.h"
#include "win32/Win32Text.h"

namespace {

constexpr uint32_t kAllCoreAttributes = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrDirectory | kAttrArchive;
constexpr uint32_t kErrorAlreadyExists = 183;

std::wstring LongPath(const std::string& path)
{
    return L"\\\\?\\" + ToWide(path);
}

// Removes a tree of any depth; the \\?\ form lifts the MAX_PATH limit.
void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = folder + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

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

// A fresh folder under %TEMP% for each test, removed afterwards.
class Win32PlatformTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH + 1];
        ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
        const std::string name = "zq-win32-" + std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(GetTickCount64());
        m_root = FromWide(temp) + name;
        ASSERT_EQ(GetPlatform().CreateFolder(m_root), kErrorSuccess);
    }
    void TearDown() override { RemoveTree(LongPath(m_root)); }

    std::string Path(const std::string& relative) const { return m_root + "\\" + relative; }

    std::string m_root;
};

TEST_F(Win32PlatformTest, ListsJapaneseNamesWithDotsSizesAndTimes)
{
    const int64_t before = std::time(nullptr);
    WriteTextFile(Path("日本語の名前.txt"), "12345");
    ASSERT_EQ(GetPlatform().CreateFolder(Path("フォルダ")), kErrorSuccess);
    uint32_t error = 0;
    const auto entries = ListAll(Path("*"), error);
    ASSERT_EQ(error, kErrorSuccess);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_TRUE(entries.at(".").IsDirectory());
    EXPECT_TRUE(entries.at("..").IsDirectory());
    const CFindEntry& file = entries.at("日本語の名前.txt");
    EXPECT_FALSE(file.IsDirectory());
    EXPECT_EQ(file.size, 5u);
    EXPECT_NEAR(static_cast<double>(file.modified), static_cast<double>(before), 120.0);
    EXPECT_TRUE(entries.at("フォルダ").IsDirectory());
}

TEST_F(Win32PlatformTest, KeepsOnlyTheCoreAttributeBits)
{
    WriteTextFile(Path("hidden.txt"), "x");
    const std::wstring wide = ToWide(Path("hidden.txt"));
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY |
                                                     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
    uint32_t error = 0;
    const auto entries = ListAll(Path("hidden.txt"), error);
    ASSERT_EQ(error, kErrorSuccess);
    const uint32_t attributes = entries.at("hidden.txt").attributes;
    EXPECT_EQ(attributes & ~kAllCoreAttributes, 0u);
    EXPECT_TRUE(attributes & kAttrHidden);
    EXPECT_TRUE(attributes & kAttrReadOnly);
}

TEST_F(Win32PlatformTest, WildcardSelectsMatchingNamesOnly)
{
    WriteTextFile(Path("a.txt"), "");
    WriteTextFile(Path("b.dat"), "");
    uint32_t error = 0;
    const auto entries = ListAll(Path("*.txt"), error);
    ASSERT_EQ(error, kErrorSuccess);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries.begin()->first, "a.txt");
}

TEST_F(Win32PlatformTest, ReportsTheSystemErrorCodes)
{
    std::unique_ptr<CFindHandle> handle;
    CFindEntry entry;
    EXPECT_EQ(GetPlatform().FindFirst(Path("nothing*.xyz"), handle, entry), kErrorFileNotFound);
    EXPECT_FALSE(handle);
    EXPECT_EQ(GetPlatform().FindFirst(Path("missing\\*"), handle, entry), kErrorPathNotFound);
    EXPECT_FALSE(handle);
    EXPECT_FALSE(GetPlatform().GetFileStatus(Path("missing"), entry));
}

TEST_F(Win32PlatformTest, CreateFolderReportsExistingAndMissingParents)
{
    EXPECT_EQ(GetPlatform().CreateFolder(Path("new")), kErrorSuccess);
    EXPECT_EQ(GetPlatform().CreateFolder(Path("new")), kErrorAlreadyExists);
    EXPECT_EQ(GetPlatform().CreateFolder(Path("no\\parent")), kErrorPathNotFound);
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
}

TEST_F(Win32PlatformTest, ReportsSizesBeyond32Bits)
{
    const uint64_t fiveGiB = 5ull << 30;
    const std::wstring path = ToWide(Path("big.bin"));
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD returned = 0;
    // Sparse keeps the disk untouched on NTFS; Wine's files are sparse anyway.
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(fiveGiB);
    const bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    ASSERT_TRUE(sized);
    uint32_t error = 0;
    EXPECT_EQ(ListAll(Path("big.bin"), error).at("big.bin").size, fiveGiB);
    CFindEntry status;
    ASSERT_TRUE(GetPlatform().GetFileStatus(Path("big.bin"), status));
    EXPECT_EQ(status.size, fiveGiB);
}

TEST_F(Win32PlatformTest, FileStatusMatchesTheListing)
{
    WriteTextFile(Path("s.txt"), "1234");
    uint32_t error = 0;
    const CFindEntry listed = ListAll(Path("s.txt"), error).at("s.txt");
    CFindEntry status;
    ASSERT_TRUE(GetPlatform().GetFileStatus(Path("s.txt"), status));
    EXPECT_EQ(status.name, "s.txt");
    EXPECT_EQ(status.attributes, listed.attributes);
    EXPECT_EQ(status.size, listed.size);
    EXPECT_EQ(status.modified, listed.modified);
    EXPECT_EQ(status.created, listed.created);
    ASSERT_TRUE(GetPlatform().GetFileStatus(m_root, status));
    EXPECT_TRUE(status.IsDirectory());
}

TEST_F(Win32PlatformTest, FileStatusOfADriveRoot)
{
    const std::vector<std::string> roots = GetPlatform().ListDriveRoots();
    ASSERT_FALSE(roots.empty());
    CFindEntry status;
    ASSERT_TRUE(GetPlatform().GetFileStatus(roots.front(), status));
    EXPECT_TRUE(status.IsDirectory());
}

// Junctions need no privilege on Windows. Wine 8 refuses FSCTL_SET_REPARSE_POINT, and its
// CreateSymbolicLinkW returns success without creating anything: there the test is skipped and
// only the record mapping below covers links.
bool MakeJunction(const std::wstring& link, const std::wstring& target)
{
    if (!CreateDirectoryW(link.c_str(), nullptr))
        return false;
    const HANDLE handle = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const std::wstring substitute = L"\\??\\" + target;
    const WORD substituteBytes = static_cast<WORD>(substitute.size() * sizeof(wchar_t));
    const WORD printBytes = static_cast<WORD>(target.size() * sizeof(wchar_t));
    // ReparseTag, ReparseDataLength, Reserved, then the mount-point buffer: offsets, lengths, names.
    std::vector<BYTE> buffer(16 + substituteBytes + 2 + printBytes + 2, 0);
    const WORD header[] = {0, substituteBytes, static_cast<WORD>(substituteBytes + 2), printBytes};
    const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
    const WORD dataLength = static_cast<WORD>(buffer.size() - 8);
    memcpy(buffer.data(), &tag, 4);
    memcpy(buffer.data() + 4, &dataLength, 2);
    memcpy(buffer.data() + 8, header, sizeof(header));
    memcpy(buffer.data() + 16, substitute.c_str(), substituteBytes);
    memcpy(buffer.data() + 16 + substituteBytes + 2, target.c_str(), printBytes);
    DWORD returned = 0;
    const bool made = DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      nullptr, 0, &returned, nullptr);
    CloseHandle(handle);
    return made;
}

TEST_F(Win32PlatformTest, ReportsAFolderJunctionAsAnEmptyFile)
{
    ASSERT_EQ(GetPlatform().CreateFolder(Path("target")), kErrorSuccess);
    WriteTextFile(Path("target\\inside.txt"), "content");
    if (!MakeJunction(ToWide(Path("link")), ToWide(Path("target"))))
        GTEST_SKIP() << "this system cannot create junctions (Wine 8)";
    uint32_t error = 0;
    const CFindEntry link = ListAll(Path("link"), error).at("link");
    EXPECT_FALSE(link.IsDirectory());
    EXPECT_EQ(link.size, 0u);
    CFindEntry status;
    ASSERT_TRUE(GetPlatform().GetFileStatus(Path("link"), status));
    EXPECT_FALSE(status.IsDirectory());
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

TEST(Win32FindRecord, LinksBecomeEmptyFiles)
{
    const DWORD folderLink = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    // Wine reports a Unix symbolic link to a folder with tag 0.
    for (const DWORD tag : {IO_REPARSE_TAG_SYMLINK, IO_REPARSE_TAG_MOUNT_POINT, DWORD(0)}) {
        const CFindEntry entry = CWin32FindHandle::EntryFromFindData(FindData(folderLink, tag, 4096));
        EXPECT_FALSE(entry.IsDirectory()) << tag;
        EXPECT_EQ(entry.size, 0u) << tag;
        EXPECT_EQ(entry.name, "名前");
    }
    const DWORD fileLink = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT;
    EXPECT_EQ(CWin32FindHandle::EntryFromFindData(FindData(fileLink, IO_REPARSE_TAG_SYMLINK, 77)).size, 0u);
}

TEST(Win32FindRecord, OtherReparsePointsStayWhatTheyAre)
{
    constexpr DWORD kCloudTag = 0x9000001A;
    const DWORD cloudFolder = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    EXPECT_TRUE(CWin32FindHandle::EntryFromFindData(FindData(cloudFolder, kCloudTag, 0)).IsDirectory());
    const DWORD dedupFile = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT;
    const CFindEntry file = CWin32FindHandle::EntryFromFindData(FindData(dedupFile, IO_REPARSE_TAG_DEDUP, 5ull << 32));
    EXPECT_EQ(file.size, 5ull << 32);
    EXPECT_EQ(file.attributes, kAttrArchive);
}

TEST(Win32FindRecord, ReparseTagMattersOnlyOnReparsePoints)
{
    const CFindEntry entry =
        CWin32FindHandle::EntryFromFindData(FindData(FILE_ATTRIBUTE_DIRECTORY, IO_REPARSE_TAG_SYMLINK, 0));
    EXPECT_TRUE(entry.IsDirectory());
}

TEST(Win32FindRecord, ConvertsFileTimesToUnixSeconds)
{
    const auto fileTime = [](uint64_t ticks) {
        return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    };
    EXPECT_EQ(CWin32FindHandle::UnixSecondsFromFileTime(fileTime(0)), 0);
    // 2000-01-01 00:00:00 UTC, counted in 100 ns from 1601.
    EXPECT_EQ(CWin32FindHandle::UnixSecondsFromFileTime(fileTime(125'911'584'000'000'000ull)), 946'684'800);
    EXPECT_EQ(CWin32FindHandle::UnixSecondsFromFileTime(fileTime(125'911'584'009'999'999ull)), 946'684'800);
    EXPECT_LT(CWin32FindHandle::UnixSecondsFromFileTime(fileTime(10'000'000ull)), 0);
}

TEST(Win32PlatformPaths, LongPathsGetThePrefix)
{
    const std::string tail(300, 'x');
    EXPECT_EQ(CWin32Platform::ApiPath("C:\\short\\*"), L"C:\\short\\*");
    EXPECT_EQ(CWin32Platform::ApiPath("C:\\a\\" + tail), L"\\\\?\\C:\\a\\" + ToWide(tail));
    EXPECT_EQ(CWin32Platform::ApiPath("C:\\a\\..\\b\\" + tail), L"\\\\?\\C:\\b\\" + ToWide(tail));
    EXPECT_EQ(CWin32Platform::ApiPath("\\\\server\\share\\" + tail), L"\\\\?\\UNC\\server\\share\\" + ToWide(tail));
    EXPECT_EQ(CWin32Platform::ApiPath("\\\\?\\C:\\" + tail), L"\\\\?\\C:\\" + ToWide(tail));
}

TEST(Win32PlatformPaths, NativePathKeepsRelativePathsRelative)
{
    const std::filesystem::path path = GetPlatform().NativePath("フォルダZQ Position\\Mn");
    EXPECT_TRUE(path.is_relative());
    EXPECT_EQ(path.wstring(), L"フォルダZQ Position\\Mn");
}

TEST(Win32PlatformDrives, ListsLetterRootsInOrder)
{
    const std::vector<std::string> roots = GetPlatform().ListDriveRoots();
    ASSERT_FALSE(roots.empty());
    EXPECT_TRUE(std::is_sorted(roots.begin(), roots.end()));
    for (const std::string& root : roots) {
        ASSERT_EQ(root.size(), 3u);
        EXPECT_EQ(root.substr(1), ":\\");
        EXPECT_NE(GetPlatform().DriveTypeOf(root), kDriveNoRootDir) << root;
    }
    EXPECT_EQ(GetPlatform().DriveTypeOf("Q:\\nonexistent-root\\"), kDriveNoRootDir);
}

TEST(Win32PlatformMessages, FormatsKnownCodesAndNothingForUnknownOnes)
{
    EXPECT_FALSE(GetPlatform().FormatSystemMessage(kErrorFileNotFound).empty());
    EXPECT_FALSE(GetPlatform().FormatSystemMessage(kErrorAccessDenied).empty());
    EXPECT_TRUE(GetPlatform().FormatSystemMessage(0x2345ABCD).empty());
}

int64_t DaysFromCivil(int year, int month, int day)
{
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// Whatever the zone, local time is UTC shifted by a whole number of quarter hours, at most 14
// hours, and its weekday and day of the year agree with its date.
TEST(Win32PlatformTime, LocalTimeIsAConsistentShiftOfUtc)
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
}

TEST(Win32PlatformTime, RejectsTimesWindowsCannotRepresent)
{
    std::tm local{};
    EXPECT_FALSE(GetPlatform().LocalTime(-20'000'000'000, local));
    EXPECT_FALSE(GetPlatform().LocalTime(INT64_MAX, local));
}

TEST(Win32PlatformPump, HandsMessagesToTheDispatcherOncePerIntervalAndStopsAtQuit)
{
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
