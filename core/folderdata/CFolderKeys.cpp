// Folder keys: parents, names, joining and the special keys.
#include "folderdata/CFolderKeys.h"

#include <cctype>

#include "text/Cp932.h"

bool CFolderKeys::IsDriveRoot(const std::string& key)
{
    return key.size() == 3 && key[1] == ':';
}

std::string CFolderKeys::GetDisplayPath(const std::string& key) const
{
    if (IsMyComputerKey(key) || key.empty())
        return key;
    std::string display = key;
    display[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(display[0])));
    return display;
}

std::string CFolderKeys::SplitPath(const std::string& path, std::string& name)
{
    const std::size_t slash = path.rfind('\\');
    std::string parent = slash == std::string::npos ? std::string() : path.substr(0, slash);
    if (Cp932::ByteLength(parent) <= 2)
        parent += "\\";
    name = slash == std::string::npos ? path : path.substr(slash + 1);
    return parent;
}

std::string CFolderKeys::SplitFirst(const std::string& path, std::string& rest)
{
    const std::size_t slash = path.find('\\');
    if (slash == std::string::npos) {
        rest.clear();
        return path;
    }
    std::string head = path.substr(0, slash + 1);
    if (!IsDriveRoot(head))
        head.pop_back();
    rest = path.substr(slash + 1);
    return head;
}

std::string CFolderKeys::GetParentKey(const std::string& key) const
{
    if (IsMyComputerKey(key))
        return std::string();
    if (IsDriveRoot(key))
        return m_strMyComputerId;
    std::string name;
    std::string parent = SplitPath(key, name);
    // A key that is no path below a drive ("\", "C:", a relative path, as a damaged store file may
    // hold) has the computer as its parent, so that every climb towards the top ends there.
    const bool belowDrive = parent.size() >= 3 && parent[1] == ':' && parent[2] == '\\';
    if (!belowDrive || parent.size() >= key.size())
        return m_strMyComputerId;
    return parent;
}

std::string CFolderKeys::GetNameOf(const std::string& key) const
{
    if (key.empty() || IsMyComputerKey(key) || IsDriveRoot(key))
        return std::string();
    std::string name;
    SplitPath(key, name);
    return name;
}

bool CFolderKeys::IsFileOnlyFolder(const std::string& path) const
{
    return GetNameOf(path) == m_strFileOnlyFolderId;
}

bool CFolderKeys::IsPlaceholderPath(const std::string& path) const
{
    return GetNameOf(path) == m_strDummyId;
}

bool CFolderKeys::IsOrdinaryFolderPath(const std::string& path) const
{
    // An empty key would reach the platform as the current folder (or "/" natively).
    return !path.empty() && !IsMyComputerKey(path) && !IsDriveRoot(path) && !IsFileOnlyFolder(path) &&
           !IsPlaceholderPath(path);
}

std::string CFolderKeys::GetRealFolder(const std::string& path) const
{
    return IsFileOnlyFolder(path) ? GetParentKey(path) : path;
}

std::string CFolderKeys::JoinPath(const std::string& folder, const std::string& name)
{
    return IsDriveRoot(folder) ? folder + name : folder + "\\" + name;
}

std::string CFolderKeys::SameNameIn(const std::string& path, const std::string& folder) const
{
    return JoinPath(folder, GetNameOf(path));
}

std::string CFolderKeys::ReplaceName(const std::string& path, const std::string& name) const
{
    return JoinPath(GetParentKey(path), name);
}

std::size_t CFolderKeys::RelativeStart(std::string_view path, std::string_view base) const
{
    if (base == m_strMyComputerId)
        return 0;
    if (!path.starts_with(base))
        return std::string_view::npos;
    const bool bDriveRoot = base.size() == 3 && base[1] == ':';
    if (path.size() == base.size() || bDriveRoot)
        return base.size();
    return path[base.size()] == '\\' ? base.size() + 1 : std::string_view::npos;
}

bool CFolderKeys::RelativePath(const std::string& path, const std::string& base, std::string& relative) const
{
    const std::size_t start = RelativeStart(path, base);
    relative = start == std::string_view::npos ? std::string() : path.substr(start);
    return start != std::string_view::npos;
}

bool CFolderKeys::IsSameOrBelow(const std::string& path, const std::string& folder)
{
    if (folder.empty() || path.compare(0, folder.size(), folder) != 0)
        return false;
    return path.size() == folder.size() || IsDriveRoot(folder) || path[folder.size()] == '\\';
}

std::string CFolderKeys::Rebase(const std::string& path, const std::string& oldFolder, const std::string& newFolder)
{
    if (!IsSameOrBelow(path, oldFolder))
        return path;
    if (path.size() == oldFolder.size())
        return newFolder;
    const std::size_t rest = IsDriveRoot(oldFolder) ? oldFolder.size() : oldFolder.size() + 1;
    return JoinPath(newFolder, path.substr(rest));
}
