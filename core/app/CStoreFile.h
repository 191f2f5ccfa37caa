// CStoreFile: a store file opened for reading, or written so that a failure keeps the old file.
#pragma once

#include <string>

#include "fw/CFile.h"

// Reading opens the file itself. Writing goes to a temporary file beside it ("<name>.new"), and
// Close puts that in place of the old file only when every byte reached the disk; a full disk, a
// refused write or a write given up halfway leaves the previous good file as it was. Several
// records may be read or written one after another on one open file (through CArchive on
// GetFile). Closing a write reports whether the file was saved; the destructor of a file still
// open for writing throws the temporary file away.
class CStoreFile {
public:
    // construction
    CStoreFile() = default;
    ~CStoreFile();
    CStoreFile(const CStoreFile&) = delete;
    CStoreFile& operator=(const CStoreFile&) = delete;

    // opening and closing
    // Opens path for reading (bRead) or starts writing it anew; true when open.
    bool Open(const std::string& path, bool bRead);
    // Ends reading, or completes writing; false when the written file could not be saved.
    bool Close();
    bool IsOpen() const { return m_file.IsOpen(); }
    bool IsWriting() const { return IsOpen() && !m_strTarget.empty(); }

    // access
    CFile& GetFile() { return m_file; }
    // True when a file open for reading has nothing left to read.
    bool IsAtEnd();
    // The name of the temporary file that a write of path goes to.
    static std::string TemporaryPathOf(const std::string& path);

private:
    bool FinishWriting();
    void Abandon();

    CFile m_file;
    std::string m_strTarget;  // while writing: the file the temporary file replaces
};
