// The folder tree's clipboard rules.
#include "treepane/CTreeClipRules.h"

#include "CPlatform.h"
#include "app/CAppSettings.h"

bool CTreeClipRules::CanCopy(const CFolderKeys& keys, const std::string& path)
{
    return !path.empty() && !keys.IsMyComputerKey(path) && !CFolderKeys::IsDriveRoot(path) &&
           !keys.IsPlaceholderPath(path);
}

bool CTreeClipRules::CanCut(const CAppSettings& settings, const std::string& path)
{
    return CanCopy(settings.m_keys, path) && !settings.m_drives.IsInRecycleFolder(path);
}

bool CTreeClipRules::CanPaste(const CAppSettings& settings, const std::string& path, bool bClipEmpty)
{
    return !bClipEmpty && !path.empty() && !settings.m_keys.IsMyComputerKey(path) &&
           !settings.m_keys.IsPlaceholderPath(path) && !settings.m_drives.IsInRecycleFolder(path);
}

void CTreeClipRules::FillFromSelection(const CFolderKeys& keys, const std::string& path, CPathList& clip,
                                       const ListFunction& listEntries)
{
    if (path.empty())
        return;
    clip.Clear();
    if (keys.IsFileOnlyFolder(path))
        listEntries(clip, keys.GetRealFolder(path), true);
    else
        clip.Add(path, static_cast<uint8_t>(kAttrDirectory));
}

bool CTreeClipRules::ReplaceWithEntries(CPathList& clip, const ListFunction& listEntries)
{
    if (clip.size() != 1)
        return false;
    CPathList entries;
    listEntries(entries, clip[0].path, false);
    if (entries.empty())
        return false;
    clip = std::move(entries);
    return true;
}
