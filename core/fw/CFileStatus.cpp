// Reading a file's status through the platform.
#include "fw/CFileStatus.h"

#include "CPlatform.h"

bool GetFileStatus(const std::string& path, CFileStatus& status)
{
    CFindEntry entry;
    if (!GetPlatform().GetFileStatus(path, entry))
        return false;
    status.m_ctime = CTime::FromUnixSeconds(entry.created);
    status.m_mtime = CTime::FromUnixSeconds(entry.modified);
    status.m_atime = CTime::FromUnixSeconds(entry.accessed);
    status.m_size = entry.size;
    status.m_attribute = static_cast<uint8_t>(entry.attributes);
    status.m_szFullName = path;
    return true;
}
