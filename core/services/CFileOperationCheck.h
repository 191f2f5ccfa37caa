// CFileOperationCheck: what a move, copy or delete by the shell must do, checked against the disk before and after the call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "services/CPathList.h"
#include "services/CFolderIndex.h"

class CFolderKeys;

// The shell does not always do what it is asked, nor say so: Wine's replaces a file by a folder
// of the same name without a question, skips files whose new path would be too long, and returns
// success for a move into a folder the user may not write. Before the call, Prepare records, for
// every source that exists and everything inside the folders among them, where it must end up,
// and refuses what the shell would get wrong: a folder meeting a file of the same name (at the
// top, or at any depth of a merge into an existing folder; a file onto a folder at the top the
// shell refuses itself), a path at the destination longer than the shell takes, and a name that
// ends in a blank or a dot, which an ordinary path cannot reach. It also notes the files a move
// would replace: Wine's shell replaces one without the question Windows' asks, so MayReplace asks
// it there. After the call, Undone names the sources whose part was not done on disk. Rename is checked by its caller (one path).
class CFileOperationCheck {
public:
    explicit CFileOperationCheck(const CFolderKeys& keys) : m_keys(keys) {}

    // Why operation may not start, for the user (ending in "何も変更しませんでした。"); empty when
    // it may. Records what the operation must do.
    std::string Prepare(int operation, const CPathList& sources, const std::string& destination);
    // Prepare, and its refusal shown to the user: false when the operation may not start.
    bool MayStart(int operation, const CPathList& sources, const std::string& destination);
    // After Prepare of a move, under a shell that moves a file onto its namesake without asking
    // (Wine's): asks once whether to replace the files found there; false when the user says No.
    bool MayReplace() const;
    // After the shell returned shellResult: names what was not done in one message (not for a
    // delete the shell stopped: the user said No to its question) and returns 0
    // when everything was done, else shellResult, or kErrorNotDone when the shell answered 0.
    int Conclude(int shellResult);
    // The paths (sources, and entries of source folders) whose part was not done, in list order.
    std::vector<std::string> Undone();
    // One message naming what was not done (the first maxNamed of them), with the system's reason
    // when the shell gave one.
    std::string Report(const std::vector<std::string>& undone, int shellResult, std::size_t maxNamed = 10) const;
    // Leaves in list only the entries still on disk: after a move, what did not move stays on the
    // clipboard for another try.
    static void KeepWhatIsStillThere(CPathList& list);

    // Conclude's result when the shell answered 0 and the disk does not agree.
    static constexpr int kErrorNotDone = 0x20000001;
    // The end of every refusal.
    static constexpr const char* kNothingChanged = "\n\n何も変更しませんでした。";
    // The refusal of a path with a component ending in a blank or a dot (displayPath as shown).
    static std::string UnreachableNameRefusal(const std::string& displayPath);

private:
    // Where one entry must end up; a file copied must keep its size and modified time.
    struct Expected {
        std::string source;
        std::string target;
        bool bFolder = false;
        bool bTop = false;
        uint64_t size = 0;
        int64_t modified = 0;
    };
    // Records the folder's entries at every depth; bMerge when its namesake exists at the target.
    std::string PrepareFolder(const std::string& source, const std::string& target, bool bMerge);
    // Records one entry (bTargetExists tells whether its namesake is at the target); the refusal
    // when the shell would get it wrong.
    std::string PrepareEntry(const std::string& source, const CFindEntry& status, const std::string& target,
                             bool bTop, bool bMerge, bool& bTargetExists);
    bool IsDone(const Expected& expected, CFolderIndex& after) const;
    std::string ClashRefusal(const std::string& source, bool bSourceIsFolder, const std::string& target) const;
    const char* Verb() const;
    // The display paths of the first maxNamed of paths, a line each, and "ほか N 件" for the rest.
    std::string NamedLines(const std::vector<std::string>& paths, std::size_t maxNamed) const;

    const CFolderKeys& m_keys;
    int m_operation = 0;
    CFolderIndex m_before;
    std::vector<Expected> m_expected;
    std::vector<std::string> m_replaced;  // files at the destination that a move would replace
};
