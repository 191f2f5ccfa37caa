// CRecentFileList: the numbered list of recent entries in the registry and in the File menu.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "app/CRegisteredFolders.h"

// Keeps up to CRegisteredFolders::kMaxEntries entries (the list rules are the core's) under
// "Software\<registry key>\<application>\Recent File List" as values File1, File2, ...; Load at
// start-up, Save at the framework's exit. UpdateMenu replaces the list's items in a menu that is
// opening: the entries numbered from 1 with command ids ID_FILE_MRU_FILE1 upward in place of the
// placeholder item, or the placeholder itself, disabled, when the list is empty.
class CRecentFileList {
public:
    // construction
    CRecentFileList(std::wstring registryKey, std::wstring appName);

    // registry
    void Load();
    void Save() const;

    // menu
    void UpdateMenu(HMENU hMenu);
    // The text of entry index in the menu: "&1 C:\a", ..., "1&0 ...", "11 ...".
    static std::wstring MenuText(std::size_t index, const std::string& entry);

    CRegisteredFolders m_folders;

private:
    std::wstring SectionPath() const;
    int RemoveEntryItems(HMENU hMenu);

    std::wstring m_strRegistryKey;
    std::wstring m_strAppName;
    std::map<HMENU, std::wstring> m_placeholders;
};
