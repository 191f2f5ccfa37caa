// The file operations the program makes itself, on real folder trees: the permanent delete with its
// questions and its report of where it stopped, new folders under numbered names, and the filter
// that keeps unchanged files out of a copy.
#include <gtest/gtest.h>

#include <chrono>
#include <utility>

#include "FileServicesFixture.h"

namespace {

namespace fs = std::filesystem;

// Removals and folder creation that fail for chosen paths with chosen codes, every attempt recorded.
class RemovalPlatform : public CScriptedPlatform {
public:
    uint32_t RemoveFile(const std::string& path) override
    {
        attempts.push_back(path);
        const auto failing = failingRemovals.find(path);
        return failing != failingRemovals.end() ? failing->second : CScriptedPlatform::RemoveFile(path);
    }
    uint32_t RemoveFolder(const std::string& path) override
    {
        attempts.push_back(path);
        const auto failing = failingRemovals.find(path);
        return failing != failingRemovals.end() ? failing->second : CScriptedPlatform::RemoveFolder(path);
    }
    uint32_t CreateFolder(const std::string& path) override
    {
        return bEveryNameTaken ? kErrorAlreadyExists : CScriptedPlatform::CreateFolder(path);
    }

    std::map<std::string, uint32_t> failingRemovals;
    std::vector<std::string> attempts;
    bool bEveryNameTaken = false;
};

class FileServicesTest : public FileServicesFixture<RemovalPlatform> {
protected:
    bool Exists(const std::string& relative) const { return fs::exists(fs::symlink_status(tree.Native(relative))); }
    void MakeReadOnly(const std::string& relative) const
    {
        fs::permissions(tree.Native(relative), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
    CPathList ListOf(std::initializer_list<std::pair<std::string, uint8_t>> entries) const
    {
        CPathList list;
        for (const auto& [relative, attr] : entries)
            list.Add(tree.Key(relative), attr);
        return list;
    }
};

const std::string kFirstQuestionStart = "ごみ箱に保存せず 完全に 削除します。　削除すると 元に戻せません！！！\n\n\n";
const std::string kFirstQuestionEnd =
    "を 削除しても よろしいですか？\n\n\n（'はい' を選ぶと もう一度 確認のメッセージがでます)";
const std::string kSecondQuestion = "念のため もう一度お尋ねします。　完全に 削除しても よろしいですか？\n\n";

}  // namespace

TEST_F(FileServicesTest, ListingGivesEveryEntryButTheDotsWithItsAttributesOrOnlyTheFiles)
{
    tree.File("f/a.txt", 2);
    tree.File("f/表", 0);
    tree.Folder("f/sub");
    MakeReadOnly("f/a.txt");
    CPathList all;
    CPathList filesOnly;
    uint32_t code = 99;
    ASSERT_TRUE(files.ListFolderEntries(all, tree.Key("f"), false, code));
    EXPECT_EQ(code, kErrorSuccess);
    ASSERT_TRUE(files.ListFolderEntries(filesOnly, tree.Key("f"), true, code));
    std::map<std::string, uint8_t> found;
    for (const CPathList::Entry& entry : all)
        found[entry.path] = entry.attr;
    EXPECT_EQ(found, (std::map<std::string, uint8_t>{{tree.Key("f/a.txt"), kAttrReadOnly | kAttrArchive},
                                                     {tree.Key("f/表"), kAttrArchive},
                                                     {tree.Key("f/sub"), kAttrDirectory}}));
    EXPECT_EQ(filesOnly.size(), 2u);
    for (const CPathList::Entry& entry : filesOnly)
        EXPECT_FALSE(entry.IsFolder()) << entry.path;

    CPathList none;  // an empty folder lists nothing: RemoveTree's "t/a/empty"
    EXPECT_FALSE(files.ListFolderEntries(none, tree.Key("missing"), false, code));
    EXPECT_EQ(code, kErrorPathNotFound);
    EXPECT_TRUE(platform.messages.empty());  // a missing folder is no question to the user
}

TEST_F(FileServicesTest, RemoveTreeEmptiesAFolderDepthFirstAndRemovesALinkWithoutFollowingIt)
{
    tree.File("t/a/b/c/deep.txt", 5);
    tree.File("t/ソ/表.txt", 1);
    tree.File("t/top", 1);
    tree.Folder("t/a/empty");
    tree.File("outside/keep", 3);
    std::error_code error;
    fs::create_directory_symlink(tree.Native("outside"), tree.Native("t/a/link"), error);
    CFileServices::Failure failure;
    EXPECT_TRUE(files.RemoveTree(tree.Key("t"), failure));
    EXPECT_FALSE(Exists("t"));
    EXPECT_TRUE(Exists("outside/keep"));
    if (error)
        GTEST_SKIP() << "this system cannot create a folder link: " << error.message();
}

// A read-only file that stays is the permanent delete's case below; here a folder that stays once emptied:
// what was inside is gone, the folders above stay, and nothing is tried after it.
TEST_F(FileServicesTest, RemoveTreeStopsAtTheFirstEntryThatStaysAndNamesIt)
{
    CFileServices::Failure failure;
    tree.File("u/v/w/1", 1);
    tree.File("u/v/w/2", 1);
    platform.failingRemovals[tree.Key("u/v/w")] = 32;
    EXPECT_FALSE(files.RemoveTree(tree.Key("u"), failure));
    EXPECT_EQ(failure.path, tree.Key("u/v/w"));
    EXPECT_EQ(failure.code, 32u);
    EXPECT_TRUE(fs::is_empty(tree.Native("u/v/w")));
    EXPECT_EQ(platform.attempts.back(), tree.Key("u/v/w"));  // nothing tried after the failure
}

TEST_F(FileServicesTest, PermanentDeleteAsksTwiceNamingOneEntryOrCountingSeveralAndRemovesOnlyAfterTwoYes)
{
    const struct { std::deque<int> answers; std::size_t questions; bool bDeleted; } cases[] = {
        {{kIdCancel}, 1, false},
        {{kIdYes, kIdNo}, 2, false},
        {{kIdYes, kIdYes}, 2, true},
    };
    for (const auto& c : cases) {
        for (const bool bSeveral : {false, true}) {
            tree.File("one/表 ソ.txt", 1);
            tree.File("two/y", 1);
            tree.File("three", 1);
            const CPathList list = bSeveral ? ListOf({{"one", kAttrDirectory}, {"two", kAttrDirectory}, {"three", 0}})
                                            : ListOf({{"one/表 ソ.txt", kAttrArchive}});
            platform.messages.clear();
            platform.styles.clear();
            platform.answers = c.answers;
            EXPECT_EQ(files.DeletePermanently(list), c.bDeleted);
            ASSERT_EQ(platform.messages.size(), c.questions);
            const std::string what = bSeveral ? "これら 3個のファイル" : "'表 ソ.txt' ";
            EXPECT_EQ(platform.messages[0], kFirstQuestionStart + what + kFirstQuestionEnd);
            if (c.questions == 2) {
                EXPECT_EQ(platform.messages[1], kSecondQuestion);
            }
            for (const unsigned style : platform.styles)
                EXPECT_EQ(style, kMbYesNo | kMbIconExclamation);
            EXPECT_EQ(Exists("one/表 ソ.txt"), !c.bDeleted);
            EXPECT_EQ(Exists("one"), !(c.bDeleted && bSeveral));
            EXPECT_EQ(Exists("three"), !(c.bDeleted && bSeveral));
        }
    }
    platform.messages.clear();
    EXPECT_FALSE(files.DeletePermanently(CPathList()));
    EXPECT_TRUE(platform.messages.empty());  // nothing to delete, nothing asked
}

TEST_F(FileServicesTest, PermanentDeleteThatStopsSaysWhereAndWhyAndWhatWentBeforeStaysDeleted)
{
    tree.File("a.txt", 1);
    tree.File("b/inner", 1);
    tree.File("ro.txt", 1);
    tree.File("d.txt", 1);
    MakeReadOnly("ro.txt");
    const CPathList list = ListOf({{"a.txt", 0}, {"b", kAttrDirectory}, {"ro.txt", kAttrReadOnly}, {"d.txt", 0}});
    platform.answers = {kIdYes, kIdYes};
    EXPECT_FALSE(files.DeletePermanently(list));
    EXPECT_FALSE(Exists("a.txt"));
    EXPECT_FALSE(Exists("b"));
    EXPECT_TRUE(Exists("ro.txt"));
    EXPECT_TRUE(Exists("d.txt"));  // never tried
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[2].rfind(tree.Key("ro.txt") + " を削除できませんでした。\n\n", 0), 0u);
    EXPECT_TRUE(platform.messages[2].ends_with("\n\n( ｺｰﾄﾞ=0x5 )\n削除はここで中止しました。\n")) << platform.messages[2];
    EXPECT_EQ(platform.styles[2], kMbOk | kMbIconHand);

