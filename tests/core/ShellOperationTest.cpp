// The shell's move, copy, delete and rename: the Linux stand-in on real trees, and what the file
// services hand to the shell, in how many calls, and what they refuse to hand over.
#include <gtest/gtest.h>

#include "FileServicesFixture.h"
#include "text/Utf.h"

namespace {

namespace fs = std::filesystem;

using ShellOperationTest = FileServicesFixture<>;

}  // namespace

#ifndef _WIN32
// Under Wine the same calls reach the real shell, which asks before it overwrites or deletes.
TEST_F(ShellOperationTest, TheLinuxStandInMovesCopiesDeletesAndRenamesWithoutEverOverwritingAFolder)
{
    const struct {
        const char* what;
        int operation;
        std::vector<std::string> sources;
        std::string destination;
        bool bSucceeds;
        std::map<std::string, std::string> after;  // relative path -> StateOf ("" gone); "=x" same as before at x
    } cases[] = {
        {"copy a file and a folder", kFoCopy, {"s/a ソ.txt", "s/d"}, "t", true,
         {{"s/a ソ.txt", "=s/a ソ.txt"}, {"t/a ソ.txt", "=s/a ソ.txt"}, {"t/d/inner 😀", "=s/d/inner 😀"}}},
        {"copy over a file", kFoCopy, {"s/same"}, "t", true, {{"t/same", "=s/same"}}},
        {"copy onto a folder", kFoCopy, {"s/clash"}, "t", false, {{"t/clash/keep", "=t/clash/keep"}}},
        {"move", kFoMove, {"s/a ソ.txt", "s/d"}, "t", true,
         {{"s/a ソ.txt", ""}, {"s/d", ""}, {"t/a ソ.txt", "=s/a ソ.txt"}, {"t/d/inner 😀", "=s/d/inner 😀"}}},
        {"rename", kFoRename, {"s/a ソ.txt"}, "s/b 한.txt", true, {{"s/a ソ.txt", ""}, {"s/b 한.txt", "=s/a ソ.txt"}}},
        {"rename onto a name taken", kFoRename, {"s/a ソ.txt"}, "s/same", false,
         {{"s/a ソ.txt", "=s/a ソ.txt"}, {"s/same", "=s/same"}}},
        {"delete", kFoDelete, {"s/a ソ.txt", "s/d"}, "", true, {{"s/a ソ.txt", ""}, {"s/d", ""}, {"s/same", "=s/same"}}},
        {"a source missing", kFoMove, {"s/none"}, "t", false, {}},
    };
    for (const auto& c : cases) {
        fs::remove_all(tree.Native("s"));
        fs::remove_all(tree.Native("t"));
        tree.Write("s/a ソ.txt", "alpha", 30);
        tree.Write("s/d/inner 😀", "inner", 40);
        tree.Write("s/same", "new", 1);
        tree.Write("s/clash", "file", 1);
        tree.Write("t/same", "old", 50);
        tree.Write("t/clash/keep", "kept", 60);
        std::map<std::string, std::string> before;
        for (const auto& [relative, expected] : c.after)
            if (expected.starts_with("="))
                before[expected] = tree.StateOf(expected.substr(1));
        std::vector<std::string> sources;
        for (const std::string& source : c.sources)
            sources.push_back(tree.Key(source));
        const int result = GetPlatform().ShellFileOperation(c.operation, sources, tree.Key(c.destination));
        EXPECT_EQ(result == 0, c.bSucceeds) << c.what << ": " << result;
        for (const auto& [relative, expected] : c.after) {
            const std::string wanted = expected.starts_with("=") ? before[expected] : expected;
            EXPECT_EQ(tree.StateOf(relative), wanted) << c.what << ": " << relative;
        }
    }
}
#endif

