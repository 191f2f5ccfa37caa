// CRegisteredFolders: the list of up to 16 registered folders, with its adding and sorting rules.
#pragma once

#include <string>
#include <vector>

// The folders the user registered, offered in the File menu; the window program keeps the
// entries across runs and numbers them in the menu. Add puts a folder first (as its full path)
// and takes out an entry that names the same folder in other letter case; a seventeenth entry
// falls off the end. The register command adds the folders of all windows and then sorts, so a
// full list loses the entry that sorted last. Sorting is by the code page 932 bytes, as _mbscmp
// compares them (case-sensitive).
class CRegisteredFolders {
public:
    static constexpr std::size_t kMaxEntries = 16;

    // list rules
    void Add(const std::string& folder);
    void Remove(std::size_t index);
    void SortRegisteredFolders();

    // entries, first to last; GetAt gives "" behind the last
    std::size_t GetCount() const { return m_entries.size(); }
    const std::string& GetAt(std::size_t index) const;
    const std::vector<std::string>& GetEntries() const { return m_entries; }
    // Takes stored entries: those before the first empty one, at most kMaxEntries.
    void SetEntries(const std::vector<std::string>& entries);

    // paths
    // An absolute path with "." and ".." resolved and single backslashes; a relative path is taken
    // from the current folder.
    static std::string MakeFullPath(const std::string& path);
    // The same path in any letter case, as the file system sees it.
    static bool IsSamePath(const std::string& a, const std::string& b);

private:
    std::vector<std::string> m_entries;
};
