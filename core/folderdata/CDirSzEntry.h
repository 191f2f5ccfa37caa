// CDirSzEntry: the stored totals of one folder.
#pragma once

#include <string>

#include "folderdata/CSizeInfo.h"

class CArchive;

// One record of the folder list: the folder's key (a drive root such as "C:\", a full path
// without trailing backslash, or the whole-computer key), the totals of everything below it and
// the totals of the files lying directly in it. The list owns its entries.
class CDirSzEntry {
public:
    CDirSzEntry() = default;
    CDirSzEntry(const std::string& key, const CSizeInfo& total, const CSizeInfo& direct);

    std::string GetPath() const { return m_strPath; }
    void SetPath(const std::string& key) { m_strPath = key; }
    CSizeInfo GetTotal() const { return m_total; }
    CSizeInfo GetDirect() const { return m_direct; }
    void SetTotal(const CSizeInfo& total) { m_total = total; }
    void SetDirect(const CSizeInfo& direct) { m_direct = direct; }

    // Key, total record, direct record. A read that fails is reported to the user once.
    void Serialize(CArchive& ar) { (void)SerializeOk(ar); }
    // Serialize, telling whether it succeeded: a failed read leaves the record as it was, which
    // tells the list to stop loading.
    bool SerializeOk(CArchive& ar);

    std::string m_strPath;
    CSizeInfo m_total;
    CSizeInfo m_direct;
};

// The message a failed read shows: which file, and the archive's cause code.
std::string FormatSerializeError(const std::string& what, const std::string& filePath, int cause);
