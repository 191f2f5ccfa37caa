// The aggregation walk and the key helpers.
#include "folderdata/CFolderWalk.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "CPlatform.h"
#include "folderdata/CDirSzLst.h"
#include "folderdata/CFolderKeys.h"
#include "folderdata/CWalkSink.h"
#include "fw/AfxMessageBox.h"
#include "fw/CDocument.h"
#include "fw/CFileFind.h"
#include "fw/CSystemErrorText.h"
#include "text/Cp932.h"

// One folder being listed: where its totals go, its listing, and the subfolder under way.
struct CFolderWalk::Level {
    std::string key;
    CSizeInfo* total = nullptr;
    CSizeInfo* direct = nullptr;
    CFileFind finder;
    bool more = true;
    bool result = true;
    CSizeInfo childTotal;
    CSizeInfo childDirect;
    std::vector<std::string> replacedNames;  // sub-folder names holding U+FFFD, listed so far

    // Wine lists each byte of a Linux name that is not UTF-8 as U+FFFD, so sibling folders whose
    // names differ only in such bytes come under one name, and that name opens the first of them
    // only. True for such a name listed before: the folder behind it cannot be reached.
    bool NamesAnEarlierFolder(const std::string& name)
    {
        if (name.find("\xEF\xBF\xBD") == std::string::npos)
            return false;
        if (std::find(replacedNames.begin(), replacedNames.end(), name) != replacedNames.end())
            return true;
        replacedNames.push_back(name);
        return false;
    }
};

namespace {

// The totals of one file, as it counts in its folder's records.
CSizeInfo FileTotals(const CFileFind& finder)
{
    CSizeInfo file;
    file.m_nSize = finder.GetLength();
    file.m_nFiles = 1;
    file.m_tModified = finder.GetLastWriteTime();
    file.m_tAccessed = finder.GetLastAccessTime();
    file.m_tCreated = finder.GetCreationTime();
    return file;
}

// Tells the platform that a walk runs, for as long as it lives.
class WalkScope {
public:
    WalkScope() { GetPlatform().BeginWalk(); }
    ~WalkScope() { GetPlatform().EndWalk(); }
    WalkScope(const WalkScope&) = delete;
    WalkScope& operator=(const WalkScope&) = delete;
};

// Win32 drops trailing dots and blanks from the names in a path, so a folder listed under such a
// name (under Wine, a Linux folder "dots...") is never found by it: it cannot be read, it is not
// gone.
bool IsNameWin32CannotOpen(const std::string& key)
{
    return !key.empty() && (key.back() == '.' || key.back() == ' ');
}

// What it means when a sub-folder, listed by its parent a moment ago, fails to list for another
// reason than "not found". Replaced by a file meanwhile, it is gone like a deleted one (Windows says
// ERROR_DIRECTORY, Wine ERROR_INVALID_NAME). A folder still there, or one that cannot even be
// looked at, may be changing under the walk (deleted, made again): it is listed once more before
// it counts as unreadable.
enum class FailedListing { Gone, TryAgain, Unreadable };

FailedListing WhatFailedListingMeans(const std::string& key, bool bTriedAgain)
{
    if (IsNameWin32CannotOpen(key))
        return FailedListing::Unreadable;
    CFindEntry status;
    if (GetPlatform().GetFileStatus(key, status) && !status.IsDirectory())
        return FailedListing::Gone;
    return bTriedAgain ? FailedListing::Unreadable : FailedListing::TryAgain;
}

}  // namespace

void CFolderWalk::Attach(CDirSzLst& folderInfo, CWalkSink& sink)
{
    m_pFolderInfo = &folderInfo;
    m_pSink = &sink;
}

