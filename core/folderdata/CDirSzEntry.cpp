// Reading and writing one folder record.
#include "folderdata/CDirSzEntry.h"

#include <cstdio>

#include "fw/AfxMessageBox.h"
#include "fw/CArchive.h"

CDirSzEntry::CDirSzEntry(const std::string& key, const CSizeInfo& total, const CSizeInfo& direct)
    : m_strPath(key), m_total(total), m_direct(direct)
{
}

std::string FormatSerializeError(const std::string& what, const std::string& filePath, int cause)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%x", static_cast<unsigned>(cause));
    return what + "\n\nfile name ： \n" + filePath + "\n\nerror code ： " + code;
}

bool CDirSzEntry::SerializeOk(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_strPath;
        m_total.Serialize(ar);
        m_direct.Serialize(ar);
        return true;
    }
    try {
        std::string key;
        CSizeInfo total, direct;
        ar >> key;
        total.Serialize(ar);
        direct.Serialize(ar);
        *this = CDirSzEntry(key, total, direct);
        return true;
    } catch (const CArchiveException& e) {
        AfxMessageBox(FormatSerializeError("Error on Serialize(CDirSzEntry).", ar.GetFilePath(), e.m_cause));
        return false;
    }
}
