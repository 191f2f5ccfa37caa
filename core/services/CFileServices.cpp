// Name rules, the shell's operations, new folders, the permanent delete and the same-time filter of a copy.
#include "services/CFileServices.h"

#include <vector>

#include "CPathForms.h"
#include "CPlatform.h"
#include "folderdata/CFolderKeys.h"
#include "folderdata/CFolderWalk.h"
#include "fw/AfxMessageBox.h"
#include "fw/CFileFind.h"
#include "fw/CSystemErrorText.h"
#include "services/CFileOperationCheck.h"
#include "services/CFolderIndex.h"
#include "text/Utf.h"

namespace {

constexpr uint32_t kFindAttributes = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrDirectory | kAttrArchive;
// Numbers tried after the plain name; a file system that calls every name taken ends the search.
constexpr int kMaxNewFolderNumber = 9999;

// A folder being emptied by RemoveTree: its entries, listed before any is removed, and the next.
struct FolderToEmpty {
    std::string path;
    CPathList entries;
    std::size_t next = 0;
};

constexpr const char* kNothingChanged = CFileOperationCheck::kNothingChanged;

bool StartsWithFolder(const std::string& path, const std::string& folder)
{
    const std::string lowerPath = Utf::ToLowerAscii(path);
    const std::string lowerFolder = Utf::ToLowerAscii(folder);
    return lowerPath == lowerFolder || lowerPath.rfind(CFolderKeys::JoinPath(lowerFolder, std::string()), 0) == 0;
}

bool ExistsOnDisk(const std::string& path)
{
    CFindEntry status;
    return GetPlatform().GetFileStatus(path, status);
}

// True when the entry at path carries its name with exactly these letters.
bool HoldsExactName(const std::string& path)
{
    std::string name;
    CFolderKeys::SplitPath(path, name);
    CFolderIndex disk;
    const CFindEntry* entry = disk.Find(path);
    return entry && entry->name == name;
}

// Wine's shell fails a rename that changes only the case of letters (the new name "exists"), so
// the entry goes through a free temporary name; should the second step fail, it gets its old
// name back and the user is told.
bool RenameCaseOnly(CFileServices& files, const std::string& oldPath, const std::string& newPath,
                    const std::string& displayPath)
{
    std::string temporary;
    for (int number = 1; temporary.empty() || ExistsOnDisk(temporary); ++number) {
        if (number > kMaxNewFolderNumber)
            return false;
        temporary = oldPath + ".zq-rename-" + std::to_string(number);
    }
    if (!files.FileOperationOne(kFoRename, oldPath, temporary))
        return false;
    if (files.FileOperationOne(kFoRename, temporary, newPath) && HoldsExactName(newPath))
        return true;
    files.FileOperationOne(kFoRename, temporary, oldPath);
    AfxMessageBox(displayPath + "\n\n名前の 大文字と小文字を 変えられませんでした。" + kNothingChanged,
                  kMbOk | kMbIconExclamation);
    return false;
}

}  // namespace

bool CFileServices::IsValidFileName(const std::string& name)
{
    // In UTF-8 a byte below 0x80 is always a character of its own, so a search by byte is a
    // search by character: "ソ" and "表", whose second byte in code page 932 is the backslash's,
    // have no such byte here.
    return name.find_first_of("\\/:,;*?\"<>|") == std::string::npos;
}

std::string CFileServices::CombinePath(const std::string& folder, const std::string& name) const
{
    if (!folder.empty() && !name.empty() && m_keys.IsMyComputerKey(folder))
        return folder;
    return JoinWithOneBackslash(folder, name);
}

std::string CFileServices::JoinWithOneBackslash(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (name.empty())
        return folder;
    const bool folderEnds = folder.back() == '\\';
    const bool nameStarts = name.front() == '\\';
    if (folderEnds && nameStarts)
        return folder + name.substr(1);
    if (folderEnds || nameStarts)
        return folder + name;
    return folder + '\\' + name;
}

uint8_t CFileServices::GetFindAttributes(const CFindEntry& entry)
{
    return static_cast<uint8_t>(entry.attributes & kFindAttributes);
}

bool CFileServices::ListFolderEntries(CPathList& list, const std::string& folder, bool bFilesOnly, uint32_t& code)
{
    CFileFind finder;
    if (!m_walk.FindFileRetry(finder, folder)) {
        code = finder.GetLastError();
        if (code != kErrorFileNotFound)
            return false;
        code = kErrorSuccess;  // nothing matched: a drive root without entries
        return true;
    }
    bool bMore = true;
    while (bMore) {
        bMore = finder.FindNextFile();
        if (finder.IsDots() || (bFilesOnly && finder.IsDirectory()))
            continue;
        list.Add(CFolderKeys::JoinPath(folder, finder.GetFileName()), GetFindAttributes(finder.GetEntry()));
    }
    code = kErrorSuccess;
    return true;
}

bool CFileServices::MakeDir(const std::string& path, uint32_t& code)
{
    code = GetPlatform().CreateFolder(path);
    return code == kErrorSuccess;
}

