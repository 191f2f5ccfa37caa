// Listing a folder or the drives for the file list.
#include "listpane/CFolderListing.h"

#include <cstdint>

#include "CPlatform.h"
#include "app/CAppSettings.h"
#include "fw/CFileFind.h"
#include "services/CDisplayFormat.h"
#include "services/CDriveServices.h"
#include "services/CFileServices.h"

namespace {

constexpr std::size_t kEntriesPerPump = 100;

}  // namespace

CFolderListing::Result CFolderListing::List(const std::string& path, const EntrySink& sink)
{
    const bool bFilesOnly = m_settings.m_keys.IsFileOnlyFolder(path);
    const std::string folder = bFilesOnly ? m_settings.m_keys.GetParentKey(path) : path;
    CFileFind finder;
    if (!m_settings.m_walk.FindFileRetry(finder, folder))
        return Result::Unreadable;
    std::size_t delivered = 0;
    std::size_t pumpedAt = SIZE_MAX;
    bool bMore = true;
    while (bMore) {
        bMore = finder.FindNextFile();
        if (finder.IsDots() || (bFilesOnly && finder.IsDirectory()))
            continue;
        if (delivered % kEntriesPerPump == 0 && pumpedAt != delivered) {
            pumpedAt = delivered;
            if (!m_settings.m_walk.PumpAndCheckStop())
                return Result::Stopped;
        }
        std::string name = finder.GetFileName();
        CDisplayFormat::NormalizeNameCase(name);
        Entry entry = MakeEntry(CFolderKeys::JoinPath(folder, finder.GetFileName()), std::move(name),
                                finder.GetEntry());
        if (!sink(entry))
            break;
        ++delivered;
    }
    return Result::Listed;
}

void CFolderListing::ListDrives(const EntrySink& sink)
{
    for (std::string root : GetPlatform().ListDriveRoots()) {
        root[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
        Entry entry;
        entry.path = root;
        entry.name = CDriveServices::GetShellDisplayName(root);
        entry.attr = static_cast<uint8_t>(kAttrDirectory);
        if (!sink(entry))
            return;
    }
}

bool CFolderListing::ReadEntry(const std::string& path, Entry& entry)
{
    CFindEntry found;
    if (!GetPlatform().GetFileStatus(path, found))
        return false;
    std::string name;
    CFolderKeys::SplitPath(path, name);
    CDisplayFormat::NormalizeNameCase(name);
    entry = MakeEntry(path, std::move(name), found);
    return true;
}

CFolderListing::Entry CFolderListing::MakeEntry(const std::string& path, std::string name, const CFindEntry& found)
{
    Entry entry;
    entry.path = path;
    entry.name = std::move(name);
    entry.attr = CFileServices::GetFindAttributes(found);
    entry.info.m_nSize = found.IsDirectory() ? 0 : found.size;
    entry.info.m_tModified = CTime::FromUnixSeconds(found.modified);
    entry.info.m_tAccessed = CTime::FromUnixSeconds(found.accessed);
    entry.info.m_tCreated = CTime::FromUnixSeconds(found.created);
    return entry;
}
