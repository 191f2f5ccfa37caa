// CPathList: an ordered list of paths, each with its attribute byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The program's own clipboard and the work lists of the file operations (what to move, copy or
// delete, what a folder holds) are lists of full paths in the order they were added, each with
// the attribute byte of its entry (read-only 0x01, hidden 0x02, system 0x04, folder 0x10,
// archive 0x20) as it was when added: nothing here looks at the disk. The same path may be
// added twice.
class CPathList {
public:
    struct Entry {
        std::string path;
        uint8_t attr = 0;

        bool IsFolder() const;
    };
    using const_iterator = std::vector<Entry>::const_iterator;

    // changing
    void Add(std::string path, uint8_t attr);
    void Clear() { m_entries.clear(); }

    // reading
    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }
    const Entry& operator[](std::size_t index) const { return m_entries[index]; }
    const_iterator begin() const { return m_entries.begin(); }
    const_iterator end() const { return m_entries.end(); }
    const std::vector<Entry>& GetEntries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};
