// Fuzz target: the main-frame file "Mn" (placement and settings).
#include "FuzzSupport.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "app/CMainFrameRecord.h"
#include "app/SortSettings.h"

namespace {

void RequireUsableSettings(const CAppCore& app, const CMainFrameRecord& record)
{
    const CAppSettings& settings = app.m_settings;
    Require(settings.m_format.m_nKByte == 1000 || settings.m_format.m_nKByte == 1024, "kilobyte base");
    Require(IsFolderSortKey(app.m_nFolderSortKey), "folder sort key");
    Require(g_nFolderSortDirection == 0 || g_nFolderSortDirection == 1, "folder sort direction");
    Require(IsListFileSortMode(ListFileSortMode), "file-list order");
    Require(app.m_bRefreshOnOpen == 0 || app.m_bRefreshOnOpen == 1, "refresh switch");
    Require(settings.m_format.GetUnitSuffix(settings.m_format.m_strSizeUnit) == settings.m_format.m_strSizeUnit && settings.m_format.m_strSizeUnit != " TB",
            "size unit");
    for (const int32_t flag : {settings.m_bShowModified, settings.m_bShowLastRead, settings.m_bShowCreated,
                               settings.m_bShowFolderCount, settings.m_bShowFileCount})
        Require(flag == 0 || flag == 1, "label switch");
    Require(!record.HasPlacement() || record.m_placement.IsUsable(), "placement");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    g_nFolderSortDirection = 1;
    ListFileSortMode = "B";
    CAppCore app;
    CMainFrameRecord record(app);
    LoadInput(data, size, record);
    RequireUsableSettings(app, record);
    return 0;
}
