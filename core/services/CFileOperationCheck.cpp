// The checks of a move, copy or delete before the shell is called and against the disk afterwards.
#include "services/CFileOperationCheck.h"

#include "CPathForms.h"
#include "CPlatform.h"
#include "folderdata/CFolderKeys.h"
#include "fw/AfxMessageBox.h"
#include "fw/CSystemErrorText.h"
#include "services/CFileServices.h"
#include "text/Utf.h"

std::string CFileOperationCheck::UnreachableNameRefusal(const std::string& displayPath)
{
    return displayPath + "\n\n名前の末尾が 空白か ピリオド（.）のため、この名前は 扱えません。" + kNothingChanged;
}

std::string CFileOperationCheck::Prepare(int operation, const CPathList& sources, const std::string& destination)
{
    m_operation = operation;
    m_expected.clear();
    m_replaced.clear();
    const bool bIntoFolder = operation == kFoMove || operation == kFoCopy;
    for (const CPathList::Entry& entry : sources) {
        const CFindEntry* status = m_before.Find(entry.path);
        if (!status)
            continue;  // the shell names a missing source itself
        if (!bIntoFolder) {
            m_expected.push_back(Expected{entry.path, std::string(), status->IsDirectory(), true});
            continue;
        }
        const std::string target = m_keys.SameNameIn(entry.path, destination);
        bool bTargetExists = false;
        std::string refusal = PrepareEntry(entry.path, *status, target, true, true, bTargetExists);
        if (refusal.empty() && status->IsDirectory())
            refusal = PrepareFolder(entry.path, target, bTargetExists);
        if (!refusal.empty())
            return refusal;
    }
    return std::string();
}

// A stack of its own rather than recursion: no depth of folders can exhaust the thread's.
std::string CFileOperationCheck::PrepareFolder(const std::string& source, const std::string& target, bool bMerge)
{
    struct Pending {
        std::string source;
        std::string target;
        bool bMerge;
    };
    std::vector<Pending> pending{Pending{source, target, bMerge}};
    while (!pending.empty()) {
        const Pending folder = std::move(pending.back());
        pending.pop_back();
        for (const CFindEntry& entry : m_before.EntriesOf(folder.source)) {
            const std::string from = CFolderKeys::JoinPath(folder.source, entry.name);
            const std::string to = CFolderKeys::JoinPath(folder.target, entry.name);
            bool bTargetExists = false;
            if (std::string refusal = PrepareEntry(from, entry, to, false, folder.bMerge, bTargetExists);
                !refusal.empty())
                return refusal;
            if (entry.IsDirectory())
                pending.push_back(Pending{from, to, bTargetExists});
        }
    }
    return std::string();
}

std::string CFileOperationCheck::PrepareEntry(const std::string& source, const CFindEntry& status,
                                              const std::string& target, bool bTop, bool bMerge,
                                              bool& bTargetExists)
{
    if (Utf::Utf8ToUtf16(target).size() > CFileServices::kMaxShellPath)
        return m_keys.GetDisplayPath(source) + "\n\n" + Verb() + "先のパスが長すぎます（" +
               std::to_string(CFileServices::kMaxShellPath) + " 文字まで）。\n" + m_keys.GetDisplayPath(target) +
               kNothingChanged;
    if (!bTop && CPathForms::EndsInBlankOrDot(status.name))
        return UnreachableNameRefusal(m_keys.GetDisplayPath(source));
    const CFindEntry* there = bMerge ? m_before.Find(target) : nullptr;
    bTargetExists = there != nullptr;
    // A file onto a folder at the top the shell refuses by itself; anything else would replace one
    // kind by the other.
    if (there && there->IsDirectory() != status.IsDirectory() && (status.IsDirectory() || !bTop))
        return ClashRefusal(source, status.IsDirectory(), target);
    if (there && !there->IsDirectory() && m_operation == kFoMove)
        m_replaced.push_back(target);
    m_expected.push_back(Expected{source, target, status.IsDirectory(), bTop, status.size, status.modified});
    return std::string();
}

