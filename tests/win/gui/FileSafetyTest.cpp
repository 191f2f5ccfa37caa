// What Wine's shell gets wrong, met with the real shell: a folder pasted onto a file, a move that
// does nothing, a name ending in a dot, and a permanent delete through a link to a folder.
#include <filesystem>

#include "FileSnapshot.h"
#include "GuiTestSupport.h"
#include "app/CAppSettings.h"

namespace {

namespace fs = std::filesystem;

// A Unix symbolic link, as programs outside Windows leave them; only a Unix program makes one.
void MakeUnixLink(const fs::path& target, const fs::path& link)
{
    using UnixNameOf = char*(__cdecl*)(const wchar_t*);
    using SpawnUnix = LONG(__cdecl*)(char* const*, int);
    const auto unixNameOf = reinterpret_cast<UnixNameOf>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    const auto spawnUnix = reinterpret_cast<SpawnUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "__wine_unix_spawnvp")));
    ASSERT_TRUE(unixNameOf && spawnUnix);
    char* from = unixNameOf(fs::absolute(target).wstring().c_str());
    char* to = unixNameOf(fs::absolute(link).wstring().c_str());
    char ln[] = "/bin/ln";
    char symbolic[] = "-s";
    char* arguments[] = {ln, symbolic, from, to, nullptr};
    spawnUnix(arguments, 1);
    HeapFree(GetProcessHeap(), 0, from);
    HeapFree(GetProcessHeap(), 0, to);
}

class FileSafetyTest : public GuiTest {};

}  // namespace

// Under Wine the shell would delete the file "X" and put the folder in its place; two files moved
// onto files would stay where they are without a word.
TEST_F(FileSafetyTest, AFolderCutOntoAFileAndAMoveThatDoesNothingChangeNothingAndKeepTheClipboard)
{
    WriteAgedFile(fs::u8path("src/X/inner ソ"), "inner", 30);
    WriteAgedFile(fs::u8path("dst/X"), "the file", 20);
    WriteAgedFile(fs::u8path("src/a 😀"), "new", 10);
    WriteAgedFile(fs::u8path("dst/a 😀"), "old", 40);
    ProgramRun run;
    CEDoc& doc = DocOf(run.Children()[0]);
    CPathList& clip = doc.GetClipList();
    const FileSnapshot before = SnapshotOf(".");
    const struct {
        const char* source;
        uint8_t attr;
        const char* message;
    } cases[] = {
        {"src/X", kAttrDirectory, "同じ名前のファイルが あるため、フォルダ "},
        {"src/a 😀", kAttrArchive, "次の 1 件を 移動できませんでした。"},
    };
    for (const auto& c : cases) {
        m_platform.m_texts.clear();
        clip.Clear();
        clip.Add(KeyOf(fs::u8path(c.source)), c.attr);
        doc.SetCutPending(true);
        doc.m_strPasteDest = KeyOf("dst");
        doc.RunFileOperation(clip, kFoMove);
        EXPECT_EQ(SnapshotOf("."), before) << c.source;
        ASSERT_EQ(m_platform.m_texts.size(), 1u) << c.source;
        EXPECT_NE(m_platform.m_texts[0].find(c.message), std::string::npos) << m_platform.m_texts[0];
        EXPECT_EQ(clip.size(), 1u) << c.source;
        EXPECT_TRUE(doc.IsCutPending()) << c.source;
    }
}

TEST_F(FileSafetyTest, ANameEndingInADotIsRefusedAndAPermanentDeleteRemovesALinkNotItsFolder)
{
    WriteAgedFile(fs::u8path("keep/inside"), "kept", 30);
    WriteAgedFile(fs::u8path("gone/sub/file"), "x", 20);
    MakeUnixLink("keep", "gone/sub/link");
    ProgramRun run;
    CEDoc& doc = DocOf(run.Children()[0]);
    const FileSnapshot before = SnapshotOf("keep");
    EXPECT_FALSE(doc.Rename(KeyOf("keep"), KeyOf("abc.")));
    ASSERT_EQ(m_platform.m_texts.size(), 1u);
    EXPECT_NE(m_platform.m_texts[0].find("ピリオド"), std::string::npos);
    CPathList list;
    list.Add(KeyOf("gone"), kAttrDirectory);
    EXPECT_TRUE(doc.GetSettings().m_files.DeletePermanently(list));
    EXPECT_FALSE(fs::exists("gone"));
    EXPECT_EQ(SnapshotOf("keep"), before);
}
