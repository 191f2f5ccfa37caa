// CFolderOrder: the order of the sub-folders of one tree level by a folder sort key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "folderdata/CSizeInfo.h"

class CAppCore;
class CSortDirection;

// The tree sorts the children of one item at a time. The tree view hands the children's keys,
// display names and stored totals to Order (or compares two of them with Compare from the tree
// control's sort callback) and moves its items into the order it gets back. A folder that was
// never aggregated has zero totals and so sorts as size 0, no folders, no files and no dates.
//
// Keys are those of the sort commands (FolderSortKey); names compare without regard to the case
// of A to Z, and drive roots by their letter whatever the shell calls them. SelectKey carries out
// the choice of a sort command: it records the key in the application and sets the process-wide
// direction g_nFolderSortDirection by the direction rule, so every window sorts the same way; the
// view then sorts the selected item's children and clears m_bWalkRunning, which stops a walk.
class CFolderOrder {
public:
    struct Item {
        std::string path;  // folder key
        std::string name;  // display name
        CSizeInfo totals;  // zero when never aggregated
    };

    // -1 when a goes first, 1 when b does, 0 when they tie or the key is not a folder sort key.
    static int Compare(int32_t key, bool ascending, const Item& a, const Item& b);
    // The positions of the items in their sorted order; items that tie keep their order.
    static std::vector<std::size_t> Order(const std::vector<Item>& items, int32_t key, bool ascending);
    // Makes key the application's folder sort key and chooses the direction for it; returns true
    // when the sort that follows is ascending.
    static bool SelectKey(CAppCore& app, int32_t key);
    // The rule behind SelectKey, one for the process: its last key is forgotten only at exit.
    static CSortDirection& DirectionRule();

private:
    static std::string NameKeyOf(const Item& item);
    static uint64_t CountKeyOf(int32_t count);
};
