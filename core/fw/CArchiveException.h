// CArchiveException and CFileException: the failures of reading and writing store files.
#pragma once

#include <exception>

// Thrown by CArchive when a stream ends early or holds what cannot be read. The causes keep the
// framework's numbering, which the program's error messages show.
class CArchiveException : public std::exception {
public:
    enum Cause { none = 0, genericException = 1, readOnly = 2, endOfFile = 3, writeOnly = 4,
                 badIndex = 5, badClass = 6, badSchema = 7 };

    explicit CArchiveException(Cause cause) : m_cause(cause) {}
    const char* what() const noexcept override { return "archive failure"; }

    Cause m_cause;
};

// Thrown by CArchive when the file under it refuses a write (a full disk, a removed medium).
class CFileException : public std::exception {
public:
    enum Cause { none = 0, genericException = 1, diskFull = 14 };

    explicit CFileException(Cause cause) : m_cause(cause) {}
    const char* what() const noexcept override { return "file write failure"; }

    Cause m_cause;
};