    // Inside a listed folder, the entry named is the one that stayed, not the listed folder.
    tree.File("e/f/g", 1);
    platform.failingRemovals[tree.Key("e/f/g")] = 32;
    platform.answers = {kIdYes, kIdYes};
    EXPECT_FALSE(files.DeletePermanently(ListOf({{"e", kAttrDirectory}})));
    EXPECT_EQ(platform.messages.back().rfind(tree.Key("e/f/g") + " を削除できませんでした。\n\n", 0), 0u);
    EXPECT_NE(platform.messages.back().find("( ｺｰﾄﾞ=0x20 )"), std::string::npos);
}

TEST_F(FileServicesTest, NewFolderTakesTheFirstFreeNameOfTheNumberedSeries)
{
    const std::string name = "新しいフォルダ";
    const struct {
        std::vector<std::string> taken;  // as folders; a name ending in '*' as a file
        std::string made;
    } cases[] = {
        {{}, name},
        {{name}, name + " (2)"},
        {{name, name + " (2)"}, name + " (3)"},
        {{name, name + " (3)"}, name + " (2)"},
        {{name + "*"}, name + " (2)"},
        {{name + " (2)"}, name},
    };
    int round = 0;
    for (const auto& c : cases) {
        const std::string folder = "r" + std::to_string(round++);
        tree.Folder(folder);
        for (const std::string& taken : c.taken) {
            if (taken.back() == '*')
                tree.File(folder + "/" + taken.substr(0, taken.size() - 1), 1);
            else
                tree.Folder(folder + "/" + taken);
        }
        for (const std::string& parent : {tree.Key(folder), tree.Key(folder) + "\\"}) {
            std::string made;
            ASSERT_TRUE(files.CreateNewFolder(parent, made)) << c.made;
            EXPECT_EQ(made, tree.Key(folder) + "\\" + c.made);
            EXPECT_TRUE(fs::is_directory(tree.Native(folder + "/" + c.made))) << c.made;
            fs::remove(tree.Native(folder + "/" + c.made));
        }
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FileServicesTest, NewFolderThatCannotBeMadeForAnotherReasonSaysErrorAndGivesNoPath)
{
    for (const bool bEveryNameTaken : {false, true}) {
        platform.bEveryNameTaken = bEveryNameTaken;
        platform.messages.clear();
        std::string made = "stale";
        const std::string parent = bEveryNameTaken ? tree.Key() : tree.Key("missing");
        EXPECT_FALSE(files.CreateNewFolder(parent, made));
        EXPECT_EQ(made, "");
        EXPECT_EQ(platform.messages, std::vector<std::string>{"Error !!!"});
    }
    EXPECT_FALSE(Exists("missing"));
}

TEST_F(FileServicesTest, SameTimeFilterDropsUnchangedFilesAndCopiesTheChangedOnesOfExistingFoldersInto)
{
    using std::chrono::milliseconds;
    // source and destination, modified times in milliseconds past a whole second
    const struct {
        std::string relative;
        int sourceMs;
        int targetMs;  // -1: no such entry in the destination
    } files_[] = {
        {"same", 200, 700},          // the same second: unchanged
        {"newer", 1200, 200},        // a second apart
        {"older", 0, 1000},
        {"absent", 0, -1},
        {"f/same", 0, 0},
        {"f/changed", 3000, 0},
        {"f/g/same", 500, 999},
        {"f/g/h/same", 0, 0},
        {"f/g/changed 表", 0, 5000},
        {"f/new", 0, -1},
        {"u/x", 0, 0},  // in a folder that cannot be listed (answered Cancel)
    };
    for (const auto& f : files_) {
        tree.File("src/" + f.relative, 1);
        tree.SetModified("src/" + f.relative, milliseconds(f.sourceMs));
        if (f.targetMs >= 0) {
            tree.File("dst/" + f.relative, 2);
            tree.SetModified("dst/" + f.relative, milliseconds(f.targetMs));
        }
    }
    tree.Folder("src/newfolder");
    tree.File("src/clash", 1);  // a folder of that name waits in the destination
    tree.Folder("dst/clash");
    tree.SetModified("src/clash", milliseconds(0));
    platform.failingFolders[tree.Key("src/u")] = kErrorAccessDenied;
    // A folder's time cannot be set through the C++ library on Windows (it opens folders for writing only
    // natively); there the clash is told apart by kind alone, which is what the filter must look at anyway.
    std::error_code folderTimeNotSettable;
    fs::last_write_time(tree.Native("dst/clash"), fs::last_write_time(tree.Native("src/clash")),
                        folderTimeNotSettable);

    CPathList list = ListOf({{"src/same", 0}, {"src/newer", 0}, {"src/f", kAttrDirectory}, {"src/older", 0},
                             {"src/absent", 0}, {"src/gone", 0}, {"src/newfolder", kAttrDirectory}, {"src/clash", 0},
                             {"src/same", 0}, {"src/u", kAttrDirectory}});
    std::vector<std::pair<std::vector<std::string>, std::string>> copies;
    files.SkipSameTime(list, tree.Key("dst"), [&](const CPathList& entries, const std::string& target) {
        std::vector<std::string> paths = PathsOf(entries);
        std::sort(paths.begin(), paths.end());
        copies.emplace_back(paths, target);
    });

    // What stays for the copy, in list order: changed files, unreadable entries, folders not yet there, and
    // a folder that cannot be listed, for the copy to report.
    EXPECT_EQ(PathsOf(list), (std::vector<std::string>{tree.Key("src/newer"), tree.Key("src/older"),
                                                       tree.Key("src/absent"), tree.Key("src/gone"),
                                                       tree.Key("src/newfolder") + "/", tree.Key("src/clash"),
                                                       tree.Key("src/u") + "/"}));
    // The deepest folder first, each with only what changed; f/g/h had nothing and is not copied.
    using Copy = std::pair<std::vector<std::string>, std::string>;
    EXPECT_EQ(copies, (std::vector<Copy>{
                          Copy{{tree.Key("src/f/g/changed 表")}, tree.Key("dst/f/g")},
                          Copy{{tree.Key("src/f/changed"), tree.Key("src/f/new")}, tree.Key("dst/f")},
                      }));
    EXPECT_EQ(platform.messages.size(), 1u);  // the listing's own Retry/Cancel
}
