// CChildCount: the number of child windows at the head of the store file "Child Wind ".
#pragma once

#include <cstdint>

#include "app/CStoreRecord.h"

class CAppCore;

// Works on the application's m_nChildCount: storing writes it, loading replaces it, and start-up
// then creates that many child windows. A damaged file could hold any number, so a count read is
// kept between 0 and kMaxChildWindows; more windows than that were never saved by a person, and
// each one costs a tree and a list.
class CChildCount : public CStoreRecord {
public:
    static constexpr int32_t kMaxChildWindows = 64;

    explicit CChildCount(CAppCore& app) : m_app(app) {}

protected:
    void Store(CArchive& ar) override;
    void Load(CArchive& ar) override;

private:
    CAppCore& m_app;
};
