// File operations that the shell would get wrong or fail without a word: refused before the call,
// or named after it, with every file's bytes and time compared before and after.
#include <gtest/gtest.h>

#include "FileServicesFixture.h"
#include "CPathForms.h"
#include "services/CFileOperationCheck.h"
#include "services/CFolderIndex.h"
#include "text/Utf.h"

namespace {

namespace fs = std::filesystem;

// The shell of Wine at its worst: it does nothing, answers shellResult, and fails a rename that
// only changes case; or it forwards to the Linux stand-in.
class SilentShellPlatform : public CScriptedPlatform {
public:
    SilentShellPlatform() { bShellForward = false; }
    int ShellFileOperation(int operation, const std::vector<std::string>& sources,
                           const std::string& destination) override
    {
        if (operation == kFoRename && Utf::ToLowerAscii(sources[0]) == Utf::ToLowerAscii(destination)) {
            shellCalls.push_back({operation, sources, destination});
            return static_cast<int>(kErrorAlreadyExists);
        }
        return CScriptedPlatform::ShellFileOperation(operation, sources, destination);
    }
    bool ShellMovesOverFilesUnasked() override { return bUnasked; }
    bool bUnasked = false;
};

class FileSafetyTest : public FileServicesFixture<SilentShellPlatform> {
protected:
    // Relative path -> the state of what is there.
    std::map<std::string, std::string> Snapshot() const
    {
        std::map<std::string, std::string> snapshot;
        for (const auto& entry : fs::recursive_directory_iterator(tree.Root()))
            snapshot[fs::relative(entry.path(), tree.Root()).generic_string()] = TempTree::StateAt(entry.path());
        return snapshot;
    }
};

}  // namespace

// The shell here does nothing and answers `shell`: Wine's, at its worst.
TEST_F(FileSafetyTest, WhatTheShellWouldGetWrongIsRefusedFirstAndWhatItDidNotDoIsNamedAfter)
{
    const std::string deep = std::string(120, 'd') + "/" + std::string(120, 'e');
    const int kNotCalled = -1;
    const struct {
        const char* what;
        int operation;
        std::vector<std::string> files;  // written first; the first one's top below s/ is the source
        int shell;
        const char* message;  // a piece of the one message; nullptr for none
    } cases[] = {
        {"a folder copied onto a file", kFoCopy, {"s/X/in", "t/X"}, kNotCalled, "同じ名前のファイルが あるため、フォルダ "},
        {"a folder moved onto a file", kFoMove, {"s/X/in", "t/X"}, kNotCalled, "移動できません。"},
        {"a folder inside a merge", kFoCopy, {"s/m/a/sub/f", "t/m/a/sub"}, kNotCalled, "m\\a\\sub を コピーできません"},
        {"a file inside a merge onto a folder", kFoCopy, {"s/m/f", "t/m/f/k"}, kNotCalled, "同じ名前のフォルダが"},
        {"an inner path too long", kFoMove, {"s/L/" + deep}, kNotCalled, "先のパスが長すぎます（259 文字まで）。"},
        {"moved onto a file, nothing done", kFoMove, {"s/a ソ", "t/a ソ"}, 0, "次の 1 件を 移動できませんでした。"},
        {"moved onto a file, replace declined", kFoMove, {"s/a ソ", "t/a ソ"}, kNotCalled, "a ソ\n\nこれらの ファイルを 置き換えますか？"},
        {"copied over a file, nothing done", kFoCopy, {"s/a ソ", "t/a ソ"}, 0, "コピーできませんでした。\n\n"},
        {"deleted, nothing done", kFoDelete, {"s/a ソ"}, 5, "( ｺｰﾄﾞ=0x5 )"},
        {"stopped", kFoMove, {"s/a ソ"}, static_cast<int>(CPathForms::kErrorCancelled), "移動できませんでした。\n\n"},
        // Last: only the platform makes and removes "apache." under Wine.
        {"an inner name ending in a dot", kFoCopy, {"s/N/apache/g", "s/N/apache./"}, kNotCalled, "apache."},
    };
    for (const auto& c : cases) {
        fs::remove_all(tree.Native("s"));
        fs::remove_all(tree.Native("t"));
        fs::create_directories(tree.Native("t"));
        for (const std::string& file : c.files) {
            if (file.ends_with("/"))
                GetPlatform().CreateFolder(tree.Key(file.substr(0, file.size() - 1)));
            else
                tree.Write(file, file.starts_with("t") ? "older" : file);
        }
        const std::size_t slash = c.files[0].find('/', 2);
        CPathList list;
        list.Add(tree.Key(c.files[0].substr(0, slash)), slash == std::string::npos ? 0u : kAttrDirectory);
        platform.shellCalls.clear();
        platform.shellResult = c.shell;
        platform.bUnasked = c.shell == kNotCalled;  // as under Wine; the others are refused before the question
        platform.messages.clear();
        const auto before = Snapshot();
        EXPECT_NE(files.ShellFileOperation(c.operation, list, tree.Key("t")), 0) << c.what;
        EXPECT_EQ(platform.shellCalls.size(), c.shell == kNotCalled ? 0u : 1u) << c.what;
        EXPECT_EQ(Snapshot(), before) << c.what;
        ASSERT_EQ(platform.messages.size(), c.message ? 1u : 0u) << c.what;
        EXPECT_TRUE(!c.message || platform.messages[0].find(c.message) != std::string::npos) << platform.messages[0];
    }
    GetPlatform().RemoveFolder(tree.Key("s/N/apache."));
}

TEST_F(FileSafetyTest, RenamesToNamesWindowsCannotHoldAreRefusedAndACaseOnlyRenameTakesTwoSteps)
{
    tree.Write("f/timediff.txt", "bytes");
    platform.bShellForward = true;
    const auto before = Snapshot();
    for (const char* name : {"def ", "abc.", "x.."})
        EXPECT_FALSE(files.RenamePath(tree.Key("f/timediff.txt"), tree.Key(std::string("f/") + name))) << name;
    EXPECT_EQ(platform.messages.size(), 3u);
    EXPECT_NE(platform.messages[0].find("名前の末尾に 空白や ピリオド（.）は 使えません。"), std::string::npos);
    EXPECT_TRUE(files.RenamePath(tree.Key("f/timediff.txt"), tree.Key("f/TimeDiff.txt")));
    EXPECT_EQ(platform.shellCalls.size(), 2u);  // through a temporary name: the shell fails the direct rename
    auto after = Snapshot();
    EXPECT_EQ(after.extract("f/TimeDiff.txt").mapped(), before.at("f/timediff.txt"));
    EXPECT_EQ(after.size() + 1, before.size());
}

// Under Wine an ordinary path drops the dot and reaches "apache" instead.
TEST_F(FileSafetyTest, AFolderWhoseNameEndsInADotIsListedAsItselfNeverAsItsSibling)
{
    tree.Write("apache/g", "g");
    const std::string dotted = tree.Key("apache.");
    ASSERT_EQ(GetPlatform().CreateFolder(dotted), kErrorSuccess);
    ASSERT_EQ(GetPlatform().CreateFolder(dotted + "\\sub"), kErrorSuccess);
    CFolderIndex index;
    const std::vector<CFindEntry>& entries = index.EntriesOf(dotted);
    EXPECT_TRUE(entries.size() == 1 && entries[0].name == "sub");
    GetPlatform().RemoveFolder(dotted + "\\sub");
    GetPlatform().RemoveFolder(dotted);
}
