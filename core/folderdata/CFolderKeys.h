// CFolderKeys: how folders are named in the records and the panes, and the keys that name no real folder.
#pragma once

#include <string>
#include <string_view>

// A drive root's key is its three characters ("C:\"), any other folder's its full path without a
// trailing backslash, the whole computer's m_strMyComputerId. Two keys name no real folder: the
// file-only virtual folder of a folder ("...\ﾌｧｲﾙ専用仮想ﾌｫﾙﾀﾞ,") and the placeholder child of an
// unopened tree item ("...\Dummy,"). The identifiers end in "," so that no real path equals them.
//
// The settings object owns the one instance (settings.m_keys); the walk and the drive services
// are given it. Nothing here touches the disk: these are rules over text.
class CFolderKeys {
public:
    // the computer and drives
    bool IsMyComputerKey(const std::string& key) const { return key == m_strMyComputerId; }
    static bool IsDriveRoot(const std::string& key);
    // The key as the user reads it: the drive letter in capitals.
    std::string GetDisplayPath(const std::string& key) const;

    // parents and names
    // Returns the parent of path and puts the last component into name.
    static std::string SplitPath(const std::string& path, std::string& name);
    // Splits off the first component: "C:\a\b" gives "C:\" (a drive keeps its backslash) and
    // rest "a\b"; "a\b" gives "a" and "b"; a path without "\" is all head.
    static std::string SplitFirst(const std::string& path, std::string& rest);
    // The computer's is empty; a drive's, and that of anything that is no path below a drive, the
    // computer. Climbing from any key thus reaches the empty key.
    std::string GetParentKey(const std::string& key) const;
    std::string GetNameOf(const std::string& key) const;

    // special keys
    bool IsFileOnlyFolder(const std::string& path) const;
    bool IsPlaceholderPath(const std::string& path) const;
    // A real folder's key: not empty, not the computer, a drive root or a virtual key.
    bool IsOrdinaryFolderPath(const std::string& path) const;
    // The folder whose files a key shows: the parent of a file-only virtual folder.
    std::string GetRealFolder(const std::string& path) const;

    // below a folder
    // Where the part of path below base begins (path.size() for base itself, 0 below the
    // computer, which holds every key); npos when path is neither base nor below it. Allocates
    // nothing, so a search can ask it of every record.
    std::size_t RelativeStart(std::string_view path, std::string_view base) const;
    // The part of path below base; false when path is not base or below it.
    bool RelativePath(const std::string& path, const std::string& base, std::string& relative) const;

    // joining
    // folder + name, with a "\" between unless the folder is a drive root.
    static std::string JoinPath(const std::string& folder, const std::string& name);
    // The path of the same name inside another folder.
    std::string SameNameIn(const std::string& path, const std::string& folder) const;
    // The path of another name beside it.
    std::string ReplaceName(const std::string& path, const std::string& name) const;
    // True when path is folder or lies below it.
    static bool IsSameOrBelow(const std::string& path, const std::string& folder);
    // The place of path below newFolder that it had below oldFolder; path itself when it does
    // not lie there. A renamed folder's keys follow it this way, names kept byte for byte.
    static std::string Rebase(const std::string& path, const std::string& oldFolder, const std::string& newFolder);

    const std::string m_strMyComputerId = "ﾏｲ ｺﾝﾋﾟｭｰﾀ,";
    const std::string m_strFileOnlyFolderId = "ﾌｧｲﾙ専用仮想ﾌｫﾙﾀﾞ,";
    const std::string m_strDummyId = "Dummy,";
};
