// Drives, free space, special path keys and the shell's names and icons.
#include "services/CDriveServices.h"

#include "app/CAppCore.h"
#include "fw/AfxMessageBox.h"
#include "fw/CFileStatus.h"
#include "text/Utf.h"

namespace {

// The drive part of a path: its first three characters, whole characters even when a relative
// path starts with Japanese ones.
std::string FirstThreeCharacters(const std::string& path)
{
    std::size_t end = 0;
    for (int count = 0; count < 3 && end < path.size(); ++count)
        Utf::NextCodePoint(path, end);
    return path.substr(0, end);
}

}  // namespace

bool CDriveServices::IsFixedDrive(const std::string& root)
{
    return GetPlatform().DriveTypeOf(root) == kDriveFixed;
}

bool CDriveServices::OfferStartFolder(const std::string& root)
{
    if (!m_strStartFolder.empty() || !IsFixedDrive(root))
        return false;
    m_strStartFolder = root;
    return true;
}

bool CDriveServices::GetFreeSpace(const std::string& root, uint64_t& freeBytes)
{
    const uint32_t code = GetPlatform().FreeSpaceOf(root, freeBytes);
    AfxGetAppCore().m_dwLastError = code;
    if (code != kErrorSuccess)
        freeBytes = 0;
    return code == kErrorSuccess;
}

bool CDriveServices::GetFreeSpaceRetry(const std::string& path, uint64_t& freeBytes)
{
    CAppCore& app = AfxGetAppCore();
    const std::string root = FirstThreeCharacters(path);
    for (;;) {
        app.m_dwLastError = 0;
        if (GetFreeSpace(root, freeBytes))
            return true;
        if (AfxMessageBox(FreeSpaceMessage(root, app.m_dwLastError), kMbRetryCancel | kMbIconHand) != kIdRetry)
            return false;
    }
}

std::string CDriveServices::FreeSpaceMessage(const std::string& root, uint32_t code) const
{
    CAppCore& app = AfxGetAppCore();
    return GetDisplayPath(root) + " の空きﾃﾞｨｽｸ領域が分かりません。\n\n" + app.FormatSystemError(code) + "\n\n" +
           "( ｺｰﾄﾞ=" + CAppCore::FormatHex(code) + " )" + "\n";
}

std::string CDriveServices::SplitFirst(const std::string& path, std::string& rest)
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

bool CDriveServices::IsInRecycleFolder(const std::string& path) const
{
    if (IsMyComputerKey(path))
        return false;
    std::string rest;
    const std::string root = SplitFirst(path, rest);
    if (rest.empty() || !IsDriveRoot(root) || !IsFixedDrive(root))
        return false;
    std::string below;
    return SplitFirst(rest, below) == m_strRecycled;
}

bool CDriveServices::IsFileOnlyFolder(const std::string& path) const
{
    return GetNameOf(path) == m_strFileOnlyFolderId;
}

bool CDriveServices::IsPlaceholderPath(const std::string& path) const
{
    return GetNameOf(path) == m_strDummyId;
}

bool CDriveServices::IsOrdinaryFolderPath(const std::string& path) const
{
    // An empty key would reach the platform as the current folder (or "/" natively).
    return !path.empty() && !IsMyComputerKey(path) && !IsDriveRoot(path) && !IsFileOnlyFolder(path) &&
           !IsPlaceholderPath(path);
}

bool CDriveServices::IsExistingFolder(const std::string& path) const
{
    return HasStatus(path, true);
}

bool CDriveServices::IsExistingFile(const std::string& path) const
{
    return HasStatus(path, false);
}

bool CDriveServices::HasStatus(const std::string& path, bool bFolder) const
{
    CFileStatus status;
    if (!IsOrdinaryFolderPath(path) || !GetFileStatusOf(path, status))
        return false;
    return ((status.m_attribute & kAttrDirectory) != 0) == bFolder;
}

std::string CDriveServices::GetRealFolder(const std::string& path) const
{
    return IsFileOnlyFolder(path) ? GetParentKey(path) : path;
}

std::string CDriveServices::JoinPath(const std::string& folder, const std::string& name)
{
    return IsDriveRoot(folder) ? folder + name : folder + "\\" + name;
}

std::string CDriveServices::SameNameIn(const std::string& path, const std::string& folder) const
{
    return JoinPath(folder, GetNameOf(path));
}

std::string CDriveServices::ReplaceName(const std::string& path, const std::string& name) const
{
    return JoinPath(GetParentKey(path), name);
}

std::string CDriveServices::GetShellDisplayName(const std::string& path)
{
    return GetPlatform().ShellDisplayNameOf(path);
}

ShellIconId CDriveServices::GetShellSmallIcon(const std::string& path)
{
    return path.empty() ? kNoShellIcon : GetPlatform().ShellSmallIconOf(path);
}
