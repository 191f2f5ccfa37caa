// COnePointState: the content of the store file "One Point Number", the last start-up tip shown.
#pragma once

#include <cstdint>

#include "app/CStoreRecord.h"

// m_nIndex is the index of the tip that was on screen when the tip box last closed, or -1 when no
// tip has been shown. A number read outside -1..kLastIndex cannot name a tip and loads as -1, so
// that the next start begins the cycle again with the first tip.
class COnePointState : public CStoreRecord {
public:
    static constexpr int32_t kLastIndex = 99;

    int32_t m_nIndex = -1;

protected:
    void Store(CArchive& ar) override;
    void Load(CArchive& ar) override;
};
