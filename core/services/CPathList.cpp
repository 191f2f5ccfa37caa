// The list of paths of the clipboard and of the file operations.
#include "services/CPathList.h"

#include "CPlatform.h"

bool CPathList::Entry::IsFolder() const
{
    return (attr & kAttrDirectory) != 0;
}

void CPathList::Add(std::string path, uint8_t attr)
{
    m_entries.push_back(Entry{std::move(path), attr});
}
