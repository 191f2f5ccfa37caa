// CFileFind: a directory listing, one entry at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "CPlatform.h"
#include "fw/CTime.h"

// Lists what matches a pattern such as "C:\Data\*.*". After FindFile succeeds, each call of
// FindNextFile makes the next entry current and returns false when that entry is the last one,
// so a loop handles the current entry even after FindNextFile said there are no more.
class CFileFind {
public:
    // Starts the listing; false with GetLastError set (2: nothing matches, 3: no such folder).
    bool FindFile(const std::string& pattern);
    bool FindNextFile();
    void Close();
    uint32_t GetLastError() const { return m_lastError; }

    // The current entry
    const CFindEntry& GetEntry() const { return m_current; }
    std::string GetFileName() const { return m_current.name; }
    // The folder of the pattern, a backslash and the entry's name.
    std::string GetFilePath() const { return m_root + m_current.name; }
    uint64_t GetLength() const { return m_current.size; }
    uint32_t GetAttributes() const { return m_current.attributes; }
    bool IsDirectory() const { return m_current.IsDirectory(); }
    bool IsDots() const;
    CTime GetLastWriteTime() const { return CTime::FromUnixSeconds(m_current.modified); }
    CTime GetLastAccessTime() const { return CTime::FromUnixSeconds(m_current.accessed); }
    CTime GetCreationTime() const { return CTime::FromUnixSeconds(m_current.created); }

private:
    std::unique_ptr<CFindHandle> m_handle;
    CFindEntry m_current;
    CFindEntry m_next;
    bool m_hasNext = false;
    std::string m_root;
    uint32_t m_lastError = 0;
};
