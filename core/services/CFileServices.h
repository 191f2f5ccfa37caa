// CFileServices: the name rules, the shell's move, copy, delete and rename, and the file operations the program makes itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "services/CPathList.h"

class CFolderKeys;
class CFolderWalk;
struct CFindEntry;

// What the panes and the document need to change the disk: the shell's move, copy, delete to the
// recycle bin and rename (one shell call per list, whatever its length), whether a name may be
// given to a file, how a folder and a name join, the attribute byte of a listed entry, a new
// folder under a numbered default name, the permanent delete with its two questions, and the
// filter that leaves out of a copy what the destination already holds with the same modified
// time. The settings object owns the one instance (settings.m_files) and gives it the folder keys
// and the walk, whose FindFileRetry lists folders here as everywhere.
//
// A path the shell cannot take (longer than kMaxShellPath UTF-16 characters, the \\?\ form, a
// folder copied or moved into itself, a rename onto a name that is taken) is refused before the
// shell is called, with a message that names it, and nothing is changed: the shell would cut such
// a path short and act on another one, or do nothing without a word (Wine's does both).
//
// The permanent delete stops at the first entry that cannot be removed and tells the user which
// one and why; what was removed before stays removed. The copy filter hands the entries of an
// existing folder that still need copying to the caller's copy function (the shell's copy in the
// program, a recorder in the tests) and removes from the list what no longer needs copying.
class CFileServices {
public:
    // Where a removal stopped, and the system's error code.
    struct Failure {
        std::string path;
        uint32_t code = 0;
    };
    // Copies every entry of the list into the target folder.
    using CopyFunction = std::function<void(const CPathList& entries, const std::string& targetFolder)>;

    // construction
    CFileServices(const CFolderKeys& keys, CFolderWalk& walk) : m_keys(keys), m_walk(walk) {}
    CFileServices(const CFileServices&) = delete;
    CFileServices& operator=(const CFileServices&) = delete;

    // names and paths
    // True for an empty name and for one without any of \ / : , ; * ? " < > |.
    static bool IsValidFileName(const std::string& name);
    // folder and name with exactly one backslash between them; the computer's key stays itself.
    std::string CombinePath(const std::string& folder, const std::string& name) const;
    // The same without the computer's key: the name alone for an empty folder, the folder alone
    // for an empty name.
    static std::string JoinWithOneBackslash(const std::string& folder, const std::string& name);
    // The read-only, hidden, system, folder and archive bits of a listed entry.
    static uint8_t GetFindAttributes(const CFindEntry& entry);
    // Appends the folder's entries but "." and ".." (and its sub-folders, when bFilesOnly) in
    // listing order; false, with the error code, when the folder cannot be listed.
    bool ListFolderEntries(CPathList& list, const std::string& folder, bool bFilesOnly, uint32_t& code);

    // creating
    static bool MakeDir(const std::string& path, uint32_t& code);
    // Creates "新しいフォルダ" in folder, or "新しいフォルダ (2)", " (3)" ... when the name is taken,
    // and gives its path. Any other failure shows "Error !!!" and returns false.
    bool CreateNewFolder(const std::string& folder, std::string& newPath);

    // removing
    static bool RemoveFile(const std::string& path, Failure& failure);
    // Removes one empty folder.
    static bool RemoveDir(const std::string& path, Failure& failure);
    // Removes a folder and everything in it, depth first; stops at the first entry that cannot be
    // removed. Links inside are removed, never followed.
    bool RemoveTree(const std::string& folder, Failure& failure);
    // Asks twice, then removes every entry in list order; false when the user said No (nothing is
    // removed), for an empty list, or when an entry could not be removed (the user is told).
    bool DeletePermanently(const CPathList& list);
    // The two questions; true when both were answered Yes (never for an empty list).
    bool ConfirmPermanentDelete(const CPathList& list) const;

    // the shell's operations
    // One shell call for every entry of sources: kFoMove or kFoCopy into the folder destination,
    // kFoDelete to the recycle bin, kFoRename of one entry to the path destination. 0, or the
    // shell's nonzero result, or kErrorInvalidName after a refusal (nothing was done).
    int ShellFileOperation(int operation, const CPathList& sources, const std::string& destination);
    // The same without a result: the callers read the disk again afterwards.
    void FileOperation(int operation, const CPathList& list, const std::string& destination);
    // For one path; true only when destination did not exist before and exists after.
    bool FileOperationOne(int operation, const std::string& source, const std::string& destination);
    // Renames oldPath to newPath (a full path); a taken name is refused with a message. True on success.
    bool RenamePath(const std::string& oldPath, const std::string& newPath);
    // The longest path, in UTF-16 characters, that the shell takes whole (MAX_PATH less its zero).
    static constexpr std::size_t kMaxShellPath = 259;

    // copying
    // Removes from list each file whose namesake in destination has the same modified time (to
    // the second), and each folder whose namesake exists there, after passing that folder's
    // entries through the same filter against it and copying what remains into it. Entries whose
    // status cannot be read stay for the copy, which reports them.
    void SkipSameTime(CPathList& list, const std::string& destination, const CopyFunction& copy);

    const std::string m_strNewFolderName = "新しいフォルダ";

private:
    // True when the copy need not take the entry any more.
    bool IsSettled(const CPathList::Entry& entry, const std::string& destination, const CopyFunction& copy);
    // Filters the entries of sourceFolder against targetFolder and copies the rest; false when
    // the source cannot be listed, so that the whole folder stays for the copy.
    bool CopyChangedEntries(const std::string& sourceFolder, const std::string& targetFolder,
                            const CopyFunction& copy);
    void ReportDeleteFailure(const Failure& failure) const;
    // Why the shell cannot take the operation, for the user; empty when it can.
    std::string ShellRefusal(int operation, const CPathList& sources, const std::string& destination) const;
    std::string PathRefusal(const std::string& path) const;
    bool Exists(const std::string& path) const;

    const CFolderKeys& m_keys;
    CFolderWalk& m_walk;
};
