// Folders listed once and looked up by name.
#include "services/CFolderIndex.h"

#include "folderdata/CFolderKeys.h"
#include "folderdata/CFolderWalk.h"
#include "text/Utf.h"

const CFindEntry* CFolderIndex::Find(const std::string& path)
{
    std::string name;
    const Folder& folder = Listed(CFolderKeys::SplitPath(path, name));
    if (const auto exact = folder.byName.find(name); exact != folder.byName.end())
        return &folder.entries[exact->second];
    const auto other = folder.byLowerName.find(Utf::ToLowerAscii(name));
    return other == folder.byLowerName.end() ? nullptr : &folder.entries[other->second];
}

const std::vector<CFindEntry>& CFolderIndex::EntriesOf(const std::string& folder)
{
    return Listed(folder).entries;
}

CFolderIndex::Folder& CFolderIndex::Listed(const std::string& path)
{
    auto [slot, bNew] = m_folders.try_emplace(path);
    Folder& folder = slot->second;
    if (!bNew)
        return folder;
    std::unique_ptr<CFindHandle> handle;
    CFindEntry entry;
    if (GetPlatform().FindFirst(CFolderWalk::MakeFindPattern(path), handle, entry) != kErrorSuccess)
        return folder;
    do {
        if (entry.name == "." || entry.name == "..")
            continue;
        folder.byName.emplace(entry.name, folder.entries.size());
        folder.byLowerName.emplace(Utf::ToLowerAscii(entry.name), folder.entries.size());
        folder.entries.push_back(std::move(entry));
    } while (handle && handle->Next(entry));
    return folder;
}
