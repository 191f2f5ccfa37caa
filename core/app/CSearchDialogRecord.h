// CSearchDialogRecord: the content of the store file "Dilog Find", where the search dialog stands.
#pragma once

#include "app/CStoreRecord.h"
#include "app/CStoreRect.h"

// The search dialog's normal rectangle (16 bytes). The dialog fills m_rcNormal from its placement
// before storing; after loading it puts m_rcNormal into its placement, keeping the placement's
// other fields, when HasRect says that a whole rectangle with an area on the screen was read.
class CSearchDialogRecord : public CStoreRecord {
public:
    bool HasRect() const { return m_bRectLoaded; }

    CStoreRect m_rcNormal;

protected:
    void Store(CArchive& ar) override;
    void Load(CArchive& ar) override;

private:
    bool m_bRectLoaded = false;
};
