// CSortDirection: the rule that turns a repeated or a new sort key into a sort direction.
#pragma once

#include <cstdint>

// Both panes choose the direction of a sort the same way: the first sort of a run inverts the
// current direction, sorting again by the same key toggles it, and a different key starts
// ascending. One instance per process and pane kind remembers the last key; the direction itself
// lives with the caller (the tree's g_nFolderSortDirection, the list's m_bSortAscending), because
// it is stored with the settings while the last key is not.
class CSortDirection {
public:
    // Updates direction (1 ascending, 0 descending) for a sort by key.
    void Choose(int32_t key, int32_t& direction);
    // Starts a new run: the next Choose inverts whatever direction it is given.
    void Forget() { m_bLastKeySet = false; }

private:
    bool m_bLastKeySet = false;
    int32_t m_nLastKey = 0;
};