bool CFileServices::CreateNewFolder(const std::string& folder, std::string& newPath)
{
    const std::string base = CombinePath(folder, m_strNewFolderName);
    newPath = base;
    for (int number = 2; number <= kMaxNewFolderNumber + 1; ++number) {
        uint32_t code = 0;
        if (MakeDir(newPath, code))
            return true;
        if (code != kErrorAlreadyExists)
            break;
        newPath = base + " (" + std::to_string(number) + ")";
    }
    AfxMessageBox("Error !!!");
    newPath.clear();
    return false;
}

bool CFileServices::RemoveFile(const std::string& path, Failure& failure)
{
    const uint32_t code = GetPlatform().RemoveFile(path);
    if (code != kErrorSuccess)
        failure = Failure{path, code};
    return code == kErrorSuccess;
}

bool CFileServices::RemoveDir(const std::string& path, Failure& failure)
{
    const uint32_t code = GetPlatform().RemoveFolder(path);
    if (code != kErrorSuccess)
        failure = Failure{path, code};
    return code == kErrorSuccess;
}

bool CFileServices::RemoveTree(const std::string& folder, Failure& failure)
{
    // A stack of its own rather than recursion: no depth of folders can exhaust the thread's.
    std::vector<FolderToEmpty> stack;
    std::string next = folder;
    for (;;) {
        if (!next.empty()) {
            stack.push_back(FolderToEmpty{next, {}, 0});
            uint32_t code = 0;
            if (!ListFolderEntries(stack.back().entries, next, false, code)) {
                failure = Failure{next, code};
                return false;
            }
            next.clear();
        }
        FolderToEmpty& top = stack.back();
        if (top.next == top.entries.size()) {
            if (!RemoveDir(top.path, failure))
                return false;
            stack.pop_back();
            if (stack.empty())
                return true;
            continue;
        }
        const CPathList::Entry& entry = top.entries[top.next++];
        if (entry.IsFolder())
            next = entry.path;
        else if (!RemoveFile(entry.path, failure))
            return false;
    }
}

bool CFileServices::DeletePermanently(const CPathList& list)
{
    if (list.empty() || !ConfirmPermanentDelete(list))
        return false;
    for (const CPathList::Entry& entry : list) {
        CFindEntry status;
        const bool bFile = GetPlatform().GetFileStatus(entry.path, status) && !status.IsDirectory();
        Failure failure;
        if (bFile ? RemoveFile(entry.path, failure) : RemoveTree(entry.path, failure))
            continue;
        ReportDeleteFailure(failure);
        return false;
    }
    return true;
}

bool CFileServices::ConfirmPermanentDelete(const CPathList& list) const
{
    if (list.empty())
        return false;
    std::string what;
    if (list.size() < 2) {
        CFolderKeys::SplitPath(list[0].path, what);
        what = "'" + what + "' ";
    } else {
        what = "これら " + std::to_string(list.size()) + "個のファイル";
    }
    const std::string first = "ごみ箱に保存せず 完全に 削除します。　削除すると 元に戻せません！！！\n\n\n" + what +
                              "を 削除しても よろしいですか？\n\n\n（'はい' を選ぶと もう一度 確認のメッセージがでます)";
    if (AfxMessageBox(first, kMbYesNo | kMbIconExclamation) != kIdYes)
        return false;
    const std::string second = "念のため もう一度お尋ねします。　完全に 削除しても よろしいですか？\n\n";
    return AfxMessageBox(second, kMbYesNo | kMbIconExclamation) == kIdYes;
}

void CFileServices::ReportDeleteFailure(const Failure& failure) const
{
    // Without this the delete would end as if it had succeeded, though part of the selection is
    // still there; what went before is gone for good, and the user needs to know where it stopped.
    const std::string lead = m_keys.GetDisplayPath(failure.path) + " を削除できませんでした。";
    AfxMessageBox(CSystemErrorText::Message(lead, failure.code) + "削除はここで中止しました。\n", kMbOk | kMbIconHand);
}

void CFileServices::SkipSameTime(CPathList& list, const std::string& destination, const CopyFunction& copy)
{
    CPathList kept;
    for (const CPathList::Entry& entry : list)
        if (!IsSettled(entry, destination, copy))
            kept.Add(entry.path, entry.attr);
    list = std::move(kept);
}

bool CFileServices::IsSettled(const CPathList::Entry& entry, const std::string& destination, const CopyFunction& copy)
{
    CFindEntry source;
    CFindEntry target;
    const std::string targetPath = m_keys.SameNameIn(entry.path, destination);
    if (!GetPlatform().GetFileStatus(entry.path, source) || !GetPlatform().GetFileStatus(targetPath, target))
        return false;
    // A file where the copy brings a folder, or the other way round, is a clash the shell reports.
    if (source.IsDirectory() != target.IsDirectory())
        return false;
    if (source.IsDirectory())
        return CopyChangedEntries(entry.path, targetPath, copy);
    return source.modified == target.modified;
}

