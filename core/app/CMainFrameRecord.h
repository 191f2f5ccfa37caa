// CMainFrameRecord: the content of the store file "Mn", the main frame's placement and the settings.
#pragma once

#include "app/CStoreRecord.h"
#include "app/CWindowPlacement.h"

class CAppCore;

// The main frame's Serialize fills m_placement from its window and stores this record, or loads
// it and applies m_placement when HasPlacement() says a usable one was read. The record writes,
// after the placement, the kilobyte base, the folder sort key and direction, the file-list order,
// the refresh-on-open switch, the size unit and the five switches of the folder labels (86 bytes
// with the initial settings), taking them from the application and the process-wide values, and
// puts them back there on loading. A value read that the program could not use (a base other
// than 1,000 or 1,024, an unknown unit, sort key or order) is skipped and the setting keeps its
// value; switches read as anything but 0 count as on.
class CMainFrameRecord : public CStoreRecord {
public:
    explicit CMainFrameRecord(CAppCore& app) : m_app(app) {}

    bool HasPlacement() const { return m_bPlacementLoaded; }

    CWindowPlacement m_placement;

protected:
    void Store(CArchive& ar) override;
    void Load(CArchive& ar) override;

private:
    void LoadSortSettings(CArchive& ar);
    void LoadDisplaySettings(CArchive& ar);

    CAppCore& m_app;
    bool m_bPlacementLoaded = false;
};