bool CFolderWalk::AggregateFolder(const std::string& key, CSizeInfo& total, CSizeInfo& direct,
                                  CDocument* pDoc, bool bRecount, bool bCachedOnly)
{
    if (!m_bInCommand) {
        m_bIgnoreUnreadable = false;
        m_leftOut.clear();
    }
    // Ends the progress however the walk ends, a quit met in the pump included.
    struct ProgressScope {
        CFolderWalk& walk;
        ~ProgressScope() { walk.EndProgress(); }
    };
    BeginProgress(key);
    const ProgressScope progress{*this};
    if (m_keys.IsMyComputerKey(key))
        return AggregateAllDrives(key, total, direct, pDoc, bRecount, bCachedOnly);
    return AggregateTree(key, total, direct, pDoc, bRecount, bCachedOnly);
}

void CFolderWalk::BeginProgress(const std::string& key)
{
    if (m_nWalkDepth++ > 0 || !m_pSink)
        return;
    m_progress = CWalkProgress();
    if (m_pFolderInfo) {
        if (const CDirSzLst::POSITION pos = m_pFolderInfo->FindEntry(key))
            m_progress.m_nExpectedFiles = m_pFolderInfo->GetTotalAt(pos).m_nFiles;
    }
    if (!m_bInCommand)
        m_pSink->BeginWalkProgress();
}

void CFolderWalk::EndProgress()
{
    if (--m_nWalkDepth == 0 && !m_bInCommand && m_pSink)
        m_pSink->EndWalkProgress();
}

bool CFolderWalk::AggregateAllDrives(const std::string& key, CSizeInfo& total, CSizeInfo& direct,
                                     CDocument* pDoc, bool bRecount, bool bCachedOnly)
{
    ClearTotals(total);
    ClearTotals(direct);
    bool result = true;
    for (const std::string& root : GetPlatform().ListDriveRoots()) {
        CSizeInfo driveTotal, driveDirect;
        // A drive that fails or is stopped adds nothing; the others are still walked.
        result = AggregateTree(root, driveTotal, driveDirect, pDoc, bRecount, bCachedOnly);
        if (result) {
            driveTotal.m_nFolders += 1;
            total.Add(driveTotal);
        }
    }
    if (result)
        m_pFolderInfo->SetEntry(key, total, direct);
    return result;
}

bool CFolderWalk::AggregateTree(const std::string& key, CSizeInfo& total, CSizeInfo& direct,
                                CDocument* pDoc, bool bRecount, bool bCachedOnly)
{
    if (!m_pFolderInfo)
        return false;  // not attached to a program: nothing to store into
    const WalkScope walk;
    std::deque<Level> stack;  // a deque keeps references to the levels below stable
    const Entered top = EnterFolder(key, total, direct, pDoc, bRecount, bCachedOnly, stack.emplace_back(), true);
    if (top != Entered::Listing)
        return top == Entered::Stored;  // a folder left out at the top leaves nothing to total

    CDirSzLst& folderInfo = *m_pFolderInfo;
    for (;;) {
        Level& level = stack.back();
        bool childDone = false;
        bool childResult = false;
        if (!level.more) {
            // The folder is complete (or failed): store it and hand the result to its parent.
            childResult = level.result;
            if (childResult)
                folderInfo.SetEntry(level.key, *level.total, *level.direct);
            stack.pop_back();
            if (stack.empty())
                return childResult;
            childDone = true;
        } else {
            level.more = level.finder.FindNextFile();
            if (level.finder.IsDots())
                continue;
            ClearTotals(level.childTotal);
            if (!level.finder.IsDirectory()) {
                ++m_progress.m_nFiles;
                const CSizeInfo file = FileTotals(level.finder);
                level.direct->Add(file);
                level.total->Add(file);
                continue;
            }
            ClearTotals(level.childDirect);
            Level& childLevel = stack.emplace_back();
            const Entered child = level.NamesAnEarlierFolder(level.finder.GetFileName())
                                      ? LeaveOutUnreachable(level.finder.GetFilePath())
                                      : EnterFolder(level.finder.GetFilePath(), level.childTotal, level.childDirect,
                                                    pDoc, bRecount, bCachedOnly, childLevel, false);
            if (child == Entered::Listing)
                continue;
            stack.pop_back();
            if (child == Entered::Skipped)
                continue;
            childDone = true;
            childResult = child == Entered::Stored;
        }
        if (childDone) {
            Level& parent = stack.back();
            if (!childResult) {
                // Nothing above a failed or stopped folder is stored.
                parent.result = false;
                parent.more = false;
                continue;
            }
            parent.childTotal.m_nFolders += 1;  // the subfolder itself
            ++m_progress.m_nFolders;
            parent.total->Add(parent.childTotal);
        }
    }
}

