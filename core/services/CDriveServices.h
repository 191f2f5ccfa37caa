// CDriveServices: drives, free space, existing folders and files, and the shell's names and icons.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "CPlatform.h"

class CFolderKeys;
class CWalkSink;

// winbase.h still defines the 16-bit GetFreeSpace as a one-argument macro, which would turn the
// member of that name into a constant. It is dropped here for files that include windows.h first;
// a file that includes windows.h afterwards calls the member as (settings.GetFreeSpace)(root, n).
#ifdef GetFreeSpace
#undef GetFreeSpace
#endif

// The services of the settings object that deal with drives: which are fixed, their free space,
// whether a key names an existing folder or file, the recycle bin, and the shell's names and icons.
// The settings object owns the one instance (settings.m_drives) and gives it the folder keys.
//
// Free space is asked of the platform; every query leaves its error code (0 on success) with the
// program (CWalkSink::RememberLastError; the application keeps it in m_dwLastError, where the file
// list's title reads it). Only GetFreeSpaceRetry talks to the user. Shell icons come back as
// ShellIconId numbers that the window layer turns into images.
class CDriveServices {
public:
    // construction
    explicit CDriveServices(const CFolderKeys& keys) : m_keys(keys) {}
    CDriveServices(const CDriveServices&) = delete;
    CDriveServices& operator=(const CDriveServices&) = delete;
    // Where the error code of each free-space query goes.
    void Attach(CWalkSink& sink) { m_pSink = &sink; }

    // drives
    static bool IsFixedDrive(const std::string& root);
    // Makes root the start folder when none is set and root is a fixed drive; true when it did.
    bool OfferStartFolder(const std::string& root);
    std::string GetStartFolder() const { return m_strStartFolder; }
    // The free bytes of a drive root; false, with 0 bytes, when the platform cannot tell.
    bool GetFreeSpace(const std::string& root, uint64_t& freeBytes);
    // The free bytes of the drive of path, asking Retry or Cancel while they cannot be read;
    // false once the user cancels.
    bool GetFreeSpaceRetry(const std::string& path, uint64_t& freeBytes);
    // GetFreeSpace that hands the error code to the caller and not to the program.
    bool GetFreeSpaceCode(const std::string& root, uint64_t& freeBytes, uint32_t& code);

    // folders on the disk
    // The recycle-bin folder of a fixed drive, or anything below it: a first folder named as one
    // of m_recycleFolderNames, in any case, as Windows compares names.
    bool IsInRecycleFolder(const std::string& path) const;
    bool IsExistingFolder(const std::string& path) const;
    bool IsExistingFile(const std::string& path) const;

    // shell
    // The shell's name of a path; empty when the shell has none.
    static std::string GetShellDisplayName(const std::string& path);
    // The shell's small icon of a path; kNoShellIcon for an empty path or when the shell has none.
    static ShellIconId GetShellSmallIcon(const std::string& path);

    // The recycle bin's folder in each generation of Windows: 95 to Me, NT to XP, Vista onwards.
    const std::vector<std::string> m_recycleFolderNames{"RECYCLED", "RECYCLER", "$Recycle.Bin"};
    // the first fixed drive, found by the tree's drive enumeration
    std::string m_strStartFolder;

private:
    bool HasStatus(const std::string& path, bool bFolder) const;

    const CFolderKeys& m_keys;
    CWalkSink* m_pSink = nullptr;
};
