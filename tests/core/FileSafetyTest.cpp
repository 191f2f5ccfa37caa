// File operations that the shell would get wrong or fail without a word: refused before the call,
// or named after it, with every file's bytes and time compared before and after.
#include <gtest/gtest.h>

#include <chrono>

#include "TestSupport.h"
#include "CPathForms.h"
#include "app/CAppSettings.h"
#include "services/CFileOperationCheck.h"
#include "text/Utf.h"

namespace {

namespace fs = std::filesystem;

// The shell of Wine at its worst: it does nothing, answers `result`, and fails a rename that only
// changes case; or it forwards to the Linux stand-in.
class SilentShellPlatform : public CScriptedPlatform {
public:
    int ShellFileOperation(int operation, const std::vector<std::string>& sources,
                           const std::string& destination) override
    {
        ++calls;
        const bool bCaseOnly = operation == kFoRename && Utf::ToLowerAscii(sources[0]) == Utf::ToLowerAscii(destination);
        if (bCaseOnly)
            return static_cast<int>(kErrorAlreadyExists);
        return bForward ? CScriptedPlatform::ShellFileOperation(operation, sources, destination) : result;
    }
    int calls = 0;
    bool bForward = false;
    int result = 0;
};

class FileSafetyTest : public ::testing::Test {
protected:
    // Relative path -> "<dir>", or the file's bytes and modified time.
    std::map<std::string, std::string> Snapshot() const
    {
        std::map<std::string, std::string> snapshot;
        for (const auto& entry : fs::recursive_directory_iterator(tree.Root())) {
            const std::string relative = fs::relative(entry.path(), tree.Root()).generic_string();
            if (entry.is_symlink() || entry.is_directory()) {
                snapshot[relative] = entry.is_symlink() ? "<link>" : "<dir>";
                continue;
            }
            std::ifstream in(entry.path(), std::ios::binary);
            snapshot[relative] = std::string(std::istreambuf_iterator<char>(in), {}) + "@" +
                                 std::to_string(entry.last_write_time().time_since_epoch().count());
        }
        return snapshot;
    }
    void Write(const std::string& relative, const std::string& bytes) const
    {
        fs::create_directories(tree.Native(relative).parent_path());
        std::ofstream(tree.Native(relative), std::ios::binary) << bytes;
    }

    SilentShellPlatform platform;
    TempTree tree;
    CAppSettings settings;
    CFileServices& files = settings.m_files;
};

}  // namespace

TEST_F(FileSafetyTest, WhatTheShellWouldLoseOrSkipIsRefusedBeforeTheCallNamingTheEntry)
{
    const std::string deep = std::string(120, 'd') + "/" + std::string(120, 'e');
    const struct {
        const char* what;
        int operation;
        std::vector<std::string> files;  // written under s/ and t/ before the operation
        std::string source;              // below s/, a folder when it ends in "/"
        const char* message;             // a piece of the refusal, nullptr when the shell is called
    } cases[] = {
        {"a folder copied onto a file", kFoCopy, {"s/X/in", "t/X"}, "X/", "同じ名前のファイルが あるため、フォルダ "},
        {"a folder moved onto a file", kFoMove, {"s/X/in", "t/X"}, "X/", "移動できません。"},
        {"a folder inside a merge", kFoCopy, {"s/m/a/sub/f", "t/m/a/sub"}, "m/", "m\\a\\sub を コピーできません"},
        {"a file inside a merge onto a folder", kFoCopy, {"s/m/f", "t/m/f/keep"}, "m/", "同じ名前のフォルダが"},
        {"an inner path too long", kFoMove, {"s/L/" + deep}, "L/", "先のパスが長すぎます（259 文字まで）。"},
        {"an inner name ending in a dot", kFoCopy, {"s/N/apache./f", "s/N/apache/g"}, "N/", "apache."},
        {"a file onto a folder: the shell refuses", kFoCopy, {"s/F", "t/F/keep"}, "F", nullptr},
        {"a merge without a clash", kFoCopy, {"s/m/a/f", "t/m/a/g"}, "m/", nullptr},
    };
    for (const auto& c : cases) {
        fs::remove_all(tree.Native("s"));
        fs::remove_all(tree.Native("t"));
        fs::create_directories(tree.Native("t"));
        for (const std::string& file : c.files)
            Write(file, file);
        platform.calls = 0;
        platform.messages.clear();
        const auto before = Snapshot();
        CPathList list;
        list.Add(tree.Key("s/" + c.source.substr(0, c.source.find('/'))), c.source.ends_with("/") ? kAttrDirectory : 0u);
        files.FileOperation(c.operation, list, tree.Key("t"));
        EXPECT_EQ(platform.calls, c.message ? 0 : 1) << c.what;
        EXPECT_EQ(Snapshot(), before) << c.what;
        if (!c.message)
            continue;
        ASSERT_EQ(platform.messages.size(), 1u) << c.what;
        EXPECT_NE(platform.messages[0].find(c.message), std::string::npos) << c.what << ": " << platform.messages[0];
        EXPECT_TRUE(platform.messages[0].ends_with("何も変更しませんでした。")) << c.what;
    }
}

