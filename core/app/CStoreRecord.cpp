// Loading records as far as their file allows.
#include "app/CStoreRecord.h"

#include "fw/CArchive.h"

void CStoreRecord::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        Store(ar);
        return;
    }
    m_bComplete = false;
    try {
        Load(ar);
        m_bComplete = true;
    } catch (const CArchiveException&) {
        // A short or damaged store file only costs the values behind the damage.
    }
}
