// Win32 directory listing and the mapping of its records onto CFindEntry.
#include "CWin32FindHandle.h"

#include "Win32Text.h"

namespace {

constexpr DWORD kCoreAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE;
constexpr int64_t kTicksPerSecond = 10'000'000;
constexpr int64_t kSecondsFrom1601To1970 = 11'644'473'600;

// Links lead elsewhere, possibly back up the tree; cloud and deduplicated files carry other tags
// and are real files. Wine shows a Unix symbolic link to a folder as a reparse point with tag 0,
// a value no real reparse point has, so that counts as a link too.
bool IsLink(const WIN32_FIND_DATAW& data)
{
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    return data.dwReserved0 == IO_REPARSE_TAG_SYMLINK || data.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT ||
           data.dwReserved0 == 0;
}

// "." and ".." are the folder itself and its parent whatever attributes come with them: under Wine
// the ".." of a folder directly below Z:\ carries the reparse bit with tag 0.
bool IsDotsName(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

}  // namespace

CWin32FindHandle::~CWin32FindHandle()
{
    FindClose(m_find);
}

uint32_t CWin32FindHandle::Open(const std::wstring& pattern, std::unique_ptr<CFindHandle>& handle,
                                CFindEntry& first)
{
    handle.reset();
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return GetLastError();
    first = EntryFromFindData(data);
    handle = std::make_unique<CWin32FindHandle>(find);
    return kErrorSuccess;
}

bool CWin32FindHandle::Next(CFindEntry& entry)
{
    WIN32_FIND_DATAW data;
    if (!FindNextFileW(m_find, &data))
        return false;
    entry = EntryFromFindData(data);
    return true;
}

CFindEntry CWin32FindHandle::EntryFromFindData(const WIN32_FIND_DATAW& data)
{
    CFindEntry entry;
    entry.name = FromWide(data.cFileName);
    entry.attributes = data.dwFileAttributes & kCoreAttributes;
    entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry.modified = UnixSecondsFromFileTime(data.ftLastWriteTime);
    entry.accessed = UnixSecondsFromFileTime(data.ftLastAccessTime);
    entry.created = UnixSecondsFromFileTime(data.ftCreationTime);
    if (!IsDotsName(data.cFileName) && IsLink(data)) {
        entry.attributes &= ~kAttrDirectory;
        entry.size = 0;
    }
    return entry;
}

int64_t CWin32FindHandle::UnixSecondsFromFileTime(const FILETIME& time)
{
    const uint64_t ticks = (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    if (ticks == 0)
        return 0;
    return static_cast<int64_t>(ticks / kTicksPerSecond) - kSecondsFrom1601To1970;
}

bool CWin32FindHandle::FileTimeFromUnixSeconds(int64_t time, FILETIME& fileTime)
{
    if (time < -kSecondsFrom1601To1970 || time > INT64_MAX / kTicksPerSecond - kSecondsFrom1601To1970)
        return false;
    const uint64_t ticks = static_cast<uint64_t>(time + kSecondsFrom1601To1970) * kTicksPerSecond;
    fileTime.dwLowDateTime = static_cast<DWORD>(ticks);
    fileTime.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return true;
}
