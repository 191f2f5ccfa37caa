// CFile: a binary file of the program's store, addressed by a Windows path.
#pragma once

#include <fstream>
#include <string>

// Opens store files through the platform, so that a path such as "フォルダZQ Position\Mn" means
// the same file in the Windows program and in the native build. Serialisation works on the
// open stream through a CArchive; several archives may follow one another on one open file.
class CFile {
public:
    enum OpenFlags : unsigned { modeRead = 0x0000, modeWrite = 0x0001, modeCreate = 0x1000 };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // modeRead opens an existing file; modeCreate | modeWrite creates or truncates one.
    bool Open(const std::string& path, unsigned flags);
    void Close();
    bool IsOpen() const { return m_stream.is_open(); }
    const std::string& GetFilePath() const { return m_path; }
    std::fstream& GetStream() { return m_stream; }

private:
    std::fstream m_stream;
    std::string m_path;
};
