// Reading and writing the main-frame record.
#include "app/CMainFrameRecord.h"

#include <string>

#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "app/SortSettings.h"
#include "fw/CArchive.h"

namespace {

int32_t ReadInt(CArchive& ar)
{
    int32_t value = 0;
    ar >> value;
    return value;
}

std::string ReadString(CArchive& ar)
{
    std::string text;
    ar >> text;
    return text;
}

// The switches are toggled by their commands, which expect exactly 0 or 1.
int32_t ReadSwitch(CArchive& ar)
{
    return ReadInt(ar) != 0 ? 1 : 0;
}

bool IsKiloByteBase(int32_t base)
{
    return base == 1000 || base == 1024;
}

bool IsSizeUnit(const CAppSettings& settings, const std::string& unit)
{
    return unit == settings.m_format.m_strUnitB || unit == settings.m_format.m_strUnitKB || unit == settings.m_format.m_strUnitMB ||
           unit == settings.m_format.m_strUnitGB;
}

}  // namespace

void CMainFrameRecord::Store(CArchive& ar)
{
    const CAppSettings& settings = m_app.m_settings;
    m_placement.Write(ar);
    ar << settings.m_format.m_nKByte << m_app.m_nFolderSortKey << g_nFolderSortDirection << ListFileSortMode
       << m_app.m_bRefreshOnOpen << settings.m_format.m_strSizeUnit;
    ar << settings.m_bShowModified << settings.m_bShowLastRead << settings.m_bShowCreated
       << settings.m_bShowFolderCount << settings.m_bShowFileCount;
}

void CMainFrameRecord::Load(CArchive& ar)
{
    m_bPlacementLoaded = false;
    m_bPlacementLoaded = m_placement.ReadIfUsable(ar);
    LoadSortSettings(ar);
    LoadDisplaySettings(ar);
}

void CMainFrameRecord::LoadSortSettings(CArchive& ar)
{
    CAppSettings& settings = m_app.m_settings;
    if (const int32_t base = ReadInt(ar); IsKiloByteBase(base))
        settings.m_format.m_nKByte = base;
    if (const int32_t key = ReadInt(ar); IsFolderSortKey(key))
        m_app.m_nFolderSortKey = key;
    g_nFolderSortDirection = ReadSwitch(ar);
    if (const std::string mode = ReadString(ar); IsListFileSortMode(mode))
        ListFileSortMode = mode;
    m_app.m_bRefreshOnOpen = ReadSwitch(ar);
}

void CMainFrameRecord::LoadDisplaySettings(CArchive& ar)
{
    CAppSettings& settings = m_app.m_settings;
    if (const std::string unit = ReadString(ar); IsSizeUnit(settings, unit))
        settings.m_format.m_strSizeUnit = unit;
    settings.m_bShowModified = ReadSwitch(ar);
    settings.m_bShowLastRead = ReadSwitch(ar);
    settings.m_bShowCreated = ReadSwitch(ar);
    settings.m_bShowFolderCount = ReadSwitch(ar);
    settings.m_bShowFileCount = ReadSwitch(ar);
}
