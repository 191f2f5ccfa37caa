// CFileStatus: the status of one file or folder, and GetFileStatus, which reads it.
#pragma once

#include <cstdint>
#include <string>

#include "fw/CTime.h"

// Times, size and attribute bits of a file, as the file operations and the walk ask for them.
struct CFileStatus {
    CTime m_ctime;  // created
    CTime m_mtime;  // last modified
    CTime m_atime;  // last read
    uint64_t m_size = 0;
    uint8_t m_attribute = 0;
    std::string m_szFullName;
};

// Reads the status of path; false when it does not exist or cannot be read.
bool GetFileStatus(const std::string& path, CFileStatus& status);
