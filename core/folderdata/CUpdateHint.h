// CUpdateHint: the arguments that travel with every numbered update between panes and windows.
#pragma once

#include <string>

#include "folderdata/CSizeInfo.h"
#include "fw/CObject.h"

// The update codes a document sends to its own views and, through the application, to every other
// document. A receiver that has no reaction to a code ignores it.
enum : int {
    kHintExpanded = 0,            // the tree opened a level (list only)
    kHintFilesOperated = 1,       // a move, copy or delete finished
    kHintCompareRow = 3,          // a row was selected in compare mode
    kHintCompareFolder = 4,       // compare walk: compare your counterpart folder
    kHintLinkageQuery = 6,        // may linkage be switched on? (the answer goes back in m_nParam2)
    kHintArrange = 7,             // windows were arranged: scroll the selection into view
    kHintFilesChanged = 8,        // files below the hint's paths changed
    kHintFolderCreated = 0x20,    // a new folder
    kHintRenamed = 0x100,         // m_strOldPath is now m_strPath
    kHintShowFolder = 0x200,      // show and select the hint's path
    kHintRefresh = 0x300,         // refill from the disk
    kHintAggregated = 0x2000,     // totals were stored
    kHintCompareStart = 0x9000,   // compare mode: start from the selection
    kHintCompareList = 0xA000,    // a list's compare pass asks for answers
    kHintLinkageChanged = 0xB000, // linkage was switched on or off
    kHintLinkedSelection = 0xC000,// a linked window selected a folder
    kHintCompareFile = 0xE000,    // compare walk: compare your counterpart file
};

// The sender of an update builds one on the stack, fills what the update code needs and passes it
// through UpdateAllViews and UpdateAllDocuments. A receiving view copies it on entry; the copy
// leaves out m_nParam2, the answer flag of the linkage query (code 6), so that a receiver never
// takes over an answer meant for the sender.
class CUpdateHint : public CObject {
public:
    // construction
    CUpdateHint() = default;
    CUpdateHint(const CUpdateHint& other) { CopyFrom(other); }
    CUpdateHint& operator=(const CUpdateHint& other)
    {
        CopyFrom(other);
        return *this;
    }

    // operations
    // Back to the presets: empty paths, code 0, cleared totals, m_nParam1 0, m_nParam2 1.
    void Reset();

    std::string m_strOldPath;
    std::string m_strPath;
    int m_nCode = 0;
    CSizeInfo m_info;
    int m_nParam1 = 0;
    int m_nParam2 = 1;

private:
    void CopyFrom(const CUpdateHint& other);
};
