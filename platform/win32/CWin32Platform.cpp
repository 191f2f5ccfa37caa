// The Win32 implementation of the platform services.
#include "CWin32Platform.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "CPathForms.h"
#include "CWin32FindHandle.h"
#include "CWineUnix.h"
#include "Win32Text.h"

namespace {

// CreateDirectoryW stops at MAX_PATH - 12 characters without the long-path prefix, the other
// file functions at MAX_PATH.
constexpr std::size_t kLongPathThreshold = MAX_PATH - 12;

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

// The absolute form, with "." and ".." resolved: the \\?\ prefix turns that resolution off.
std::wstring FullPathOf(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return path;
    full.resize(length);
    return full;
}

bool IsDriveAbsolute(const std::wstring& path)
{
    return path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
}

// Wine removes no Unix symbolic link to a folder through its file functions; rm without -r
// takes the link itself away, never a folder.
bool RemoveWineLinkToFolder(const std::wstring& path)
{
    return CWineUnix::Run("/bin/rm", {"--"}, {path}) && GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::string LastComponent(const std::string& path)
{
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

// The reparse tag tells a link from a cloud file; only a find record carries it.
DWORD ReparseTagOf(std::wstring path)
{
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileExW(path.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return 0;  // counts as a link: better not to walk into what cannot be identified
    FindClose(find);
    return data.dwReserved0;
}

WIN32_FIND_DATAW FindDataFromAttributes(const WIN32_FILE_ATTRIBUTE_DATA& info)
{
    WIN32_FIND_DATAW data{};
    data.dwFileAttributes = info.dwFileAttributes;
    data.ftCreationTime = info.ftCreationTime;
    data.ftLastAccessTime = info.ftLastAccessTime;
    data.ftLastWriteTime = info.ftLastWriteTime;
    data.nFileSizeHigh = info.nFileSizeHigh;
    data.nFileSizeLow = info.nFileSizeLow;
    return data;
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DayOfYear(const SYSTEMTIME& date)
{
    static constexpr int kDaysBeforeMonth[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const bool afterLeapDay = date.wMonth > 2 && IsLeapYear(date.wYear);
    return kDaysBeforeMonth[date.wMonth - 1] + date.wDay - 1 + (afterLeapDay ? 1 : 0);
}

std::tm TmFromSystemTime(const SYSTEMTIME& time)
{
    std::tm tm{};
    tm.tm_year = time.wYear - 1900;
    tm.tm_mon = time.wMonth - 1;
    tm.tm_mday = time.wDay;
    tm.tm_hour = time.wHour;
    tm.tm_min = time.wMinute;
    tm.tm_sec = time.wSecond;
    tm.tm_wday = time.wDayOfWeek;
    tm.tm_yday = DayOfYear(time);
    tm.tm_isdst = -1;  // the conversion does not say whether daylight saving applied
    return tm;
}

}  // namespace

CWin32Platform& CWin32Platform::Instance()
{
    static CWin32Platform platform;
    return platform;
}

void CWin32Platform::SetMessageDispatcher(MessageDispatcher dispatcher)
{
    m_dispatcher = std::move(dispatcher);
}

std::wstring CWin32Platform::ApiPath(const std::string& path)
{
    std::wstring wide = ToWide(path);
    if (StartsWith(wide, L"\\\\?\\") || StartsWith(wide, L"\\\\.\\"))
        return wide;
    // A folder named "apache." would otherwise open its sibling "apache"; GetFullPathNameW drops
    // the dot too, so an absolute path takes the prefix as it is.
    if (CPathForms::HasComponentEndingInBlankOrDot(path) && IsDriveAbsolute(wide)) {
        std::replace(wide.begin(), wide.end(), L'/', L'\\');
        return L"\\\\?\\" + wide;
    }
    if (wide.size() < kLongPathThreshold)
        return wide;
    const std::wstring full = FullPathOf(wide);
    if (StartsWith(full, L"\\\\?\\"))
        return full;
    if (StartsWith(full, L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

uint32_t CWin32Platform::FindFirst(const std::string& pattern, std::unique_ptr<CFindHandle>& handle,
                                   CFindEntry& first)
{
    return CWin32FindHandle::Open(ApiPath(pattern), handle, first);
}

bool CWin32Platform::GetFileStatus(const std::string& path, CFindEntry& status)
{
    const std::wstring apiPath = ApiPath(path);
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExW(apiPath.c_str(), GetFileExInfoStandard, &info))
        return false;
    WIN32_FIND_DATAW data = FindDataFromAttributes(info);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        data.dwReserved0 = ReparseTagOf(apiPath);
    status = CWin32FindHandle::EntryFromFindData(data);
    status.name = LastComponent(path);
    return true;
}

std::vector<std::string> CWin32Platform::ListDriveRoots()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.assign(length + 1, L'\0');  // drives appeared since the size was asked
    }
    std::vector<std::string> roots;
    for (std::size_t start = 0; start < buffer.size();) {
        const std::size_t end = buffer.find(L'\0', start);
        roots.push_back(FromWide(std::wstring_view(buffer).substr(start, end - start)));
        start = end == std::wstring::npos ? buffer.size() : end + 1;
    }
    return roots;
}

uint32_t CWin32Platform::DriveTypeOf(const std::string& root)
{
    return GetDriveTypeW(ToWide(root).c_str());
}

uint32_t CWin32Platform::FreeSpaceOf(const std::string& root, uint64_t& freeBytes)
{
    freeBytes = 0;
    // An empty removable drive answers with an error code instead of the system's "no disk" box:
    // the program asks the user itself.
    DWORD previousMode = 0;
    const BOOL modeSet = SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previousMode);
    ULARGE_INTEGER available;
    const BOOL read = GetDiskFreeSpaceExW(ToWide(root).c_str(), &available, nullptr, nullptr);
    const DWORD error = GetLastError();
    if (modeSet)
        SetThreadErrorMode(previousMode, nullptr);
    if (!read)
        return error != 0 ? error : ERROR_GEN_FAILURE;
    freeBytes = available.QuadPart;
    return kErrorSuccess;
}

uint32_t CWin32Platform::CreateFolder(const std::string& path)
{
    if (!CreateDirectoryW(ApiPath(path).c_str(), nullptr))
        return GetLastError();
    return kErrorSuccess;
}

uint32_t CWin32Platform::RemoveFile(const std::string& path)
{
    const std::wstring apiPath = ApiPath(path);
    if (DeleteFileW(apiPath.c_str()))
        return kErrorSuccess;
    const DWORD error = GetLastError();
    // A junction or a link to a folder is listed as a file, but DeleteFileW refuses it: only
    // RemoveDirectoryW takes it away, and it removes the link, never what the link leads to.
    constexpr DWORD kLinkToFolder = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    const DWORD attributes = GetFileAttributesW(apiPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kLinkToFolder) != kLinkToFolder)
        return error;
    if (RemoveDirectoryW(apiPath.c_str()))
        return kErrorSuccess;
    const DWORD linkError = GetLastError();
    return RemoveWineLinkToFolder(apiPath) ? static_cast<DWORD>(kErrorSuccess) : linkError;
}

uint32_t CWin32Platform::RemoveFolder(const std::string& path)
{
    if (!RemoveDirectoryW(ApiPath(path).c_str()))
        return GetLastError();
    return kErrorSuccess;
}

std::filesystem::path CWin32Platform::NativePath(const std::string& path)
{
    return std::filesystem::path(ToWide(path));
}

std::string CWin32Platform::FormatSystemMessage(uint32_t code)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        LANG_USER_DEFAULT, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = length != 0 && text ? FromWide(std::wstring_view(text, length)) : std::string();
    if (text)
        LocalFree(text);
    return message;
}

bool CWin32Platform::LocalTime(int64_t time, std::tm& local)
{
    // The zone's rules for that date, daylight saving included, as the C library's localtime applies them.
    FILETIME fileTime;
    SYSTEMTIME utc;
    SYSTEMTIME localTime;
    if (!CWin32FindHandle::FileTimeFromUnixSeconds(time, fileTime) || !FileTimeToSystemTime(&fileTime, &utc))
        return false;
    const TIME_ZONE_INFORMATION* zone = ZoneOfYear(utc.wYear);
    if (!zone || !SystemTimeToTzSpecificLocalTime(zone, &utc, &localTime))
        return false;
    local = TmFromSystemTime(localTime);
    return true;
}

const TIME_ZONE_INFORMATION* CWin32Platform::ZoneOfYear(WORD year)
{
    constexpr ULONGLONG kZoneLifetime = 5000;  // milliseconds
    const ULONGLONG now = GetTickCount64();
    if (now - m_zonesRead > kZoneLifetime) {
        m_zones.clear();
        m_zonesRead = now;
    }
    if (const auto found = m_zones.find(year); found != m_zones.end())
        return &found->second;
    TIME_ZONE_INFORMATION zone{};
    if (!GetTimeZoneInformationForYear(year, nullptr, &zone))
        return nullptr;
    return &m_zones.emplace(year, zone).first->second;
}

std::string CWin32Platform::ShellDisplayNameOf(const std::string& path)
{
    SHFILEINFOW info{};
    if (path.empty() || !SHGetFileInfoW(ToWide(path).c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME))
        return std::string();
    return FromWide(info.szDisplayName);
}

ShellIconId CWin32Platform::ShellSmallIconOf(const std::string& path)
{
    // Only the index is asked for: with SHGFI_ICON the shell would create an icon to be destroyed.
    SHFILEINFOW info{};
    if (path.empty())
        return kNoShellIcon;
    const auto list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(ToWide(path).c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (!list)
        return kNoShellIcon;
    m_smallImageList = list;
    return info.iIcon;
}

bool CWin32Platform::ShellOpen(const std::string& path)
{
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", ToWide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

namespace {

// Appends path and its closing zero; false for a path the shell cannot take.
bool AppendShellPath(std::wstring& buffer, const std::string& path)
{
    const std::wstring wide = ToWide(path);
    if (StartsWith(wide, L"\\\\?\\"))
        return false;
    buffer += wide;
    buffer.push_back(L'\0');
    return true;
}

}  // namespace

// The buffers grow with the list: any number of paths goes to the shell in one call. Under Wine 8
// the shell asks "ファイルの削除の確認" before a delete and "ファイルの上書きの確認" before a copy
// overwrites a file or merges into an existing folder (Yes/No, buttons 6 and 7; No sets
// fAnyOperationsAborted and returns 0); a move, a rename and a copy to new names ask nothing, and
// a rename onto an existing name fails with 183 without a word. A stop (No sets
// fAnyOperationsAborted; Wine also sets it on its own, moving files onto files) returns
// ERROR_CANCELLED rather than 0.
int CWin32Platform::ShellFileOperation(int operation, const std::vector<std::string>& sources,
                                       const std::string& destination)
{
    std::wstring from;
    for (const std::string& source : sources) {
        if (!AppendShellPath(from, source))
            return kErrorInvalidName;
    }
    from.push_back(L'\0');  // with the string's own terminator: the list's closing zeros
    std::wstring to;
    if (destination.empty())
        to.push_back(L'\0');
    else if (!AppendShellPath(to, destination))
        return kErrorInvalidName;
    SHFILEOPSTRUCTW request{};
    request.hwnd = nullptr;
    request.wFunc = static_cast<UINT>(operation);
    request.pFrom = from.c_str();
    request.pTo = to.c_str();
    request.fFlags = FOF_ALLOWUNDO;
    const int result = SHFileOperationW(&request);
    return result == 0 && request.fAnyOperationsAborted ? static_cast<int>(CPathForms::kErrorCancelled) : result;
}

HICON CWin32Platform::SmallIconHandle(ShellIconId icon) const
{
    if (icon < 0 || !m_smallImageList)
        return nullptr;
    return ImageList_GetIcon(m_smallImageList, icon, ILD_NORMAL);
}

int CWin32Platform::ShowMessageBox(const std::string& text, unsigned style)
{
    return MessageBoxW(GetActiveWindow(), ToWide(text).c_str(), L"フォルダ ZQ", style);
}

// Looking into the queue is a round trip to the window server under Wine, and a walk asks before
// every folder: the queue is looked at once per kPumpInterval, which no user can tell apart from
// always.
bool CWin32Platform::PumpWaitingMessages()
{
    const DWORD now = GetTickCount();
    if (now - m_dwLastPump < kPumpInterval)
        return true;
    m_dwLastPump = now;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        const BOOL taken = GetMessageW(&message, nullptr, 0, 0);
        if (taken == 0)
            return false;
        if (taken == -1)
            break;
        Dispatch(message);
    }
    return true;
}

void CWin32Platform::Dispatch(MSG& message)
{
    if (m_dispatcher) {
        m_dispatcher(message);
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void CWin32Platform::QuitProcess(int exitCode)
{
    PostQuitMessage(exitCode);
    std::fflush(nullptr);
    ExitProcess(static_cast<UINT>(exitCode));
}

CPlatform& GetSystemPlatform()
{
    return CWin32Platform::Instance();
}

void CWin32Platform::BeginWalk()
{
    if (m_walkDepth++ == 0)
        m_mountTable.RefreshIfOld();
}

void CWin32Platform::EndWalk()
{
    if (m_walkDepth > 0)
        --m_walkDepth;
}

bool CWin32Platform::IsPseudoFileSystem(const std::string& folder)
{
    return m_mountTable.Contains(folder);
}

// Only Wine's ntdll exports wine_get_version.
static bool IsWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

bool CWin32Platform::ShellMovesOverFilesUnasked()
{
    static const bool bWine = IsWine();
    return bWine;
}

CPseudoMounts CWin32Platform::ReadMountTable()
{
    // On Windows the table stays empty.
    std::string text;
    if (IsWine()) {
        std::ifstream table(std::filesystem::path(L"Z:\\proc\\self\\mountinfo"), std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(table), std::istreambuf_iterator<char>());
    }
    return CPseudoMounts::FromMountInfo(text, [](const std::string& point) {
        std::string key = "Z:" + point;
        for (char& c : key)
            if (c == '/')
                c = '\\';
        return key;
    });
}
