// CUpdateHint: the arguments that travel with every numbered update between panes and windows.
#pragma once

#include <string>

#include "folderdata/CSizeInfo.h"
#include "fw/CObject.h"

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
