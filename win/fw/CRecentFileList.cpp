// The recent list in the registry and in menus.
#include "fw/CRecentFileList.h"

#include <vector>

#include "res/resource.h"
#include "Win32Text.h"

CRecentFileList::CRecentFileList(std::wstring registryKey, std::wstring appName)
    : m_strRegistryKey(std::move(registryKey)), m_strAppName(std::move(appName))
{
}

std::wstring CRecentFileList::SectionPath() const
{
    return L"Software\\" + m_strRegistryKey + L"\\" + m_strAppName + L"\\Recent File List";
}

void CRecentFileList::Load()
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath().c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    std::vector<std::string> entries;
    for (std::size_t index = 0; index < CRegisteredFolders::kMaxEntries; ++index) {
        const std::wstring name = L"File" + std::to_wstring(index + 1);
        wchar_t value[MAX_PATH * 4] = {};
        DWORD size = sizeof value - sizeof(wchar_t);
        DWORD type = 0;
        if (RegQueryValueExW(hKey, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            break;
        entries.push_back(FromWide(value));
    }
    RegCloseKey(hKey);
    m_folders.SetEntries(entries);
}

void CRecentFileList::Save() const
{
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath().c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return;
    for (std::size_t index = 0; index < CRegisteredFolders::kMaxEntries; ++index) {
        const std::wstring name = L"File" + std::to_wstring(index + 1);
        const std::string& entry = m_folders.GetAt(index);
        if (entry.empty()) {
            RegDeleteValueW(hKey, name.c_str());
            continue;
        }
        const std::wstring value = ToWide(entry);
        RegSetValueExW(hKey, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(hKey);
}

std::wstring CRecentFileList::MenuText(std::size_t index, const std::string& entry)
{
    std::wstring path;
    for (wchar_t c : ToWide(entry)) {
        path += c;
        if (c == L'&')
            path += L'&';
    }
    const std::size_t number = index + 1;
    if (number < 10)
        return L"&" + std::to_wstring(number) + L" " + path;
    if (number == 10)
        return L"1&0 " + path;
    return std::to_wstring(number) + L" " + path;
}

void CRecentFileList::UpdateMenu(HMENU hMenu)
{
    const int position = RemoveEntryItems(hMenu);
    if (position < 0)
        return;
    const std::size_t count = m_folders.GetCount();
    for (std::size_t index = 0; index < count; ++index) {
        InsertMenuW(hMenu, static_cast<UINT>(position) + static_cast<UINT>(index), MF_BYPOSITION | MF_STRING,
                    ID_FILE_MRU_FILE1 + index, MenuText(index, m_folders.GetAt(index)).c_str());
    }
    if (count == 0) {
        InsertMenuW(hMenu, static_cast<UINT>(position), MF_BYPOSITION | MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1,
                    m_placeholders[hMenu].c_str());
    }
}

// Takes the list's items out of the menu and returns where they stood, or -1 when the menu has
// none; the first time, the placeholder's text is kept for when the list is empty.
int CRecentFileList::RemoveEntryItems(HMENU hMenu)
{
    int first = -1;
    for (int position = GetMenuItemCount(hMenu) - 1; position >= 0; --position) {
        const UINT id = GetMenuItemID(hMenu, position);
        if (id < ID_FILE_MRU_FILE1 || id > ID_FILE_MRU_LAST)
            continue;
        if (!m_placeholders.count(hMenu)) {
            wchar_t text[256] = {};
            GetMenuStringW(hMenu, static_cast<UINT>(position), text, 255, MF_BYPOSITION);
            m_placeholders[hMenu] = text;
        }
        DeleteMenu(hMenu, static_cast<UINT>(position), MF_BYPOSITION);
        first = position;
    }
    return first;
}