bool CFileServices::CopyChangedEntries(const std::string& sourceFolder, const std::string& targetFolder,
                                       const CopyFunction& copy)
{
    CPathList inside;
    uint32_t code = 0;
    if (!ListFolderEntries(inside, sourceFolder, false, code))
        return false;
    SkipSameTime(inside, targetFolder, copy);
    if (!inside.empty())
        copy(inside, targetFolder);
    return true;
}

// ---- the shell's operations ----

// A move, copy or delete is checked before the call (CFileOperationCheck) and against the disk
// after it: the shell may replace a file by a folder, skip what it cannot reach, or answer 0 with
// nothing done. What was not done is named in one message, and the result is not 0 then.
int CFileServices::ShellFileOperation(int operation, const CPathList& sources, const std::string& destination)
{
    CFileOperationCheck check(m_keys);
    std::string refusal = ShellRefusal(operation, sources, destination);
    if (refusal.empty() && operation != kFoRename)
        refusal = check.Prepare(operation, sources, destination);
    if (!refusal.empty()) {
        AfxMessageBox(refusal, kMbOk | kMbIconExclamation);
        return static_cast<int>(kErrorInvalidName);
    }
    if (!check.MayReplace())
        return static_cast<int>(CPathForms::kErrorCancelled);
    std::vector<std::string> paths;
    paths.reserve(sources.size());
    for (const CPathList::Entry& entry : sources)
        paths.push_back(entry.path);
    const int result = GetPlatform().ShellFileOperation(operation, paths, destination);
    return operation == kFoRename ? result : check.Conclude(result);
}

void CFileServices::FileOperation(int operation, const CPathList& list, const std::string& destination)
{
    ShellFileOperation(operation, list, destination);
}

// The shell's own answer counts too: a failure may leave the destination there all the same.
bool CFileServices::FileOperationOne(int operation, const std::string& source, const std::string& destination)
{
    const bool bExisted = Exists(destination);
    CPathList list;
    list.Add(source, 0);
    const int result = ShellFileOperation(operation, list, destination);
    return result == 0 && !bExisted && Exists(destination);
}

// Wine's shell refuses a taken name without a word; the user learns it here on every system.
// Windows would store a name ending in a blank or a dot without it, and the pane would show a
// name the disk does not hold: such names are refused as Explorer refuses them.
bool CFileServices::RenamePath(const std::string& oldPath, const std::string& newPath)
{
    std::string newName;
    CFolderKeys::SplitPath(newPath, newName);
    if (CPathForms::EndsInBlankOrDot(newName)) {
        AfxMessageBox(newName + "\n\n名前の末尾に 空白や ピリオド（.）は 使えません。" + kNothingChanged,
                      kMbOk | kMbIconExclamation);
        return false;
    }
    if (Utf::ToLowerAscii(oldPath) == Utf::ToLowerAscii(newPath))
        return oldPath == newPath || RenameCaseOnly(*this, oldPath, newPath, m_keys.GetDisplayPath(oldPath));
    if (Exists(newPath)) {
        AfxMessageBox(m_keys.GetDisplayPath(newPath) + "\n\nこの名前は 既に使われています。" + kNothingChanged,
                      kMbOk | kMbIconExclamation);
        return false;
    }
    return FileOperationOne(kFoRename, oldPath, newPath);
}

std::string CFileServices::ShellRefusal(int operation, const CPathList& sources, const std::string& destination) const
{
    const bool bIntoFolder = operation == kFoMove || operation == kFoCopy;
    if (operation != kFoDelete) {
        if (std::string refusal = PathRefusal(destination); !refusal.empty())
            return refusal;
    }
    for (const CPathList::Entry& entry : sources) {
        if (std::string refusal = PathRefusal(entry.path); !refusal.empty())
            return refusal;
        if (!bIntoFolder)
            continue;
        if (std::string refusal = PathRefusal(m_keys.SameNameIn(entry.path, destination)); !refusal.empty())
            return refusal;
        if (entry.IsFolder() && StartsWithFolder(destination, entry.path)) {
            const char* what = operation == kFoMove ? "移動先" : "コピー先";
            return m_keys.GetDisplayPath(destination) + "\n\n" + what + "が 元のフォルダ " +
                   m_keys.GetDisplayPath(entry.path) + " の中です。" + kNothingChanged;
        }
    }
    return std::string();
}

std::string CFileServices::PathRefusal(const std::string& path) const
{
    if (path.rfind("\\\\?\\", 0) == 0)
        return path + "\n\nこの形のパスは 扱えません。" + kNothingChanged;
    if (CPathForms::HasComponentEndingInBlankOrDot(path))
        return CFileOperationCheck::UnreachableNameRefusal(m_keys.GetDisplayPath(path));
    if (Utf::Utf8ToUtf16(path).size() > kMaxShellPath)
        return m_keys.GetDisplayPath(path) + "\n\nパスが長すぎます（" + std::to_string(kMaxShellPath) +
               " 文字まで）。" + kNothingChanged;
    return std::string();
}

bool CFileServices::Exists(const std::string& path) const
{
    return ExistsOnDisk(path);
}
