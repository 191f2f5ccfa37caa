// CCompareWalk: lists a folder on the disk and asks the other windows about each entry below it.
#pragma once

#include <string>
#include <vector>

#include "folderdata/CSizeInfo.h"

class CFolderWalk;

// The compare walk of the folder tree. It goes through a folder depth first and asks the other
// linked windows about every folder and file below it (the Asker, which the tree implements,
// puts the questions and marks its items). A folder some window lacks ("N") is marked and not
// gone into; any other folder is marked once everything below it is through: different when
// the other windows' verdict on it had letters or something below it differs, the same
// otherwise. Before each entry waiting window messages are let through; a handler that clears
// the stop flag there (a new selection, the aggregate command) ends the whole walk at once and
// the folders still open keep their marks as they were. A folder that cannot be listed ends it
// too, after the listing's own message. The walk keeps its own stack of open folders.
class CCompareWalk {
public:
    enum Result : int { kSame = 0, kDifferent = 1, kStopped = 2 };

    class Asker {
    public:
        virtual ~Asker() = default;
        // True when every other window holds an equal folder; letters gets their verdict.
        virtual bool CompareFolder(const std::string& path, std::string& letters) = 0;
        // True when every other window holds an equal file; info: its size and modified time.
        virtual bool CompareFile(const std::string& path, const CSizeInfo& info) = 0;
        virtual void MarkDifferent(const std::string& path, const std::string& letters) = 0;
        virtual void MarkSame(const std::string& path) = 0;
    };

    CCompareWalk(CFolderWalk& walk, Asker& asker);
    ~CCompareWalk();
    CCompareWalk(const CCompareWalk&) = delete;
    CCompareWalk& operator=(const CCompareWalk&) = delete;

    Result Run(const std::string& path);

private:
    struct Level;
    // Asks about a folder and opens its listing: kSame when it was opened (pushed), kDifferent
    // when some window lacks it (marked), kStopped when it cannot be listed.
    Result Enter(const std::string& path);
    // Marks the innermost open folder and closes it; its result.
    Result Leave();

    CFolderWalk& m_walk;
    Asker& m_asker;
    std::vector<Level> m_open;
};
