// Drives, free space, existing folders and files, and the shell's names and icons.
#include "services/CDriveServices.h"

#include "folderdata/CFolderKeys.h"
#include "folderdata/CWalkSink.h"
#include "fw/AfxMessageBox.h"
#include "fw/CFileStatus.h"
#include "fw/CSystemErrorText.h"
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
    uint32_t code = 0;
    return GetFreeSpaceCode(root, freeBytes, code);
}

bool CDriveServices::GetFreeSpaceCode(const std::string& root, uint64_t& freeBytes, uint32_t& code)
{
    code = GetPlatform().FreeSpaceOf(root, freeBytes);
    if (m_pSink)
        m_pSink->RememberLastError(code);
    if (code != kErrorSuccess)
        freeBytes = 0;
    return code == kErrorSuccess;
}

bool CDriveServices::GetFreeSpaceRetry(const std::string& path, uint64_t& freeBytes)
{
    const std::string root = FirstThreeCharacters(path);
    for (;;) {
        uint32_t code = 0;
        if (GetFreeSpaceCode(root, freeBytes, code))
            return true;
        const std::string lead = m_keys.GetDisplayPath(root) + " の空きﾃﾞｨｽｸ領域が分かりません。";
        if (AfxMessageBox(CSystemErrorText::Message(lead, code), kMbRetryCancel | kMbIconHand) != kIdRetry)
            return false;
    }
}

bool CDriveServices::IsInRecycleFolder(const std::string& path) const
{
    if (m_keys.IsMyComputerKey(path))
        return false;
    std::string rest;
    const std::string root = CFolderKeys::SplitFirst(path, rest);
    if (rest.empty() || !CFolderKeys::IsDriveRoot(root) || !IsFixedDrive(root))
        return false;
    std::string below;
    const std::string first = Utf::ToLowerAscii(CFolderKeys::SplitFirst(rest, below));
    for (const std::string& name : m_recycleFolderNames)
        if (first == Utf::ToLowerAscii(name))
            return true;
    return false;
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
    if (!m_keys.IsOrdinaryFolderPath(path) || !GetFileStatus(path, status))
        return false;
    return ((status.m_attribute & kAttrDirectory) != 0) == bFolder;
}

std::string CDriveServices::GetShellDisplayName(const std::string& path)
{
    return GetPlatform().ShellDisplayNameOf(path);
}

ShellIconId CDriveServices::GetShellSmallIcon(const std::string& path)
{
    return path.empty() ? kNoShellIcon : GetPlatform().ShellSmallIconOf(path);
}
