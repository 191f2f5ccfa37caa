// CStoreRecord: the base of the objects that the store files hold.
#pragma once

#include "fw/CObject.h"

class CArchive;

// A record writes itself whole, and reads itself as far as the file allows: each value is checked
// and replaces the one in memory as it is read, so a file that ends early or holds damage leaves
// the values read before it and the defaults after it, and start-up goes on. Loading therefore
// never throws; IsComplete tells whether the last load reached the end of the record. Storing
// lets CFileException through, so that the caller learns that the file is not good.
//
// Derived classes implement Store and Load; callers use Serialize, as with the framework's
// objects, usually through CAppSettings::SerializeToFile or SerializeOnFile.
class CStoreRecord : public CObject {
public:
    void Serialize(CArchive& ar);
    bool IsComplete() const { return m_bComplete; }

protected:
    virtual void Store(CArchive& ar) = 0;
    // May throw CArchiveException when the archive ends early; what it applied before stays.
    virtual void Load(CArchive& ar) = 0;

private:
    bool m_bComplete = false;
};
