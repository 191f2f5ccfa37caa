// CEDoc, part two: the file operations that the panes start and every window then shows.
#include "folderdata/CEDoc.h"

#include "CPlatform.h"
#include "app/CAppSettings.h"
#include "app/CAppCore.h"
#include "dialogs/CCopyConfirmDlg.h"
#include "services/CFileOperationCheck.h"

namespace {

// Names the list a shell operation works on while its update travels; restores the previous one.
class OperatedListScope {
public:
    OperatedListScope(const CPathList*& slot, const CPathList& list) : m_slot(slot), m_previous(slot) { slot = &list; }
    ~OperatedListScope() { m_slot = m_previous; }
    OperatedListScope(const OperatedListScope&) = delete;
    OperatedListScope& operator=(const OperatedListScope&) = delete;

private:
    const CPathList*& m_slot;
    const CPathList* m_previous;
};

}  // namespace

const CPathList* CEDoc::s_pOperatedList = nullptr;

CPathList& CEDoc::GetClipList() const
{
    return m_app.m_clipList;
}

bool CEDoc::IsCutPending() const
{
    return m_app.m_bCutPending != 0;
}

void CEDoc::SetCutPending(bool bCut)
{
    m_app.m_bCutPending = bCut ? 1 : 0;
}

const CPathList& CEDoc::GetOperatedList() const
{
    return s_pOperatedList ? *s_pOperatedList : GetClipList();
}

// A paste into the file-only view of a folder goes into the folder itself.
void CEDoc::RunFileOperation(CPathList& list, int operation)
{
    const std::string destination = GetSettings().m_keys.GetRealFolder(m_strPasteDest);
    if (operation == kFoMove) {
        RunShellOperation(kFoMove, list, destination);
        // What did not move stays cut, so that the user can paste it again after mending the cause.
        CFileOperationCheck::KeepWhatIsStillThere(list);
        SetCutPending(!list.empty());
        return;
    }
    if (operation == kFoDelete) {
        RunShellOperation(kFoDelete, list, destination);
        list.Clear();
        return;
    }
    CCopyConfirmDlg dialog;
    if (dialog.DoModal() != IDOK)
        return;
    if (dialog.m_bSkipSameTime) {
        // The filter copies into existing folders as it goes: whatever would be refused must be
        // refused before the first of those copies.
        if (!CFileOperationCheck(GetSettings().m_keys).MayStart(kFoCopy, list, destination))
            return;
        SkipSameTime(list, destination);
        if (list.empty())
            return;
    }
    RunShellOperation(kFoCopy, list, destination);
}

void CEDoc::RunShellOperation(int operation, const CPathList& list, const std::string& destination)
{
    GetSettings().m_files.FileOperation(operation, list, destination);
    CUpdateHint hint;
    hint.m_strOldPath = "old";
    hint.m_strPath = destination;
    hint.m_nCode = operation;
    hint.m_info.m_nSize = 999;
    const OperatedListScope scope(s_pOperatedList, list);
    NotifyAll(kHintFilesOperated, hint);
}

// The entries of a folder that exists at the destination are copied into it right away, each
// such copy announced like any other.
void CEDoc::SkipSameTime(CPathList& list, const std::string& destination)
{
    GetSettings().m_files.SkipSameTime(list, destination, [this](const CPathList& entries, const std::string& target) {
        RunShellOperation(kFoCopy, entries, target);
    });
}

bool CEDoc::ListFolderEntries(CPathList& list, const std::string& folder, bool bFilesOnly)
{
    uint32_t code = 0;
    return GetSettings().m_files.ListFolderEntries(list, folder, bFilesOnly, code);
}

bool CEDoc::Rename(const std::string& oldPath, const std::string& newPath)
{
    return GetSettings().m_files.RenamePath(oldPath, newPath);
}

bool CEDoc::NewFolder(std::string& newPath)
{
    if (!GetSettings().m_files.CreateNewFolder(m_strCurPath, newPath))
        return false;
    CUpdateHint hint;
    hint.m_strPath = newPath;
    NotifyAll(kHintFolderCreated, hint);
    return true;
}
