// CChildFrameRecord: the child frame's 60-byte piece of a child-window record.
#pragma once

#include "app/CStoreRecord.h"
#include "app/CStoreRect.h"
#include "app/CWindowPlacement.h"

// Each child window stores, in the child-window file, this record followed by the pieces of its
// tree pane and its list pane, each through CAppSettings::SerializeOnFile on the one open file;
// at start-up they are read back in the same order. This record is the frame's placement (44
// bytes) and the normal rectangle of the tree pane relative to the frame (16 bytes), whose width
// sizes the tree pane of every window created later. The child frame fills both before storing;
// after loading it applies each one only when HasPlacement or HasTreePane says that it was read
// and is usable.
class CChildFrameRecord : public CStoreRecord {
public:
    bool HasPlacement() const { return m_bPlacementLoaded; }
    bool HasTreePane() const { return m_bTreePaneLoaded; }

    CWindowPlacement m_placement;
    CStoreRect m_rcTreePane;

protected:
    void Store(CArchive& ar) override;
    void Load(CArchive& ar) override;

private:
    bool m_bPlacementLoaded = false;
    bool m_bTreePaneLoaded = false;
};
