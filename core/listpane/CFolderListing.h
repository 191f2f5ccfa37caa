// CFolderListing: the entries of one folder, or the drives, as rows of the file list.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "folderdata/CSizeInfo.h"

class CAppSettings;
struct CFindEntry;

// The list asks for a folder's entries and inserts one row per entry as it comes. Listing a
// folder's file-only virtual folder lists the folder's files and none of its sub-folders. Before
// every hundredth entry (the first included) waiting window messages are let through, so the
// window stays responsive during a long listing; a command that stops walks (a new selection,
// the aggregate command) stops the listing there, and the entries delivered so far stay. A folder
// that cannot be opened has already been reported by the walk's Retry/Cancel box and its error
// code left with the program for the title. Names are shown with NormalizeNameCase; the size,
// times and attributes come with the listing itself, in 64 bits.
class CFolderListing {
public:
    struct Entry {
        std::string path;
        std::string name;  // what column 0 shows
        uint8_t attr = 0;  // read-only, hidden, system, folder and archive bits only
        CSizeInfo info;    // the entry's own size and times, counts 0
    };
    enum class Result { Listed, Unreadable, Stopped };
    // Takes an entry; false stops the listing (the row could not be made).
    using EntrySink = std::function<bool(Entry&)>;

    // construction
    explicit CFolderListing(CAppSettings& settings) : m_settings(settings) {}

    // operations
    Result List(const std::string& path, const EntrySink& sink);
    // One row per drive with the shell's name for it, folders without dates.
    void ListDrives(const EntrySink& sink);
    // An entry made from what the file system says of path now; false when it says nothing.
    static bool ReadEntry(const std::string& path, Entry& entry);
    static Entry MakeEntry(const std::string& path, std::string name, const CFindEntry& found);

private:
    CAppSettings& m_settings;
};
