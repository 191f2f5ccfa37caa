// Directory listing over the platform's find handles.
#include "fw/CFileFind.h"

bool CFileFind::FindFile(const std::string& pattern)
{
    Close();
    const std::size_t slash = pattern.rfind('\\');
    m_root = slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
    m_lastError = GetPlatform().FindFirst(pattern, m_handle, m_next);
    m_hasNext = m_lastError == kErrorSuccess;
    return m_hasNext;
}

bool CFileFind::FindNextFile()
{
    if (!m_hasNext)
        return false;
    std::swap(m_current, m_next);
    m_hasNext = m_handle && m_handle->Next(m_next);
    return m_hasNext;
}

void CFileFind::Close()
{
    m_handle.reset();
    m_hasNext = false;
}

bool CFileFind::IsDots() const
{
    return m_current.IsDirectory() && (m_current.name == "." || m_current.name == "..");
}