bool CFileOperationCheck::MayStart(int operation, const CPathList& sources, const std::string& destination)
{
    const std::string refusal = Prepare(operation, sources, destination);
    if (!refusal.empty())
        AfxMessageBox(refusal, kMbOk | kMbIconExclamation);
    return refusal.empty();
}

bool CFileOperationCheck::MayReplace() const
{
    if (m_replaced.empty() || !GetPlatform().ShellMovesOverFilesUnasked())
        return true;
    const std::string question = "移動先に 同じ名前のファイルが あります。\n\n" + NamedLines(m_replaced, 10) +
                                 "\nこれらの ファイルを 置き換えますか？";
    return AfxMessageBox(question, kMbYesNo | kMbIconQuestion) == kIdYes;
}

int CFileOperationCheck::Conclude(int shellResult)
{
    const std::vector<std::string> undone = Undone();
    if (undone.empty())
        return shellResult;
    // A stopped delete follows the user's No to the shell's own question and leaves everything in
    // place. A stopped move or copy is named: Wine's shell also stops one on its own (two files
    // moved onto files) and reports it as if the user had said No; no reason is given then.
    const bool bStopped = shellResult == static_cast<int>(CPathForms::kErrorCancelled);
    if (!bStopped || m_operation != kFoDelete)
        AfxMessageBox(Report(undone, bStopped ? 0 : shellResult), kMbOk | kMbIconExclamation);
    return shellResult != 0 ? shellResult : kErrorNotDone;
}

void CFileOperationCheck::KeepWhatIsStillThere(CPathList& list)
{
    CFolderIndex disk;
    CPathList kept;
    for (const CPathList::Entry& entry : list)
        if (disk.Find(entry.path))
            kept.Add(entry.path, entry.attr);
    list = std::move(kept);
}

std::vector<std::string> CFileOperationCheck::Undone()
{
    CFolderIndex after;
    std::vector<std::string> undone;
    for (const Expected& expected : m_expected)
        if (!IsDone(expected, after))
            undone.push_back(expected.source);
    return undone;
}

bool CFileOperationCheck::IsDone(const Expected& expected, CFolderIndex& after) const
{
    const bool bSourceLeft = after.Find(expected.source) != nullptr;
    if (m_operation == kFoDelete)
        return !bSourceLeft;
    const CFindEntry* target = after.Find(expected.target);
    if (!target || target->IsDirectory() != expected.bFolder)
        return false;
    if (m_operation == kFoMove)
        return !expected.bTop || !bSourceLeft;
    return expected.bFolder || (target->size == expected.size && target->modified == expected.modified);
}

std::string CFileOperationCheck::Report(const std::vector<std::string>& undone, int shellResult,
                                        std::size_t maxNamed) const
{
    const std::string text = "次の " + std::to_string(undone.size()) + " 件を " + Verb() + "できませんでした。\n\n" +
                             NamedLines(undone, maxNamed);
    if (shellResult == 0)
        return text;
    return CSystemErrorText::Message(text, static_cast<uint32_t>(shellResult));
}

std::string CFileOperationCheck::ClashRefusal(const std::string& source, bool bSourceIsFolder,
                                              const std::string& target) const
{
    return m_keys.GetDisplayPath(target) + "\n\n同じ名前の" + (bSourceIsFolder ? "ファイル" : "フォルダ") +
           "が あるため、" + (bSourceIsFolder ? "フォルダ " : "ファイル ") + m_keys.GetDisplayPath(source) + " を " +
           Verb() + "できません。" + kNothingChanged;
}

std::string CFileOperationCheck::NamedLines(const std::vector<std::string>& paths, std::size_t maxNamed) const
{
    std::string lines;
    for (std::size_t i = 0; i < paths.size() && i < maxNamed; ++i)
        lines += m_keys.GetDisplayPath(paths[i]) + "\n";
    if (paths.size() > maxNamed)
        lines += "ほか " + std::to_string(paths.size() - maxNamed) + " 件\n";
    return lines;
}

const char* CFileOperationCheck::Verb() const
{
    switch (m_operation) {
    case kFoMove:
        return "移動";
    case kFoDelete:
        return "削除";
    default:
        return "コピー";
    }
}
