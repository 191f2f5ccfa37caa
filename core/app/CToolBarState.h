// CToolBarState: the content of the store file "Tool Bar", where the main frame's toolbars stand.
#pragma once

#include <array>

#include "app/CStoreRecord.h"
#include "app/CStoreRect.h"

// Works on the main frame's seven dock rectangles (index 4 has no toolbar and is never stored).
// Before storing, the frame puts each toolbar's screen rectangle into the array; after loading,
// it docks each toolbar at its rectangle, or at the default place when the rectangle is empty.
// A rectangle read that could not be on any screen is loaded as empty, so that its toolbar still
// appears. Six rectangles, 96 bytes.
class CToolBarState : public CStoreRecord {
public:
    static constexpr int kToolBarSlots = 7;
    using DockRects = std::array<CStoreRect, kToolBarSlots>;

    explicit CToolBarState(DockRects& dockRects) : m_dockRects(dockRects) {}

protected:
    void Store(CArchive& ar) override;
    void Load(CArchive& ar) override;

private:
    static constexpr std::array<int, 6> kStoredSlots = {0, 1, 2, 3, 5, 6};

    DockRects& m_dockRects;
};
