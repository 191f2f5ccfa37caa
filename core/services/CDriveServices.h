// CDriveServices: drives, free space, the special path keys of the tree, and the shell's names and icons.
#pragma once

#include <cstdint>
#include <string>

#include "CPlatform.h"
#include "folderdata/CFolderWalk.h"

// winbase.h still defines the 16-bit GetFreeSpace as a one-argument macro, which would turn the
// member of that name into a constant. It is dropped here for files that include windows.h first;
// a file that includes windows.h afterwards calls the member as (settings.GetFreeSpace)(root, n).
#ifdef GetFreeSpace
#undef GetFreeSpace
#endif

// The services of the settings object that deal with drives and with the keys that name no real
// folder: the computer, the file-only virtual folder of a folder ("...\ﾌｧｲﾙ専用仮想ﾌｫﾙﾀﾞ,") and
// the placeholder child of an unopened tree item ("...\Dummy,"). The settings object derives
// from this class, so the panes call settings.JoinPath(folder, name) or
// settings.IsOrdinaryFolderPath(path) before they touch the disk with a key. Keys and their
// helpers (IsDriveRoot, GetParentKey, GetNameOf) are those of the walk, inherited from it.
//
// Free space is asked of the platform; every query leaves its error code (0 on success) in the
// application's m_dwLastError, where the file list's title reads it. Only GetFreeSpaceRetry talks
// to the user. Shell icons come back as ShellIconId numbers that the window layer turns into
// images.
class CDriveServices : public CFolderWalk {
public:
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

    // special keys
    // Splits off the first component: "C:\a\b" gives "C:\" (a drive keeps its backslash) and
    // rest "a\b"; "a\b" gives "a" and "b"; a path without "\" is all head.
    static std::string SplitFirst(const std::string& path, std::string& rest);
    // The recycle-bin folder of a fixed drive, or anything below it.
    bool IsInRecycleFolder(const std::string& path) const;
    bool IsFileOnlyFolder(const std::string& path) const;
    bool IsPlaceholderPath(const std::string& path) const;
    // A real folder's key: not empty, not the computer, a drive root or a virtual key.
    bool IsOrdinaryFolderPath(const std::string& path) const;
    bool IsExistingFolder(const std::string& path) const;
    bool IsExistingFile(const std::string& path) const;
    // The folder whose files a key shows: the parent of a file-only virtual folder.
    std::string GetRealFolder(const std::string& path) const;

    // joining
    // folder + name, with a "\" between unless the folder is a drive root.
    static std::string JoinPath(const std::string& folder, const std::string& name);
    // The path of the same name inside another folder.
    std::string SameNameIn(const std::string& path, const std::string& folder) const;
    // The path of another name beside it.
    std::string ReplaceName(const std::string& path, const std::string& name) const;

    // shell
    // The shell's name of a path; empty when the shell has none.
    static std::string GetShellDisplayName(const std::string& path);
    // The shell's small icon of a path; kNoShellIcon for an empty path or when the shell has none.
    static ShellIconId GetShellSmallIcon(const std::string& path);

    // special keys; the identifiers end in "," so that no real path equals them
    std::string m_strFileOnlyFolderId = "ﾌｧｲﾙ専用仮想ﾌｫﾙﾀﾞ,";
    std::string m_strDummyId = "Dummy,";
    std::string m_strRecycled = "RECYCLED";
    // the first fixed drive, found by the tree's drive enumeration
    std::string m_strStartFolder;

private:
    bool HasStatus(const std::string& path, bool bFolder) const;
    std::string FreeSpaceMessage(const std::string& root, uint32_t code) const;
};