TEST_F(FileSafetyTest, AfterTheShellWhatWasNotDoneOnDiskIsNamedInOneMessageAndAMoveKeepsItsEntries)
{
    const struct {
        const char* what;
        int operation;
        bool bForward;
        int result;
        const char* message;  // nullptr: no message
    } cases[] = {
        {"two files moved onto files, nothing done", kFoMove, false, 0, "次の 2 件を 移動できませんでした。"},
        {"copied over older files, nothing done", kFoCopy, false, 0, "次の 2 件を コピーできませんでした。"},
        {"deleted, nothing done, with the reason", kFoDelete, false, 5, "( ｺｰﾄﾞ=0x5 )"},
        {"the user said No", kFoMove, false, static_cast<int>(CPathForms::kErrorCancelled), nullptr},
        {"really moved", kFoMove, true, 0, nullptr},
    };
    for (const auto& c : cases) {
        fs::remove_all(tree.Native("s"));
        fs::remove_all(tree.Native("t"));
        Write("s/a ソ", "new a");
        Write("s/b 😀", "new b");
        Write("t/a ソ", "old");
        Write("t/b 😀", "old");
        fs::last_write_time(tree.Native("t/a ソ"), fs::last_write_time(tree.Native("s/a ソ")) - std::chrono::hours(1));
        platform.bForward = c.bForward;
        platform.result = c.result;
        platform.messages.clear();
        const auto before = Snapshot();
        CPathList list;
        list.Add(tree.Key("s/a ソ"), 0);
        list.Add(tree.Key("s/b 😀"), 0);
        EXPECT_EQ(files.ShellFileOperation(c.operation, list, tree.Key("t")) == 0, c.bForward) << c.what;
        ASSERT_EQ(platform.messages.size(), c.message ? 1u : 0u) << c.what;
        if (c.message) {
            EXPECT_NE(platform.messages[0].find(c.message), std::string::npos) << c.what << ": " << platform.messages[0];
            EXPECT_NE(platform.messages[0].find("a ソ"), std::string::npos) << c.what;
        }
        if (c.bForward)
            continue;
        EXPECT_EQ(Snapshot(), before) << c.what;
        CFileOperationCheck::KeepWhatIsStillThere(list);
        EXPECT_EQ(list.size(), 2u) << c.what;
    }
}

TEST_F(FileSafetyTest, RenamesToNamesWindowsCannotHoldAreRefusedAndACaseOnlyRenameTakesTwoSteps)
{
    Write("f/timediff.txt", "bytes");
    platform.bForward = true;
    for (const char* name : {"def ", "abc.", "x.."}) {
        platform.messages.clear();
        EXPECT_FALSE(files.RenamePath(tree.Key("f/timediff.txt"), tree.Key(std::string("f/") + name))) << name;
        ASSERT_EQ(platform.messages.size(), 1u) << name;
        EXPECT_NE(platform.messages[0].find("名前の末尾に 空白や ピリオド（.）は 使えません。"), std::string::npos);
    }
    const auto before = Snapshot();
    platform.calls = 0;
    EXPECT_TRUE(files.RenamePath(tree.Key("f/timediff.txt"), tree.Key("f/TimeDiff.txt")));
    EXPECT_EQ(platform.calls, 2);  // through a temporary name: the shell fails the direct rename
    auto after = Snapshot();
    EXPECT_EQ(after.count("f/TimeDiff.txt"), 1u);
    after["f/timediff.txt"] = after["f/TimeDiff.txt"];
    after.erase("f/TimeDiff.txt");
    EXPECT_EQ(after, before);
}

TEST_F(FileSafetyTest, APermanentDeleteRemovesALinkToAFolderAndNeverWhatItLeadsTo)
{
    Write("keep/inside", "kept");
    Write("gone/a/file", "x");
    fs::create_directory_symlink(tree.Native("keep"), tree.Native("gone/a/link"));
    Write("gone/z", "y");
    const auto before = Snapshot();
    platform.answers = {kIdYes, kIdYes};
    CPathList list;
    list.Add(tree.Key("gone"), kAttrDirectory);
    EXPECT_TRUE(files.DeletePermanently(list));
    auto expected = before;
    std::erase_if(expected, [](const auto& entry) { return entry.first.starts_with("gone"); });
    EXPECT_EQ(Snapshot(), expected);
}
