// The records of the store files: their exact bytes, their round trips, and what a short or
// damaged file leaves in memory.
#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>

#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "app/CChildCount.h"
#include "app/CChildFrameRecord.h"
#include "app/CMainFrameRecord.h"
#include "app/COnePointState.h"
#include "app/CSearchDialogRecord.h"
#include "app/CToolBarState.h"
#include "app/SortSettings.h"
#include "core/StoreTestSupport.h"

namespace {

// Length, flags, show command, minimised and maximised positions, and the normal rectangle.
CWindowPlacement SamplePlacement() { return {44, 2, 3, {-1, -2}, {-8, -9}, {10, 20, 810, 620}}; }

// A placement's 44 bytes (the sample's unless given) and then the given bytes, as the main-frame and
// child-window records begin.
std::string PlacementThen(const StoredBytes& rest, const CWindowPlacement& placement = SamplePlacement())
{
    StoredBytes bytes;
    bytes.Int(44).Int(static_cast<int32_t>(placement.flags)).Int(static_cast<int32_t>(placement.showCmd));
    bytes.Int(placement.ptMinPosition.x).Int(placement.ptMinPosition.y);
    bytes.Int(placement.ptMaxPosition.x).Int(placement.ptMaxPosition.y);
    const CStoreRect& rect = placement.rcNormalPosition;
    return bytes.Int(rect.left).Int(rect.top).Int(rect.right).Int(rect.bottom).Str() + rest.Str();
}

// The process-wide values start from their initial state in every test.
class MainFrameRecordTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProcessValues(); }
    void TearDown() override { ResetProcessValues(); }
    static void ResetProcessValues()
    {
        g_nFolderSortDirection = 1;
        ListFileSortMode = "B";
    }

    CAppCore app;
    CAppSettings& settings = app.m_settings;
};

}  // namespace

TEST_F(MainFrameRecordTest, DefaultSettingsTake86BytesInTheirOrderAndChangedOnesComeBackInAnotherRun)
{
    CMainFrameRecord record(app);
    record.m_placement = SamplePlacement();
    // Base, folder sort key and direction, file sort mode, refresh on open, size unit, and the
    // five label switches.
    const std::string bytes = Stored(record);
    EXPECT_EQ(bytes, PlacementThen(StoredBytes().Int(1000).Int(0).Int(1).ShortString("B").Int(0).ShortString(" KB")
                                       .Int(0).Int(0).Int(0).Int(0).Int(0)));

    // Changed settings come back in another run.
    settings.m_format.m_nKByte = 1024;
    app.m_nFolderSortKey = kFolderSortByFileCount;
    g_nFolderSortDirection = 0;
    ListFileSortMode = "N";
    app.m_bRefreshOnOpen = 1;
    settings.m_format.m_strSizeUnit = " GB";
    settings.m_bShowLastRead = 1;
    settings.m_bShowFileCount = 1;
    const std::string changed = Stored(record);
    ResetProcessValues();

    CAppCore next;
    CMainFrameRecord read(next);
    Load(read, changed);
    EXPECT_TRUE(read.IsComplete());
    EXPECT_TRUE(read.HasPlacement());
    EXPECT_EQ(Stored(read), changed);  // every value came back
    EXPECT_EQ(next.m_settings.m_format.m_nKByte, 1024);  // stored again from the new run, not the old one
}

