// CFolderWalk: totals a folder, a drive or the whole computer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "folderdata/CSizeInfo.h"
#include "folderdata/CWalkProgress.h"

class CDirSzLst;
class CDocument;
class CFileFind;
class CFolderKeys;
class CWalkSink;

// The aggregation walk. It lists a folder depth first, keeps a record in the folder list it was
// given for every folder it completes, and answers folders already stored without listing
// them again unless asked to recount. Before each folder it lets waiting window messages through;
// a handler run there stops the walk by clearing m_bWalkRunning (StopAggregation), and every
// level then returns false without storing anything, while the subfolders finished before keep
// their records. The walk keeps its own stack, so no depth of folders can exhaust the thread's.
// The settings object owns the one walk (settings.m_walk); the application attaches its record
// list and pump to it. Before each folder the sink also learns how far the walk has come
// (CWalkProgress, counted afresh by each walk that is not nested in another), from the start of
// a command (or of a walk outside one) to its end.
//
// A sub-folder that its parent listed but that is gone when the walk opens it (deleted meanwhile)
// is skipped without a word: it adds nothing, not even itself. A folder that cannot be read asks
// Abort, Retry or Ignore; Ignore leaves it out and leaves out every further unreadable folder of
// the same command without asking again. The folders left out are listed in GetLeftOut() until
// the next command begins (BeginCommand), so that the caller can tell the user which they were.
// Under Wine, sibling folders whose Linux names differ only in bytes that are not UTF-8 are listed
// under one name that reaches only the first of them: the others are unreadable in the same way.
// The roots of pseudo file systems (/proc, /sys, /dev; CPlatform::IsPseudoFileSystem) hold no
// files on disk: a walk leaves them out, and totals one asked for directly as empty.
class CFolderWalk {
public:
    // construction: the stop flag and the keys belong to the settings object that owns the walk
    CFolderWalk(const CFolderKeys& keys, bool& bWalkRunning) : m_keys(keys), m_bWalkRunning(bWalkRunning) {}
    CFolderWalk(const CFolderWalk&) = delete;
    CFolderWalk& operator=(const CFolderWalk&) = delete;
    // The record list the walk answers from and stores into, and the program's pump; a walk
    // asked for before this fails.
    void Attach(CDirSzLst& folderInfo, CWalkSink& sink);

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
    // A user's command may run several walks that share one Ignore answer and one list of folders
    // left out: between BeginCommand and EndCommand. A walk outside a command starts afresh.
    void BeginCommand();
    void EndCommand();
    // A folder the current command left out because it could not be read, and why.
    struct LeftOut {
        std::string folder;
        uint32_t code;
    };
    // The folders left out so far, in walk order.
    const std::vector<LeftOut>& GetLeftOut() const { return m_leftOut; }
    // What to tell the user once the command is done: which folders its totals leave out (at
    // most maxNamed of them by name); empty when none.
    std::string LeftOutMessage(std::size_t maxNamed = 10) const;

    // listing
    // Starts the listing of a folder; offers Retry and Cancel for any error but a missing folder
    // or an empty listing, which fail silently.
    bool FindFileRetry(CFileFind& finder, const std::string& folder);
    static std::string MakeFindPattern(const std::string& folder);
    // Lets waiting messages through with the stop flag set, so that a command run meanwhile can
    // clear it; false when one did (the caller stops), true otherwise (the flag is cleared again).
    bool PumpAndCheckStop();

private:
    struct Level;
    // Stored: answered without listing. Listing: its listing has begun. Skipped: gone or left
    // out, adding nothing to its parent. Failed: stopped, cancelled or unreadable at the top.
    enum class Entered { Stored, Listing, Skipped, Failed };

    Entered EnterFolder(const std::string& key, CSizeInfo& total, CSizeInfo& direct, CDocument* pDoc,
                        bool bRecount, bool bCachedOnly, Level& level, bool bTop);
    Entered StartListing(const std::string& key, Level& level, bool bTop);
    // Asks about a folder that cannot be read: true to try again, false to go on without it
    // (bIgnore set) or to give up (bIgnore clear).
    bool AskAboutUnreadable(const std::string& folder, uint32_t code, bool& bIgnore);
    // A sub-folder whose name opens a sibling listed before it: unreadable, asked about like any
    // other; Skipped when the user goes on without it, Failed when the walk stops.
    Entered LeaveOutUnreachable(const std::string& key);
    void RememberLastError(uint32_t code);
    // The outermost walk counts afresh, against the folder's stored record when it has one.
    void BeginProgress(const std::string& key);
    void EndProgress();

    const CFolderKeys& m_keys;
    // TRUE only while a walk waits in its message pump; clearing it asks the walk to stop.
    bool& m_bWalkRunning;
    CDirSzLst* m_pFolderInfo = nullptr;
    CWalkSink* m_pSink = nullptr;
    // the user's Ignore answer, and what it left out, for the current command
    bool m_bInCommand = false;
    bool m_bIgnoreUnreadable = false;
    std::vector<LeftOut> m_leftOut;
    // how far the outermost walk has come; walks nested in its pump add to it
    CWalkProgress m_progress;
    int m_nWalkDepth = 0;
};