TEST_F(ShellOperationTest, AListOfAnyLengthGoesToTheShellInOneCallInListOrder)
{
    platform.bShellForward = false;
    CPathList list;
    std::vector<std::string> paths;
    for (int i = 0; i < 20000; ++i) {  // about 1.5 MB of paths, far beyond any fixed buffer
        paths.push_back(tree.Key("s/" + std::to_string(19999 - i) + " ファイル名 表示 ｶﾅ 한국어 😀.txt"));
        list.Add(paths.back(), 0);
    }
    files.FileOperation(kFoCopy, list, tree.Key("t"));
    files.FileOperation(kFoDelete, list, std::string());
    // Compared without printing: a failure would print 1.5 MB of paths.
    EXPECT_TRUE(platform.shellCalls == (std::vector<CScriptedPlatform::ShellCall>{{kFoCopy, paths, tree.Key("t")},
                                                                                 {kFoDelete, paths, ""}}));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ShellOperationTest, PathsTheShellWouldCutShortOrCannotTakeAreRefusedWithAMessageAndNothingIsCalled)
{
    platform.bShellForward = false;
    // The shell takes 259 UTF-16 characters; an emoji takes two of them.
    auto pathOf = [](std::size_t units, const std::string& tail) {
        return "C:\\" + std::string(units - 3 - Utf::Utf8ToUtf16(tail).size(), 'x') + tail;
    };
    const std::string folder = "C:\\src\\folder";
    const struct {
        const char* what;
        int operation;
        std::string source;
        uint8_t attr;
        std::string destination;
        const char* message;  // a piece of the message, nullptr when the shell is called
    } cases[] = {
        {"a rename to 259", kFoRename, "C:\\a", 0, pathOf(259, "😀"), nullptr},
        {"a target of 259", kFoCopy, "C:\\a", 0, pathOf(257, "😀"), nullptr},
        {"a target of 260", kFoCopy, "C:\\a", 0, pathOf(258, "😀"), "パスが長すぎます（259 文字まで）。"},
        {"a source of 260", kFoDelete, pathOf(260, ""), 0, "", "パスが長すぎます"},
        {"a moved target of 260", kFoMove, "C:\\" + std::string(10, 'n'), 0, pathOf(249, ""), "パスが長すぎます"},
        {"a rename to 260", kFoRename, "C:\\a", 0, pathOf(260, "ソ"), "パスが長すぎます"},
        {"the long form", kFoCopy, "\\\\?\\C:\\a", 0, "C:\\t", "この形のパスは 扱えません。"},
        {"a folder into itself", kFoCopy, folder, kAttrDirectory, folder, "コピー先が 元のフォルダ C:\\src\\folder の中です。"},
        {"a folder into its sub-folder", kFoMove, folder, kAttrDirectory, "c:\\SRC\\Folder\\x", "移動先が 元のフォルダ"},
        {"a file beside a folder of a longer name", kFoCopy, folder, kAttrDirectory, folder + "2", nullptr},
        {"a delete of a folder ignores the destination", kFoDelete, folder, kAttrDirectory, folder, nullptr},
    };
    for (const auto& c : cases) {
        platform.shellCalls.clear();
        platform.messages.clear();
        CPathList list;
        list.Add("C:\\o", 0);
        list.Add(c.source, c.attr);
        EXPECT_EQ(files.ShellFileOperation(c.operation, list, c.destination) == 0, !c.message) << c.what;
        EXPECT_EQ(platform.shellCalls.size(), c.message ? 0u : 1u) << c.what;
        ASSERT_EQ(platform.messages.size(), c.message ? 1u : 0u) << c.what;
        if (c.message) {
            EXPECT_NE(platform.messages[0].find(c.message), std::string::npos) << c.what << ": " << platform.messages[0];
            EXPECT_TRUE(platform.messages[0].ends_with("何も変更しませんでした。")) << c.what;
        }
    }
}

TEST_F(ShellOperationTest, ARenameSucceedsOnlyWhenTheNewNameWasFreeAndIsThereAfterwards)
{
    tree.Write("f/old ソ", "x", 5);
    tree.Write("f/taken", "y", 5);
    const struct {
        const char* what;
        std::string to;
        int shellResult;  // -1: the shell really renames
        bool bRenamed;
        std::size_t calls;
        std::size_t messages;
    } cases[] = {
        {"a free name", "f/new 😀", -1, true, 1, 0},
        {"a name taken", "f/taken", -1, false, 0, 1},
        {"the shell fails", "f/other", 5, false, 1, 0},
        {"the shell says yes but nothing is there", "f/missing", 0, false, 1, 0},
    };
    for (const auto& c : cases) {
        platform.shellCalls.clear();
        platform.messages.clear();
        platform.bShellForward = c.shellResult < 0;
        platform.shellResult = c.shellResult;
        EXPECT_EQ(files.RenamePath(tree.Key("f/old ソ"), tree.Key(c.to)), c.bRenamed) << c.what;
        EXPECT_EQ(platform.shellCalls.size(), c.calls) << c.what;
        ASSERT_EQ(platform.messages.size(), c.messages) << c.what;
        EXPECT_TRUE(!c.messages || platform.messages[0].find("この名前は 既に使われています。") != std::string::npos)
            << c.what;
        if (c.bRenamed)
            fs::rename(tree.Native(c.to), tree.Native("f/old ソ"));
        EXPECT_EQ(tree.StateOf("f/taken").substr(0, 2), "y@") << c.what;
    }
    // One path whose destination was there before: the shell is still asked, and the answer is no.
    platform.shellCalls.clear();
    platform.bShellForward = false;
    EXPECT_FALSE(files.FileOperationOne(kFoCopy, tree.Key("f/old ソ"), tree.Key("f/taken")));
    EXPECT_EQ(platform.shellCalls.size(), 1u);
}
