// The document's copy with the real shell and the copy confirmation answered as a user answers
// it: what is copied and what stays on the clipboard. (Moves and deletes: FileCommandTest.)
#include <filesystem>

#include "FileSnapshot.h"
#include "GuiTestSupport.h"
#include "app/CAppSettings.h"

namespace {

namespace fs = std::filesystem;

class DocumentFileOperationTest : public GuiTest {
protected:
    // src: "a ソ.txt", "same 表.txt" (as old as its namesake in dst, other bytes), "😀 한국어\x.txt";
    // dst: "same 表.txt".
    void MakeTree()
    {
        WriteAgedFile(fs::u8path("src/a ソ.txt"), "alpha", 30);
        WriteAgedFile(fs::u8path("src/same 表.txt"), "source", 20);
        WriteAgedFile(fs::u8path("src/😀 한국어/x.txt"), "inner", 10);
        WriteAgedFile(fs::u8path("dst/same 表.txt"), "target", 20);
    }
    CPathList Entries(std::initializer_list<const char*> names)
    {
        CPathList list;
        for (const char* name : names) {
            const fs::path path = fs::u8path(std::string("src/") + name);
            list.Add(KeyOf(path), fs::is_directory(path) ? kAttrDirectory : kAttrArchive);
        }
        return list;
    }
};

}  // namespace

TEST_F(DocumentFileOperationTest, CopyAsksFirstWithTheBoxTickedEveryTimeAndNoCloseOrEscCopyNothing)
{
    MakeTree();
    ProgramRun run;
    CEDoc& doc = DocOf(run.Children()[0]);
    CPathList& clip = doc.GetClipList();
    clip = Entries({"a ソ.txt", "same 表.txt", "😀 한국어"});
    doc.m_strPasteDest = KeyOf("dst");
    const FileSnapshot before = SnapshotOf(".");

    DialogAnswerer answerer;
    for (const int refusal : {IDCANCEL, DialogAnswerer::kCloseBox, DialogAnswerer::kEscape}) {
        answerer.Expect(kCopyCaption, refusal);
        doc.RunFileOperation(clip, kFoCopy);
        EXPECT_EQ(SnapshotOf("."), before) << refusal;
        EXPECT_EQ(clip.size(), 3u) << refusal;
    }

    // Yes with the box ticked: the file of the same time stays as it is and leaves the clipboard.
    answerer.Expect(kCopyCaption, IDOK);
    doc.RunFileOperation(clip, kFoCopy);
    FileSnapshot after = SnapshotOf(".");
    EXPECT_EQ(after["dst/a ソ.txt"], before.at("src/a ソ.txt"));
    EXPECT_EQ(after["dst/same 表.txt"], before.at("dst/same 表.txt"));
    EXPECT_EQ(Below(after, "dst/😀 한국어"), Below(before, "src/😀 한국어"));
    EXPECT_EQ(Below(after, "src"), Below(before, "src"));
    ASSERT_EQ(clip.size(), 2u);
    EXPECT_EQ(clip[1].path, KeyOf(fs::u8path("src/😀 한국어")));

    // The box cleared: everything is copied again, the shell asking before it overwrites.
    clip = Entries({"same 表.txt"});
    answerer.Expect(kCopyCaption, IDOK, DialogAnswerer::ClickSkipBox);
    answerer.Expect(kOverwriteCaption, IDYES);
    doc.RunFileOperation(clip, kFoCopy);
    EXPECT_EQ(SnapshotOf(".")["dst/same 表.txt"], before.at("src/same 表.txt"));
    EXPECT_EQ(clip.size(), 1u);
    EXPECT_EQ(answerer.m_seen, (std::vector<std::string>{
                                   std::string(kCopyCaption) + " [x]", std::string(kCopyCaption) + " [x]",
                                   std::string(kCopyCaption) + " [x]", std::string(kCopyCaption) + " [x]",
                                   std::string(kCopyCaption) + " [x]", kOverwriteCaption}));
}