CFolderWalk::Entered CFolderWalk::EnterFolder(const std::string& key, CSizeInfo& total, CSizeInfo& direct,
                                              CDocument* pDoc, bool bRecount, bool bCachedOnly, Level& level,
                                              bool bTop)
{
    if (m_nWalkDepth > 0)
        m_pSink->ShowWalkProgress(m_progress);
    if (!PumpAndCheckStop())
        return Entered::Failed;
    if (!bRecount) {
        const CDirSzLst& folderInfo = *m_pFolderInfo;
        if (const CDirSzLst::POSITION pos = folderInfo.FindEntry(key)) {
            total = folderInfo.GetTotalAt(pos);  // one lookup answers it
            direct = folderInfo.GetDirectAt(pos);
            m_progress.m_nFolders += total.m_nFolders;
            m_progress.m_nFiles += total.m_nFiles;
            return Entered::Stored;
        }
        if (bCachedOnly)
            return Entered::Stored;  // nothing stored: the caller's records stay as they were
    }
    if (pDoc)
        pDoc->SetProgressTitle("集計中 " + key + " ・・・");
    ClearTotals(total);
    ClearTotals(direct);
    level.key = key;
    level.total = &total;
    level.direct = &direct;
    return StartListing(key, level, bTop);
}

CFolderWalk::Entered CFolderWalk::StartListing(const std::string& key, Level& level, bool bTop)
{
    if (GetPlatform().IsPseudoFileSystem(key)) {
        // No files on disk: below the top it is left out, at the top it is an empty folder.
        if (!bTop)
            return Entered::Skipped;
        m_pFolderInfo->SetEntry(key, *level.total, *level.direct);
        return Entered::Stored;
    }
    const std::string pattern = MakeFindPattern(key);
    bool bTriedAgain = false;
    for (;;) {
        RememberLastError(0);
        if (level.finder.FindFile(pattern))
            return Entered::Listing;
        const uint32_t code = level.finder.GetLastError();
        if ((code == kErrorFileNotFound || code == kErrorPathNotFound) && !IsNameWin32CannotOpen(key)) {
            if (!bTop)
                return Entered::Skipped;  // listed by its parent a moment ago, gone now
            if (code == kErrorPathNotFound)
                RememberLastError(code);
            return Entered::Failed;
        }
        if (!bTop) {
            const FailedListing meaning = WhatFailedListingMeans(key, bTriedAgain);
            if (meaning == FailedListing::Gone)
                return Entered::Skipped;
            bTriedAgain = true;
            if (meaning == FailedListing::TryAgain)
                continue;
        }
        RememberLastError(code);
        bool bIgnore = false;
        if (AskAboutUnreadable(key, code, bIgnore))
            continue;
        if (!bIgnore)
            return Entered::Failed;
        m_leftOut.push_back({key, code});
        return bTop ? Entered::Failed : Entered::Skipped;
    }
}

CFolderWalk::Entered CFolderWalk::LeaveOutUnreachable(const std::string& key)
{
    RememberLastError(kErrorInvalidName);
    bool bIgnore = false;
    while (AskAboutUnreadable(key, kErrorInvalidName, bIgnore)) {
        // Retry: the name still opens another folder; ask again.
    }
    if (!bIgnore)
        return Entered::Failed;
    m_leftOut.push_back({key, kErrorInvalidName});
    return Entered::Skipped;
}

