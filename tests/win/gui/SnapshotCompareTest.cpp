// Compare with a saved "Dir Info": the tree's marks, the summary form's top ten, an unfit file.
#include <filesystem>
#include <map>

#include "GuiTestSupport.h"
#include "app/CAppSettings.h"
#include "dialogs/CCompareSummaryDlg.h"

namespace fs = std::filesystem;
const std::string kWideName = "\xED\x95\x9C\xEA\xB8\x80";  // 한글: not in code page 932

// Saved, then: a file grows, a folder is added, one removed, one renamed, a file grows in a folder
// named outside code page 932, a 5 GiB sparse file appears.
TEST_F(GuiTest, SnapshotCompareMarksTheTreeAsAWindowCompareAndListsTheBiggestChanges)
{
    const fs::path root = fs::current_path() / "t";
    WriteDated(root / "grow" / "f", 100, 12);
    WriteDated(root / "gone" / "sub" / "f", 20, 12);
    WriteDated(root / "keep" / "f", 5, 12);
    WriteDated(root / "r.txt", 5, 12);
    WriteDated(root / fs::u8path(kWideName) / "f", 1, 12);
    fs::create_directories(root / "old");
    fs::create_directories(root / "big");
    const std::string key = KeyOf(root);
    ProgramRun run;
    CLeftView& tree = TreeOf(run.Children()[0]);
    ASSERT_TRUE(Show(tree, key));
    run.Command(ID_AGGREGATE);
    run.Command(ID_SAVE_FOLDERINFO);

    WriteDated(root / "grow" / "f", 150, 13);
    fs::remove_all(root / "gone");
    fs::rename(root / "old", root / "renamed");
    WriteDated(root / "added" / "in" / "f", 7, 12);
    WriteDated(root / fs::u8path(kWideName) / "f", 4, 13);
    WriteLongFile(root / "big" / "sparse", 5LL << 30);
    SetModified(root / "big" / "sparse", 2021, 3, 4, 13, 0);
    run.Command(ID_REFRESH);
    TreeView_Expand(tree.m_hWnd, tree.FindItem(key), TVE_EXPAND);
    ProgramRun::Pump();
    EXPECT_TRUE(run.MenuItem(ID_COMPARE_SNAPSHOT).enabled);
    const std::string file = run.App().m_settings.m_strFolderInfoPath;
    ASSERT_TRUE(tree.CompareWithSnapshot(file));

    const struct {
        const char* name;
        int image;
        const char* letters;
    } marks[] = {{"", 5, "SUF"}, {"grow", 5, "SU"}, {"big", 5, "SUF"}, {"added", 5, "N"}, {"renamed", 5, "N"},
                 {"keep", 2, ""}};
    for (const auto& mark : marks) {
        const std::string path = *mark.name ? key + "\\" + mark.name : key;
        SCOPED_TRACE(path);
        EXPECT_EQ(TreeImage(tree, path), mark.image);
        const std::string label = TreeLabel(tree, path);
        EXPECT_EQ(label.substr(label.find_first_not_of('.'), label.find('>') - label.find_first_not_of('.')),
                  mark.image == 5 ? mark.letters : "");
    }
    EXPECT_EQ(TreeLabel(tree, key + "\\" + kWideName), kWideName);  // in no snapshot: not compared
    // the list: folder rows as the tree, file rows empty
    const std::map<std::string, std::string> rowMarks = {{"grow", "SU"}, {"big", "SUF"}, {"added", "N"}, {"renamed", "N"}};
    CEView& list = ListOf(run.Children()[0]);
    for (int row = 0; row < list.GetRowCount(); ++row) {
        const std::string name = FromWide(list.GetCellText(row, 0));
        const auto found = rowMarks.find(name);
        EXPECT_EQ(FromWide(list.GetCellText(row, 2)), found == rowMarks.end() ? "" : found->second) << name;
    }

    // counts: 6 folders asked (not added\in, inside a new one); 2 gone; sizes in KB of 1,000 bytes
    const HWND hForm = tree.GetCompareSummary()->m_hWnd;
    ASSERT_TRUE(IsWindowVisible(hForm));
    EXPECT_EQ(TextsOf(hForm, {IDC_COMPARE_COUNT_N, IDC_COMPARE_COUNT_S, IDC_COMPARE_COUNT_U, IDC_COMPARE_COUNT_D,
                              IDC_COMPARE_COUNT_F, IDC_COMPARE_TOTAL, IDC_COMPARE_OBJECTS, IDC_SNAPSHOT_GONE}),
              (std::vector<std::string>{"2", "3", "3", "0", "2", "10", "6", "2"}));
    const std::vector<std::pair<std::string, std::string>> top = {
        {"+5,368,710 KB", "t"},        {"+5,368,710 KB", "big"},        {"+1 KB", "grow"},
        {"\xE2\x88\x92" "1 KB", "[無し] gone"}, {"+1 KB", "[新規] added"}, {"+0 KB", "[無し] old"},
        {"+0 KB", "[新規] renamed"},   {"", ""}};
    for (std::size_t i = 0; i < top.size(); ++i) {
        EXPECT_EQ(TextOf(GetDlgItem(hForm, IDC_SNAPSHOT_SIZE_FIRST + static_cast<int>(i))), top[i].first) << i;
        EXPECT_EQ(TextOf(GetDlgItem(hForm, IDC_SNAPSHOT_PATH_FIRST + static_cast<int>(i))), top[i].second) << i;
    }
    ProgramRun::Pump();

    run.Command(ID_ICON_RESET);
    EXPECT_EQ(TreeImage(tree, key + "\\grow"), 2);
    // a foreign file: one message, nothing changed
    const std::string label = TreeLabel(tree, key + "\\grow");
    WriteFile(fs::current_path() / "foreign", 10);
    m_platform.m_texts.clear();
    EXPECT_FALSE(tree.CompareWithSnapshot("foreign"));
    EXPECT_EQ(m_platform.m_texts.size(), 1u);
    EXPECT_EQ(TreeLabel(tree, key + "\\grow"), label);
    EXPECT_EQ(TreeImage(tree, key + "\\grow"), 2);
}
