// CTreeClipRules: when the folder tree's clipboard and delete commands apply, and what they put on the clipboard.
#pragma once

#include <functional>
#include <string>

#include "services/CPathList.h"

class CAppSettings;
class CFolderKeys;

// The tree's cut, copy, paste and delete act on its selected folder. These rules decide, without
// a window, when they may: the computer and a drive root are never copied, cut or deleted,
// nothing in a fixed drive's recycle bin is cut, deleted or pasted into, and nothing is pasted
// into the computer. They also say what a selection puts on the clipboard: the folder itself,
// or, for the file-only virtual folder of a folder, the files lying directly in that folder.
// The tree asks them in its update-UI handlers and its commands; folders are listed through the
// caller's function (the document's ListFolderEntries in the program).
class CTreeClipRules {
public:
    // Appends the entries of folder (only its files when bFilesOnly); false when it cannot be listed.
    using ListFunction = std::function<bool(CPathList& list, const std::string& folder, bool bFilesOnly)>;

    static bool CanCopy(const CFolderKeys& keys, const std::string& path);
    // Also the rule of delete, permanent delete and the Delete key.
    static bool CanCut(const CAppSettings& settings, const std::string& path);
    static bool CanPaste(const CAppSettings& settings, const std::string& path, bool bClipEmpty);
    // The clipboard for a selected path: the folder (attribute 0x10), or a virtual folder's files.
    // An empty path (no selection) leaves the clipboard as it was.
    static void FillFromSelection(const CFolderKeys& keys, const std::string& path, CPathList& clip,
                                  const ListFunction& listEntries);
    // "Replace with clipboard contents": a clipboard of exactly one entry becomes what that entry
    // holds, folders included. False, with the clipboard as it was, when it holds another number
    // of entries or the entry lists nothing (a file, a folder gone or empty).
    static bool ReplaceWithEntries(CPathList& clip, const ListFunction& listEntries);
};