TEST_F(MainFrameRecordTest, FileCutShortKeepsWhatWasReadAndValuesTheProgramCannotUseAreSkipped)
{
    const std::string full = PlacementThen(StoredBytes().Int(1024).Int(kFolderSortBySize).Int(0).ShortString("T").Int(1)
                                         .ShortString(" MB").Int(1).Int(1).Int(1).Int(1).Int(1));
    for (std::size_t length = 0; length < full.size(); ++length) {
        ResetProcessValues();
        CAppCore fresh;
        CMainFrameRecord record(fresh);
        Load(record, full.substr(0, length));
        EXPECT_FALSE(record.IsComplete()) << length;
        EXPECT_EQ(record.HasPlacement(), length >= 44) << length;
        EXPECT_EQ(fresh.m_settings.m_format.m_nKByte, length >= 48 ? 1024 : 1000) << length;
        EXPECT_EQ(fresh.m_nFolderSortKey, length >= 52 ? kFolderSortBySize : 0) << length;
        EXPECT_EQ(ListFileSortMode, length >= 58 ? "T" : "B") << length;
        EXPECT_EQ(fresh.m_settings.m_format.m_strSizeUnit, length >= 66 ? " MB" : " KB") << length;
        EXPECT_EQ(fresh.m_settings.m_bShowFolderCount, length >= 82 ? 1 : 0) << length;
    }

    // Bases other than 1000 and 1024, sort keys and file sort modes the program does not know, and
    // units it does not offer leave the values as they were; the record still reads to its end.
    ResetProcessValues();
    struct Case { int32_t base, key; const char *mode, *unit; };
    for (const Case& c : {Case{0, 7, "X", " TB"}, {999, 7, "X", " TB"}, {1023, 7, "X", " TB"}, {4096, 7, "X", " TB"},
                          {-1024, 7, "X", " TB"}, {1024, -3, "", ""}, {1024, -3, "", "KB"}, {1024, -3, "", " kb"},
                          {1024, -3, "", " KB "}, {1024, -3, "", "  b"}}) {
        SCOPED_TRACE(std::to_string(c.base) + " '" + c.unit + "'");
        CMainFrameRecord record(app);
        Load(record, PlacementThen(StoredBytes().Int(c.base).Int(c.key).Int(1).ShortString(c.mode).Int(0)
                                       .ShortString(c.unit).Int(0).Int(0).Int(0).Int(0).Int(0)));
        ASSERT_TRUE(record.IsComplete());
        EXPECT_EQ(settings.m_format.m_nKByte, c.base == 1024 ? 1024 : 1000);
        EXPECT_EQ(app.m_nFolderSortKey, 0);
        EXPECT_EQ(ListFileSortMode, "B");
        EXPECT_EQ(settings.m_format.m_strSizeUnit, " KB");
    }
    // Switches read as zero or one.
    CMainFrameRecord record(app);
    Load(record, PlacementThen(StoredBytes().Int(1000).Int(0).Int(-7).ShortString("B").Int(2).ShortString(" KB")
                            .Int(0x100).Int(0).Int(-1).Int(0).Int(std::numeric_limits<int32_t>::min())));
    EXPECT_EQ(g_nFolderSortDirection, 1);
    EXPECT_EQ(app.m_bRefreshOnOpen, 1);
    EXPECT_EQ(settings.m_bShowModified, 1);
    EXPECT_EQ(settings.m_bShowLastRead, 0);
    EXPECT_EQ(settings.m_bShowCreated, 1);
    EXPECT_EQ(settings.m_bShowFileCount, 1);
}

TEST_F(MainFrameRecordTest, PlacementThatWouldLoseTheWindowIsNotOfferedAndReadingRepairsLengthAndFlags)
{
    const auto placementUsable = [this](const CWindowPlacement& placement) {
        CMainFrameRecord record(app);
        Load(record, PlacementThen(StoredBytes().Int(1024), placement));
        EXPECT_EQ(settings.m_format.m_nKByte, 1024) << "the settings behind are still read";
        settings.m_format.m_nKByte = 1000;
        return record.HasPlacement();
    };
    EXPECT_TRUE(placementUsable(SamplePlacement()));
    // Hidden, an unknown show command, far away, inverted, flat, and maximised far away.
    std::vector<CWindowPlacement> unusable(6, SamplePlacement());
    unusable[0].showCmd = 0;
    unusable[1].showCmd = 12;
    unusable[2].rcNormalPosition.right = 2000000000;
    unusable[3].rcNormalPosition = {500, 500, 100, 100};
    unusable[4].rcNormalPosition.bottom = unusable[4].rcNormalPosition.top;
    unusable[5].ptMaxPosition.x = -40000;
    for (std::size_t i = 0; i < unusable.size(); ++i)
        EXPECT_FALSE(placementUsable(unusable[i])) << i;

    // Reading a placement repairs its length and flags.
    CWindowPlacement placement = SamplePlacement();
    placement.length = 12;
    placement.flags = 0xFFFFFFF1;
    std::stringstream stream(StoredBy([&](CArchive& ar) { EXPECT_TRUE(CAppSettings::SerializePlacement(ar, placement)); }));
    CArchive in(stream, CArchive::load);
    CWindowPlacement read;
    ASSERT_TRUE(CAppSettings::SerializePlacement(in, read));
    EXPECT_EQ(read.length, 44u);
    EXPECT_EQ(read.flags, 1u);
    EXPECT_EQ(read.rcNormalPosition, placement.rcNormalPosition);
    CWindowPlacement untouched = SamplePlacement();
    EXPECT_FALSE(CAppSettings::SerializePlacement(in, untouched)) << "nothing left to read";
    EXPECT_EQ(untouched, SamplePlacement());
}