bool CFolderWalk::AskAboutUnreadable(const std::string& folder, uint32_t code, bool& bIgnore)
{
    bIgnore = m_bIgnoreUnreadable;
    if (bIgnore)
        return false;
    const std::string lead = m_keys.GetDisplayPath(folder) + " にアクセスできません。";
    const std::string choices = "\n「無視」で このﾌｫﾙﾀﾞを除いて集計を続けます（この集計では以後たずねません）。\n";
    const int answer = AfxMessageBox(CSystemErrorText::Message(lead, code) + choices,
                                     kMbAbortRetryIgnore | kMbIconHand);
    if (answer == kIdRetry)
        return true;
    bIgnore = m_bIgnoreUnreadable = answer == kIdIgnore;
    return false;
}

std::string CFolderWalk::LeftOutMessage(std::size_t maxNamed) const
{
    if (m_leftOut.empty())
        return std::string();
    std::string text = "次のﾌｫﾙﾀﾞは読めなかったため、集計に含まれていません。\n\n";
    for (std::size_t i = 0; i < m_leftOut.size() && i < maxNamed; ++i)
        text += m_keys.GetDisplayPath(m_leftOut[i].folder) + "\n";
    if (m_leftOut.size() > maxNamed)
        text += "ほか " + std::to_string(m_leftOut.size() - maxNamed) + " 個\n";
    return text;
}

void CFolderWalk::BeginCommand()
{
    m_bIgnoreUnreadable = false;
    m_leftOut.clear();
    m_bInCommand = true;
    if (m_pSink && m_nWalkDepth == 0)
        m_pSink->BeginWalkProgress();
}

void CFolderWalk::EndCommand()
{
    m_bInCommand = false;
    if (m_pSink && m_nWalkDepth == 0)
        m_pSink->EndWalkProgress();
}

bool CFolderWalk::PumpAndCheckStop()
{
    m_bWalkRunning = true;
    m_pSink->PumpMessages();
    if (!m_bWalkRunning)
        return false;
    m_bWalkRunning = false;
    return true;
}

bool CFolderWalk::GetStoredTotals(const std::string& key, CSizeInfo& total, CSizeInfo& direct)
{
    ClearTotals(total);
    ClearTotals(direct);
    if (!m_pFolderInfo)
        return false;
    const CDirSzLst& folderInfo = *m_pFolderInfo;
    const CDirSzLst::POSITION pos = folderInfo.FindEntry(key);
    if (!pos)
        return false;
    total = folderInfo.GetTotalAt(pos);
    direct = folderInfo.GetDirectAt(pos);
    return true;
}

bool CFolderWalk::StopAggregation()
{
    if (!m_bWalkRunning)
        return false;
    m_bWalkRunning = false;
    return true;
}

bool CFolderWalk::FindFileRetry(CFileFind& finder, const std::string& folder)
{
    const std::string pattern = MakeFindPattern(folder);
    for (;;) {
        RememberLastError(0);
        if (finder.FindFile(pattern))
            return true;
        const uint32_t code = finder.GetLastError();
        if (code == kErrorFileNotFound)
            return false;  // an empty listing is not an error worth remembering
        RememberLastError(code);
        if (code == kErrorPathNotFound)
            return false;
        const std::string lead = m_keys.GetDisplayPath(folder) + " にアクセスできません。";
        if (AfxMessageBox(CSystemErrorText::Message(lead, code), kMbRetryCancel | kMbIconHand) != kIdRetry)
            return false;
    }
}

void CFolderWalk::RememberLastError(uint32_t code)
{
    if (m_pSink)
        m_pSink->RememberLastError(code);
}

std::string CFolderWalk::MakeFindPattern(const std::string& folder)
{
    std::string pattern = folder;
    if (Cp932::ByteLength(pattern) <= 2)
        pattern += "\\";
    pattern += Cp932::ByteLength(pattern) > 3 ? "\\*.*" : "*.*";
    return pattern;
}
