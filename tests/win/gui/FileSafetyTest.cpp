// What Wine's shell gets wrong, met with the real shell: a folder pasted onto a file, a move that
// does nothing, and a permanent delete through a link to a folder.
#include <filesystem>

#include "FileSnapshot.h"
#include "GuiTestSupport.h"
#include "CWineUnix.h"
#include "app/CAppSettings.h"

namespace fs = std::filesystem;
using FileSafetyTest = GuiTest;

// Under Wine the shell would delete the file "X" and put the folder in its place; two files moved
// onto files would stay where they are without a word; one file it would move over its namesake
// without the question Windows asks, which the program asks instead.
TEST_F(FileSafetyTest, AFolderCutOntoAFileAMoveThatDoesNothingAndAReplaceDeclinedChangeNothingAndKeepTheClipboard)
{
    WriteAgedFile("src/X/inner ソ", "inner", 30);
    WriteAgedFile("dst/X", "the file", 20);
    for (const char* name : {"a 😀", "b"}) {
        WriteAgedFile(std::string("src/") + name, "new", 10);
        WriteAgedFile(std::string("dst/") + name, "old", 40);
    }
    ProgramRun run;
    CEDoc& doc = DocOf(run.Children()[0]);
    CPathList& clip = doc.GetClipList();
    const FileSnapshot before = SnapshotOf(".");
    const struct {
        std::vector<const char*> sources;
        uint8_t attr;
        const char* message;  // in the last box
        int answer;           // to the first box
    } cases[] = {
        {{"src/X"}, kAttrDirectory, "同じ名前のファイルが あるため、フォルダ ", kIdOk},
        {{"src/a 😀", "src/b"}, kAttrArchive, "次の 2 件を 移動できませんでした。", kIdYes},
        {{"src/b"}, kAttrArchive, "dst\\b\n\nこれらの ファイルを 置き換えますか？", kIdNo},
    };
    for (const auto& c : cases) {
        m_platform.m_texts.clear();
        m_platform.m_answers = {c.answer};
        clip.Clear();
        for (const char* source : c.sources)
            clip.Add(KeyOf(fs::u8path(source)), c.attr);
        doc.SetCutPending(true);
        doc.m_strPasteDest = KeyOf("dst");
        doc.RunFileOperation(clip, kFoMove);
        EXPECT_EQ(SnapshotOf("."), before) << c.message;
        ASSERT_FALSE(m_platform.m_texts.empty()) << c.message;
        EXPECT_NE(m_platform.m_texts.back().find(c.message), std::string::npos) << m_platform.m_texts.back();
        EXPECT_EQ(clip.size(), c.sources.size()) << c.message;
        EXPECT_TRUE(doc.IsCutPending()) << c.message;
    }
    m_platform.m_texts.clear();
    doc.RunFileOperation(clip, kFoMove);  // Yes this time
    EXPECT_EQ(m_platform.m_texts.size(), 1u);
    FileSnapshot after = before;
    after["dst/b"] = after.extract("src/b").mapped();
    EXPECT_EQ(SnapshotOf("."), after);
}

// (A name ending in a dot is refused before the shell is asked: the file safety rules' own test.)
TEST_F(FileSafetyTest, APermanentDeleteRemovesALinkNotItsFolder)
{
    WriteAgedFile("keep/inside", "kept", 30);
    WriteAgedFile("gone/sub/file", "x", 20);
    // A Unix symbolic link, as programs outside Windows leave them; Wine's CreateSymbolicLinkW makes none.
    ASSERT_TRUE(CWineUnix::Run("/bin/ln", {"-s"}, {fs::absolute("keep").wstring(), fs::absolute("gone/sub/link").wstring()}));
    ASSERT_TRUE(fs::exists("gone/sub/link/inside"));
    ProgramRun run;
    CEDoc& doc = DocOf(run.Children()[0]);
    const FileSnapshot before = SnapshotOf("keep");
    CPathList list;
    list.Add(KeyOf("gone"), kAttrDirectory);
    EXPECT_TRUE(doc.GetSettings().m_files.DeletePermanently(list));
    EXPECT_FALSE(fs::exists("gone"));
    EXPECT_EQ(SnapshotOf("keep"), before);
}
