// CFolderIndex: the entries of folders, each folder listed once and looked up by name.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "CPlatform.h"

// The checks around a file operation ask about thousands of paths in a few folders: listing each
// folder once and answering from the listing costs one directory read per folder instead of one
// status call per path. Names are found as written first, then without regard to ASCII case, as
// Windows finds them. A folder that cannot be listed answers as empty.
class CFolderIndex {
public:
    // The entry at path, or nullptr when its folder holds no such name.
    const CFindEntry* Find(const std::string& path);
    // The entries of folder but "." and "..", in listing order.
    const std::vector<CFindEntry>& EntriesOf(const std::string& folder);

private:
    struct Folder {
        std::vector<CFindEntry> entries;
        std::unordered_map<std::string, std::size_t> byName;
        std::unordered_map<std::string, std::size_t> byLowerName;
    };
    Folder& Listed(const std::string& folder);

    std::unordered_map<std::string, Folder> m_folders;
};
