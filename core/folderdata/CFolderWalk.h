// CFolderWalk: totals a folder, a drive or the whole computer, and names folders by their keys.
#pragma once

#include <string>

#include "folderdata/CSizeInfo.h"
#include "fw/CFileStatus.h"

class CDocument;
class CFileFind;

// The aggregation walk. It lists a folder depth first, keeps a record in the application's
// folder list for every folder it completes, and answers folders already stored without listing
// them again unless asked to recount. Before each folder it lets waiting window messages through;
// a handler run there stops the walk by clearing m_bWalkRunning (StopAggregation), and every
// level then returns false without storing anything, while the subfolders finished before keep
// their records. The walk keeps its own stack, so no depth of folders can exhaust the thread's.
//
// Keys: a drive root is "C:\", any other folder its full path without a trailing backslash, the
// whole computer m_strMyComputerId. The path helpers split and present keys for the panes.
class CFolderWalk {
public:
    // walking
    bool AggregateFolder(const std::string& key, CSizeInfo& total, CSizeInfo& direct, CDocument* pDoc,
                         bool bRecount, bool bCachedOnly);
    bool AggregateAllDrives(const std::string& key, CSizeInfo& total, CSizeInfo& direct, CDocument* pDoc,
                            bool bRecount, bool bCachedOnly);
    bool AggregateTree(const std::string& key, CSizeInfo& total, CSizeInfo& direct, CDocument* pDoc,
                       bool bRecount, bool bCachedOnly);
    bool GetStoredTotals(const std::string& key, CSizeInfo& total, CSizeInfo& direct);
    // True when a walk was waiting in its message pump and has now been told to stop.
    bool StopAggregation();

    // listing
    // Starts the listing of a folder; offers Retry and Cancel for any error but a missing folder
    // or an empty listing, which fail silently.
    bool FindFileRetry(CFileFind& finder, const std::string& folder);
    static std::string MakeFindPattern(const std::string& folder);

    // keys and paths
    bool IsMyComputerKey(const std::string& key) const { return key == m_strMyComputerId; }
    static bool IsDriveRoot(const std::string& key);
    std::string GetDisplayPath(const std::string& key) const;
    // Returns the parent of path and puts the last component into name.
    static std::string SplitPath(const std::string& path, std::string& name);
    std::string GetParentKey(const std::string& key) const;
    std::string GetNameOf(const std::string& key) const;
    static bool PathExists(const std::string& path);
    static bool GetFileStatusOf(const std::string& path, CFileStatus& status);
    // The status by value; its modified time is 0 when the path cannot be read.
    static CFileStatus GetFileStatusCopy(const std::string& path);

    // TRUE only while a walk waits in its message pump; clearing it asks the walk to stop.
    bool m_bWalkRunning = false;
    const std::string m_strMyComputerId = "ﾏｲ ｺﾝﾋﾟｭｰﾀ,";

private:
    struct Level;
    enum class Entered { Stored, Listing, Failed };

    Entered EnterFolder(const std::string& key, CSizeInfo& total, CSizeInfo& direct, CDocument* pDoc,
                        bool bRecount, bool bCachedOnly, Level& level);
    bool PumpAndCheckStop();
    std::string AccessErrorMessage(const std::string& folder, uint32_t code);
};
