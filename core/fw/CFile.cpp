// Opening store files through the platform's path translation.
#include "fw/CFile.h"

#include "CPlatform.h"

bool CFile::Open(const std::string& path, unsigned flags)
{
    Close();
    std::ios::openmode mode = std::ios::binary;
    if (flags & modeWrite)
        mode |= std::ios::out | ((flags & modeCreate) ? std::ios::trunc : std::ios::openmode());
    else
        mode |= std::ios::in;
    m_stream.open(GetPlatform().NativePath(path), mode);
    if (!m_stream.is_open())
        return false;
    m_path = path;
    return true;
}

void CFile::Close()
{
    if (m_stream.is_open())
        m_stream.close();
    m_stream.clear();
}