TEST(ToolBarRecord, SixRectanglesInSlotOrderWithoutSlotFourAndDamagedOnesDockAtTheDefaultPlace)
{
    CToolBarState::DockRects rects;
    for (int slot = 0; slot < CToolBarState::kToolBarSlots; ++slot)
        rects[slot] = {slot * 100, slot, slot * 100 + 90, slot + 30};
    CToolBarState state(rects);
    StoredBytes expected;
    for (const int slot : {0, 1, 2, 3, 5, 6})
        expected.Int(slot * 100).Int(slot).Int(slot * 100 + 90).Int(slot + 30);
    EXPECT_EQ(Stored(state), expected.Str());
    CToolBarState::DockRects read{};
    CToolBarState reader(read);
    Load(reader, expected.Str());
    EXPECT_TRUE(reader.IsComplete());
    EXPECT_EQ(read[6], rects[6]);
    EXPECT_EQ(read[4], CStoreRect()) << "slot 4 has no toolbar";

    // A usable rectangle, one out of reach, an inverted one, and one cut short.
    const StoredBytes damaged = StoredBytes().Int(0).Int(0).Int(300).Int(30).Int(-2000000000).Int(0).Int(10).Int(10)
                                    .Int(50).Int(0).Int(10).Int(30).Int(1).Int(2).Int(3);
    read.fill({1, 1, 2, 2});
    Load(reader, damaged.Str());
    EXPECT_FALSE(reader.IsComplete());
    EXPECT_EQ(read[0], (CStoreRect{0, 0, 300, 30}));
    EXPECT_EQ(read[1], CStoreRect()) << "out of reach";
    EXPECT_EQ(read[2], CStoreRect()) << "inverted";
    EXPECT_EQ(read[3], (CStoreRect{1, 1, 2, 2})) << "cut short: kept as it was";
}

TEST(CountRecords, ChildWindowCountAndTipIndexAreKeptWithinReason)
{
    CAppCore app;
    CChildCount count(app);
    app.m_nChildCount = 0;
    EXPECT_EQ(Stored(count), std::string(4, '\0'));
    for (const auto& [stored, used] : {std::pair{3, 3}, {0, 0}, {-1, 0}, {64, 64}, {65, 64}, {2000000000, 64}}) {
        Load(count, StoredBytes().Int(stored).Str());
        EXPECT_EQ(app.m_nChildCount, used) << stored;
    }
    // A count cut short keeps the value, as every value of the main-frame record does.

    // An index that names no tip loads as none shown.
    COnePointState state;
    EXPECT_EQ(state.m_nIndex, -1);
    for (const auto& [stored, loaded] : {std::pair{0, 0}, {9, 9}, {99, 99}, {100, -1}, {-1, -1}, {-2, -1},
                                         {std::numeric_limits<int32_t>::max(), -1},
                                         {std::numeric_limits<int32_t>::min(), -1}}) {
        Load(state, StoredBytes().Int(stored).Str());
        EXPECT_EQ(state.m_nIndex, loaded) << stored;
    }
    // The index's stored bytes are the tip test's, which reads the file a start writes.
}

TEST(RectangleRecords, ChildFrameIsPlacementAndTreePaneIn60BytesAndTheSearchDialogsIsReadWholeOrNotAtAll)
{
    CChildFrameRecord written;
    written.m_placement = SamplePlacement();
    written.m_rcTreePane = {0, 0, 350, 480};
    const std::string bytes = Stored(written);
    EXPECT_EQ(bytes, PlacementThen(StoredBytes().Int(0).Int(0).Int(350).Int(480)));

    CChildFrameRecord read;
    Load(read, bytes);
    EXPECT_TRUE(read.HasPlacement() && read.HasTreePane());
    EXPECT_EQ(read.m_rcTreePane.right, 350);

    CChildFrameRecord cut;
    Load(cut, bytes.substr(0, 50));
    EXPECT_TRUE(cut.HasPlacement());
    EXPECT_FALSE(cut.HasTreePane());
    EXPECT_EQ(cut.m_rcTreePane, CStoreRect());

    // The search dialog's rectangle is read whole or not at all.
    CSearchDialogRecord dialog;
    dialog.m_rcNormal = {100, 50, 600, 450};
    const std::string rectangle = Stored(dialog);
    EXPECT_EQ(rectangle, StoredBytes().Int(100).Int(50).Int(600).Int(450).Str());
    CSearchDialogRecord dialogRead;
    Load(dialogRead, rectangle);
    EXPECT_TRUE(dialogRead.HasRect());
    EXPECT_EQ(dialogRead.m_rcNormal, dialog.m_rcNormal);
    // A cut, empty or implausible rectangle leaves the record as it was: fuzz_search_dialog's invariant.
}
