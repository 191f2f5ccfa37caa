// CWin32FindHandle: a directory listing through FindFirstFileExW / FindNextFileW.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "CPlatform.h"

// Wraps one find handle of the Win32 API and turns its WIN32_FIND_DATAW records into the core's
// CFindEntry. CWin32Platform opens listings with Open; the handle is closed when the object goes.
// EntryFromFindData also serves GetFileStatus, so that a single file and a listed one look alike.
class CWin32FindHandle : public CFindHandle {
public:
    explicit CWin32FindHandle(HANDLE find) : m_find(find) {}
    ~CWin32FindHandle() override;
    CWin32FindHandle(const CWin32FindHandle&) = delete;
    CWin32FindHandle& operator=(const CWin32FindHandle&) = delete;

    // Lists a wide pattern ready for the API (long-path prefix already applied). Returns 0 with the
    // first entry and the open listing, or GetLastError's code with handle left empty.
    static uint32_t Open(const std::wstring& pattern, std::unique_ptr<CFindHandle>& handle, CFindEntry& first);

    bool Next(CFindEntry& entry) override;

    // The core's view of a find record: attributes masked, 64-bit size, unix-second times, and
    // symbolic links and junctions turned into empty files so that nothing walks into them.
    static CFindEntry EntryFromFindData(const WIN32_FIND_DATAW& data);
    // Seconds since 1970 UTC; 0 for the zero FILETIME, which means "no time".
    static int64_t UnixSecondsFromFileTime(const FILETIME& time);
    // The other way; false for a time a FILETIME cannot hold (before 1601 or past its range).
    static bool FileTimeFromUnixSeconds(int64_t time, FILETIME& fileTime);

private:
    HANDLE m_find;
};
