// Fuzz target: the child-window file "Child Wind " as start-up reads it: the count, then one
// frame record per child window, each followed here by an attempt at the list's column layout
// (which must either be a layout or leave the bytes for the next reader), all from the one open
// store file.
#include <fstream>
#include <string>

#include "FuzzScratchFolder.h"
#include "FuzzSupport.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "app/CChildCount.h"
#include "app/CChildFrameRecord.h"
#include "listpane/CListLayout.h"

namespace {

// The file lives in a folder of this fuzzing process alone, removed when the process exits. The
// current folder stays as it is, since libFuzzer reads its corpus through relative paths.
std::string ChildWindowPath()
{
    static const FuzzScratchFolder folder("child");
    static const std::string path = GetPlatform().WindowsPathOf(folder.Path() / "Child Wind ");
    Require(!path.empty(), "a Windows path for the temporary folder");
    return path;
}

void WriteInput(const CAppSettings& settings, const uint8_t* data, std::size_t size)
{
    std::ofstream out(GetPlatform().NativePath(settings.m_strChildWindowPath), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void ReadLayout(CArchive& ar)
{
    const std::streamoff start = ar.GetReadPosition();
    CListLayout layout;
    if (!layout.Read(ar)) {
        Require(ar.GetReadPosition() == start, "a refused layout leaves the read position");
        return;
    }
    bool seen[CListLayout::kColumns] = {};
    for (const CListLayout::Column& column : layout.m_columns) {
        Require(column.order >= 0 && column.order < CListLayout::kColumns && !seen[column.order], "column order");
        Require(column.width >= 0 && column.width <= CListLayout::kMaxWidth, "column width");
        seen[column.order] = true;
    }
}

void RestoreChildWindows(CAppCore& app)
{
    CAppSettings& settings = app.m_settings;
    CStoreFile& file = settings.m_fileChildWindows;
    Require(settings.OpenStoreFile(file, settings.m_strChildWindowPath, true), "open the child-window file");
    CChildCount count(app);
    settings.SerializeOnFile(file, CArchive::load, count);
    Require(app.m_nChildCount >= 0 && app.m_nChildCount <= CChildCount::kMaxChildWindows, "child count");
    for (int32_t child = 0; child < app.m_nChildCount; ++child) {
        CChildFrameRecord frame;
        settings.SerializeOnFile(file, CArchive::load, frame);
        Require(!frame.HasPlacement() || frame.m_placement.IsUsable(), "child placement");
        Require(!frame.HasTreePane() || frame.m_rcTreePane.IsPlausible(), "tree pane rectangle");
        settings.SerializeOnFile(file, CArchive::load, [](CArchive& ar) { ReadLayout(ar); });
    }
    Require(file.Close(), "close after reading");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    InstallSilentPlatform();
    CAppCore app;
    app.m_settings.m_strChildWindowPath = ChildWindowPath();
    WriteInput(app.m_settings, data, size);
    RestoreChildWindows(app);
    return 0;
}
