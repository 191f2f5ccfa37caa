// CArchive: the binary form of the program's store files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ios>
#include <string>

#include "fw/CArchiveException.h"

class CFile;

// Reads or writes little-endian integers and length-prefixed strings on a stream, the layout
// every store file uses. A string is written as its code page 932 bytes behind a length prefix
// of one byte (length below 255), or 0xFF and 16 bits (below 0xFFFE), or 0xFF, 0xFFFF and 32
// bits. Reading past the end, or a length that runs past it, throws CArchiveException; a write
// the file refuses throws CFileException. The archive reads straight from the stream, so when it
// is closed the file stands exactly behind what was consumed and the next record can follow.
class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile& file, Mode mode);
    CArchive(std::iostream& stream, Mode mode, std::string filePath = std::string());
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsLoading() const { return m_mode == load; }
    bool IsStoring() const { return m_mode == store; }
    const std::string& GetFilePath() const { return m_filePath; }

    // Writes what is buffered; further use is an error.
    void Close();
    // Where the next read takes place, and going back there: a reader that finds something else
    // than the record it expected (an older file) leaves it for the reader after it.
    std::streamoff GetReadPosition() const;
    void SetReadPosition(std::streamoff position);
    void Flush();

    void Write(const void* data, std::size_t size);
    // Reads exactly size bytes or throws CArchiveException::endOfFile.
    void Read(void* data, std::size_t size);

    CArchive& operator<<(uint8_t value);
    CArchive& operator<<(uint16_t value);
    CArchive& operator<<(int32_t value);
    CArchive& operator<<(uint32_t value);
    // A UTF-8 text, written in code page 932.
    CArchive& operator<<(const std::string& text);

    CArchive& operator>>(uint8_t& value);
    CArchive& operator>>(uint16_t& value);
    CArchive& operator>>(int32_t& value);
    CArchive& operator>>(uint32_t& value);
    CArchive& operator>>(std::string& text);

    // The length prefix alone, as strings use it.
    void WriteStringLength(uint32_t length);
    uint32_t ReadStringLength();

private:
    std::iostream& m_stream;
    Mode m_mode;
    std::string m_filePath;
    bool m_closed = false;
};
