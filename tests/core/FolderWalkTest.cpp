// The aggregation walk over real folder trees, with scripted stops, errors and answers.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "TestSupport.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "fw/CDocument.h"
#include "fw/CFileStatus.h"
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "posix/CPosixPlatform.h"
#endif

namespace {

class FolderWalkTest : public ::testing::Test {
protected:
    bool Walk(const std::string& key, bool recount = false, bool cachedOnly = false)
    {
        ClearTotals(total);
        ClearTotals(direct);
        return walk.AggregateFolder(key, total, direct, &doc, recount, cachedOnly);
    }
    // Begins a command whose questions get these answers, its messages recorded afresh.
    void BeginCommand(std::deque<int> answers)
    {
        platform.messages.clear();
        platform.answers = std::move(answers);
        walk.BeginCommand();
    }
    bool Stored(const std::string& key) { return app.m_folderInfo.FindEntry(key) != nullptr; }
    CSizeInfo StoredTotal(const std::string& key)
    {
        CSizeInfo t, d;
        walk.GetStoredTotals(key, t, d);
        return t;
    }

    CAppCore app;
    CFolderWalk& walk = app.m_settings.m_walk;
    CScriptedPlatform platform;
    TempTree tree;
    CDocument doc;
    CSizeInfo total, direct;
};

// Lists the folders "twin1" and "twin2" both as "twin\uFFFD" and opens that name as "twin1", as
// Wine shows sibling Linux folders whose names differ only in bytes that are not UTF-8.
class CWineTwinsPlatform : public CPlatformDecorator {
public:
    using CPlatformDecorator::CPlatformDecorator;
    uint32_t FindFirst(const std::string& pattern, std::unique_ptr<CFindHandle>& handle, CFindEntry& first) override
    {
        std::string opened = pattern;
        if (const std::size_t at = opened.find(kTwin); at != std::string::npos)
            opened.replace(at, kTwin.size(), "twin1");
        const uint32_t code = CPlatformDecorator::FindFirst(opened, handle, first);
        if (code == 0) {
            Rename(first);
            handle = std::make_unique<Renaming>(std::move(handle));
        }
        return code;
    }

private:
    static inline const std::string kTwin = "twin\xEF\xBF\xBD";
    static void Rename(CFindEntry& entry)
    {
        if (entry.name == "twin1" || entry.name == "twin2")
            entry.name = kTwin;
    }
    struct Renaming : CFindHandle {
        explicit Renaming(std::unique_ptr<CFindHandle> inner) : inner(std::move(inner)) {}
        bool Next(CFindEntry& entry) override
        {
            const bool more = inner->Next(entry);
            Rename(entry);
            return more;
        }
        std::unique_ptr<CFindHandle> inner;
    };
};

}  // namespace

TEST_F(FolderWalkTest, StoredFoldersAreAnsweredWithoutListingAndTotalsCountFilesBelowAndDirectOnesApart)
{
    tree.File("s/a/x", 3);
    tree.File("s/b/y", 4);
    // Cached only, nothing is listed and the caller's records stay as they are.
    CSizeInfo t, d;
    t.m_nFolders = -1;
    EXPECT_TRUE(walk.AggregateFolder(tree.Key("s"), t, d, nullptr, false, true));
    EXPECT_EQ(t.m_nFolders, -1);
    EXPECT_EQ(platform.listings, 0);
    EXPECT_FALSE(Stored(tree.Key("s")));

    ASSERT_TRUE(Walk(tree.Key("s")));
    const CSizeInfo first = total;
    const int listings = platform.listings;
    ASSERT_TRUE(Walk(tree.Key("s")));
    EXPECT_EQ(platform.listings, listings);
    EXPECT_EQ(total, first);

    // A later walk of an enclosing folder reuses the stored subfolders too.
    tree.File("s/b/new", 100);
    ASSERT_TRUE(Walk(tree.Key("s/b")));
    EXPECT_EQ(total.m_nSize, 4u);
    ASSERT_TRUE(Walk(tree.Key("s"), true));
    EXPECT_EQ(total.m_nSize, 107u);
    EXPECT_EQ(StoredTotal(tree.Key("s/b")).m_nSize, 104u);

    // Totals count the files below and the files directly inside apart.
    tree.File("f/ten", 10);
    tree.File("f/.twenty", 20);  // hidden files count too
    tree.File("f/sub/five", 5);
    tree.Folder("f/sub/empty");

    ASSERT_TRUE(Walk(tree.Key("f")));
    EXPECT_EQ(CountsOf(total), Counts(35, 2, 3));
    EXPECT_EQ(CountsOf(direct), Counts(30, 0, 2));
    EXPECT_TRUE(total.m_tModified.IsSet() && total.m_tAccessed.IsSet() && total.m_tCreated.IsSet());
    EXPECT_EQ(CountsOf(StoredTotal(tree.Key("f/sub"))), Counts(5, 1, 1));
    // Folders' own times never count: a tree of empty folders has no dates.
    EXPECT_TRUE(Stored(tree.Key("f/sub/empty")));
    EXPECT_EQ(StoredTotal(tree.Key("f/sub/empty")), CSizeInfo());
    // The progress title names the folder listed last.
    EXPECT_EQ(doc.GetTitle(), "集計中 " + tree.Key("f\\sub\\empty") + " ・・・");

    tree.File("big/a", 1);
    std::filesystem::resize_file(tree.Native("big/a"), 5ull << 30);  // sparse: no disk space used
    tree.File("big/b", 10);
    std::filesystem::resize_file(tree.Native("big/b"), 0xFFFFFFFFull);
    ASSERT_TRUE(Walk(tree.Key("big")));
    EXPECT_EQ(total.m_nSize, (5ull << 30) + 0xFFFFFFFFull);  // counted in full beyond 4 GiB
    EXPECT_EQ(direct.m_nSize, total.m_nSize);
    CFileStatus status;  // what the compare asks of a file
    ASSERT_TRUE(GetFileStatus(tree.Key("big/a"), status));
    EXPECT_EQ(status.m_size, 5ull << 30);
}

TEST_F(FolderWalkTest, StopInTheMiddleStoresOnlyFinishedFoldersAndQuitEndsTheProcess)
{
    tree.File("w/a/1", 1);
    tree.File("w/b/c/2", 2);
    tree.File("w/d/3", 3);
    // Stop at the first pump after w\a is complete, whatever order the system lists in.
    platform.onPump = [&](int) {
        if (Stored(tree.Key("w/a"))) {
            EXPECT_TRUE(walk.StopAggregation());
        }
    };
    const long openBefore = OpenDescriptors();
    EXPECT_FALSE(Walk(tree.Key("w")));
    EXPECT_EQ(OpenDescriptors(), openBefore);
    EXPECT_FALSE(app.m_settings.m_bWalkRunning);
    EXPECT_FALSE(Stored(tree.Key("w")));
    EXPECT_EQ(StoredTotal(tree.Key("w/a")).m_nSize, 1u);
    // The folder being entered at the stop has no record; w\b, if it was finished, has its total.
    EXPECT_LT(Stored(tree.Key("w/b")) + Stored(tree.Key("w/b/c")) + Stored(tree.Key("w/d")), 3);
    EXPECT_EQ(StoredTotal(tree.Key("w/b")).m_nSize, Stored(tree.Key("w/b")) ? 2u : 0u);
    EXPECT_EQ(doc.GetTitle().rfind("集計中 " + tree.Key("w"), 0), 0u);
    EXPECT_FALSE(walk.StopAggregation());  // nothing is waiting any more

    // A quit message inside the pump ends the process with code 0.
    platform.onPump = nullptr;
    platform.quitAtPump = platform.pumps + 2;
    try {
        Walk(tree.Key("w"), true);
        ADD_FAILURE() << "the walk went on after the quit message";
    } catch (const CScriptedPlatform::Quit& quit) {
        EXPECT_EQ(quit.exitCode, 0);
    }
}

TEST_F(FolderWalkTest, AnUnreadableFolderAsksAbortRetryIgnoreAndIgnoreLeavesItOutForTheCommand)
{
    tree.File("e/a/1", 1);
    tree.File("e/locked/2", 2);
    tree.File("e/shut/3", 4);
    const std::string locked = tree.Key("e/locked");
    const std::string shut = tree.Key("e/shut");
    platform.failingFolders[locked] = kErrorAccessDenied;
    platform.failingFolders[shut] = kErrorAccessDenied;

    // Retry asks again; Abort gives up the walk and stores nothing above the folder.
    BeginCommand({kIdRetry, kIdAbort});
    EXPECT_FALSE(Walk(tree.Key("e")));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.styles[0], 0x12u);
    const std::string& message = platform.messages[0];
    const std::string expectedStart = message.substr(0, message.find(' ')) == locked ? locked : shut;
    EXPECT_EQ(message.rfind(expectedStart + " にアクセスできません。\n\n", 0), 0u) << message;
    EXPECT_NE(message.find("\n\n( ｺｰﾄﾞ=0x5 )\n"), std::string::npos) << message;
    EXPECT_EQ(app.m_dwLastError, 5u);
    EXPECT_FALSE(Stored(tree.Key("e")));

    // Ignore once: both unreadable folders are left out, the rest is totalled.
    BeginCommand({kIdIgnore});
    ASSERT_TRUE(Walk(tree.Key("e")));
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(CountsOf(total), Counts(1, 1, 1));
    const auto& leftOut = walk.GetLeftOut();
    ASSERT_EQ(leftOut.size(), 2u);
    EXPECT_EQ((std::set{leftOut[0].folder, leftOut[1].folder}), (std::set{locked, shut}));
    EXPECT_TRUE(leftOut[0].code == kErrorAccessDenied && leftOut[1].code == kErrorAccessDenied);
    const std::string report = walk.LeftOutMessage(1);
    EXPECT_EQ(report.rfind("次のﾌｫﾙﾀﾞは読めなかったため、集計に含まれていません。\n\n", 0), 0u) << report;
    EXPECT_NE(report.find("ほか 1 個\n"), std::string::npos) << report;

    // A walk outside the command, and the next command, ask again.
    walk.EndCommand();
    EXPECT_FALSE(Walk(tree.Key("e"), true));
    EXPECT_EQ(platform.messages.size(), 2u);
    walk.BeginCommand();
    EXPECT_TRUE(walk.GetLeftOut().empty());
    EXPECT_EQ(walk.LeftOutMessage(), "");
    EXPECT_FALSE(Walk(tree.Key("e"), true));
    EXPECT_EQ(platform.messages.size(), 3u);
}

TEST_F(FolderWalkTest, AFolderGoneWhenOpenedAddsNothingButAMissingTopFailsSilently)
{
    tree.File("m/kept/1", 5);
    tree.Folder("m/gone");
    for (const uint32_t code : {kErrorPathNotFound, kErrorFileNotFound}) {
        SCOPED_TRACE(code);
        platform.failingFolders[tree.Key("m/gone")] = code;
        ASSERT_TRUE(Walk(tree.Key("m"), true));
        EXPECT_EQ(CountsOf(total), Counts(5, 1, 1));
        EXPECT_EQ(app.m_dwLastError, 0u);
        EXPECT_FALSE(Stored(tree.Key("m/gone")));
    }
#ifndef _WIN32  // Windows itself cannot make such a name
    // A name Win32 cannot open (trailing dots, as Wine lists some Linux names) is not gone: it
    // cannot be read, and is asked about and named like any unreadable folder.
    tree.File("m/dots.../2", 7);
    platform.failingFolders[tree.Key("m/dots...")] = kErrorPathNotFound;
    BeginCommand({kIdIgnore});
    ASSERT_TRUE(Walk(tree.Key("m"), true));
    EXPECT_EQ(total.m_nSize, 5u);
    ASSERT_EQ(walk.GetLeftOut().size(), 1u);
    EXPECT_EQ(walk.GetLeftOut()[0].folder, tree.Key("m/dots..."));
    platform.messages.clear();
#endif

    platform.failingFolders[tree.Key("m")] = kErrorPathNotFound;
    EXPECT_FALSE(Walk(tree.Key("m"), true));
    EXPECT_EQ(app.m_dwLastError, 3u);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FolderWalkTest, AFolderReplacedByAFileAfterItWasListedAddsNothingButOneStillThereIsUnreadable)
{
    // "p/x" becomes a file of 1000 bytes when the walk enters it, after "p" was listed (the first
    // pump of a walk enters its top folder, the next one "p/x", the only folder inside).
    const auto walkReplacingX = [this] {
        const int entersTop = platform.pumps + 1;
        platform.onPump = [this, entersTop](int pump) {
            if (pump == entersTop + 1) {
                std::filesystem::remove_all(tree.Native("p/x"));
                tree.File("p/x", 1000);
            }
        };
        walk.BeginCommand();
        const bool totalled = Walk(tree.Key("p"), true);
        platform.onPump = nullptr;
        return totalled;
    };
    struct Case {
        uint32_t scripted;  // the listing's error, or 0 for the system's own
        bool replaced;
        bool leftOut;
    };
    // The system's own answer (Wine: ERROR_INVALID_NAME, Linux: ENOTDIR), then the codes Windows
    // (ERROR_DIRECTORY) and Wine give, over a file in its place and over a folder still there.
    for (const Case c : {Case{0, true, false}, Case{kErrorInvalidName, true, false}, Case{267, true, false},
                         Case{kErrorInvalidName, false, true}, Case{267, false, true}}) {
        SCOPED_TRACE(testing::Message() << c.scripted << (c.replaced ? " replaced" : " still a folder"));
        std::filesystem::remove_all(tree.Native("p"));
        tree.File("p/keep", 5);
        tree.File("p/x/inner", 7);
        platform.failingFolders.clear();
        if (c.scripted)
            platform.failingFolders[tree.Key("p/x")] = c.scripted;
        platform.messages.clear();
        platform.answers = {kIdIgnore};
        ASSERT_TRUE(c.replaced ? walkReplacingX() : (walk.BeginCommand(), Walk(tree.Key("p"), true)));
        EXPECT_EQ(CountsOf(total), Counts(5, 0, 1));
        EXPECT_EQ(walk.GetLeftOut().size(), c.leftOut ? 1u : 0u);
        EXPECT_EQ(platform.messages.size(), c.leftOut ? 1u : 0u);
    }
}

TEST_F(FolderWalkTest, ASiblingListedUnderTheNameOfAnEarlierOneIsUnreadableNotTheEarlierOneAgain)
{
    tree.File("t/twin1/f", 100);
    tree.File("t/twin2/f", 101);
    tree.File("t/other/g", 3);
    CWineTwinsPlatform twins(platform);
    for (const bool recount : {true, false}) {
        SCOPED_TRACE(recount ? "recounted" : "answered from the records");
        app.m_folderInfo.RemoveAll();
        BeginCommand({kIdIgnore});
        ASSERT_TRUE(Walk(tree.Key("t"), recount));
        // One twin (whichever the system lists first) and the other folder, each counted once.
        EXPECT_TRUE(CountsOf(total) == Counts(103, 2, 2) || CountsOf(total) == Counts(104, 2, 2)) << total.m_nSize;
        ASSERT_EQ(walk.GetLeftOut().size(), 1u);
        EXPECT_EQ(walk.GetLeftOut()[0].folder, tree.Key("t") + "\\twin\xEF\xBF\xBD");
        EXPECT_EQ(walk.GetLeftOut()[0].code, uint32_t{kErrorInvalidName});
        EXPECT_EQ(platform.messages.size(), 1u);
    }
    // Abort stops the walk; nothing above the twins is stored.
    app.m_folderInfo.RemoveAll();
    BeginCommand({kIdAbort});
    EXPECT_FALSE(Walk(tree.Key("t"), true));
    EXPECT_FALSE(Stored(tree.Key("t")));
}

#ifndef _WIN32
// Natively the walk sees every such name as it is on disk; each folder's totals are its own.
TEST_F(FolderWalkTest, SiblingsThatLookAlikeInCp932AreTotalledApart)
{
    std::size_t expectedFiles = 0, expectedBytes = 0, size = 1;
    for (const auto& [a, b] : kLookAlikeSiblings) {
        for (const char* name : {a, b}) {
            tree.File(std::string(name) + "/f", size);
            expectedBytes += size++;
            ++expectedFiles;
        }
    }
    ASSERT_TRUE(Walk(tree.Key()));
    EXPECT_EQ(CountsOf(total), Counts(expectedBytes, static_cast<int32_t>(2 * std::size(kLookAlikeSiblings)),
                                      static_cast<int32_t>(expectedFiles)));
    size = 1;
    for (const auto& [a, b] : kLookAlikeSiblings)
        for (const char* name : {a, b})
            EXPECT_EQ(StoredTotal(tree.Key(name)).m_nSize, size++) << name;
}
#endif

TEST_F(FolderWalkTest, PseudoFileSystemsAreLeftOutAndOneAskedForDirectlyIsTotalledAsEmpty)
{
    tree.File("root/real/a", 10);
    tree.File("root/proc/kcore", 1000);
    tree.File("root/proc/1/status", 5);
    platform.pseudoFolders = {tree.Key("root/proc")};
    ASSERT_TRUE(Walk(tree.Key("root"), true));
    EXPECT_EQ(CountsOf(total), Counts(10, 1, 1));
    ASSERT_TRUE(Walk(tree.Key("root/proc"), true));
    EXPECT_EQ(CountsOf(total), Counts(0, 0, 0));
    EXPECT_TRUE(Stored(tree.Key("root/proc")));
    EXPECT_TRUE(platform.messages.empty());
}

#ifndef _WIN32
namespace {

// A chain of one-letter folders "a/a/a/...", made and removed through descriptors and renames,
// since its full path is far longer than any single call takes.
class FolderChain {
public:
    FolderChain(const std::filesystem::path& root, int depth) : m_root(root)
    {
        int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY);
        for (int level = 0; level < depth && fd >= 0; ++level) {
            mkdirat(fd, "a", 0755);
            const int next = openat(fd, "a", O_RDONLY | O_DIRECTORY);
            if (level == depth - 1)
                close(openat(next, "f", O_WRONLY | O_CREAT, 0644));
            close(fd);
            fd = next;
        }
        close(fd);
    }
    ~FolderChain()
    {
        // Lift the chain below the top folder one level at a time, then remove the emptied top.
        const std::string top = (m_root / "a").string(), below = (m_root / "a/a").string(),
                          parked = (m_root / "b").string();
        while (rename(below.c_str(), parked.c_str()) == 0) {
            rmdir(top.c_str());
            rename(parked.c_str(), top.c_str());
        }
        unlink((m_root / "a/f").c_str());
        rmdir(top.c_str());
    }

private:
    std::filesystem::path m_root;
};

}  // namespace

TEST_F(FolderWalkTest, AChainFarLongerThanOnePathMayBeIsTotalledToTheBottom)
{
    constexpr int kDepth = 3000;  // 6,000 characters of path below the tree, past the 4,096 of one call
    const FolderChain chain(tree.Root(), kDepth);
    const long openBefore = OpenDescriptors();
    ASSERT_TRUE(Walk(tree.Key(), true));
    EXPECT_EQ(OpenDescriptors(), openBefore);
    EXPECT_EQ(CountsOf(total), Counts(0, kDepth, 1));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(app.m_folderInfo.GetCount(), kDepth + 1);
}

TEST_F(FolderWalkTest, WholeComputerAddsEveryDriveAndStoresOnlyWhenTheLastSucceeds)
{
    tree.File("a/x", 1);
    tree.File("c/y/z", 2);
    tree.File("d/w", 4);
    CPosixPlatform drives({{'A', tree.Native("a")}, {'C', tree.Native("c")}, {'D', tree.Native("d")}});
    CScriptedPlatform onDrives(drives);
    const std::string computer = "ﾏｲ ｺﾝﾋﾟｭｰﾀ,";

    ASSERT_TRUE(Walk(computer));
    EXPECT_EQ(CountsOf(total), Counts(7, 4, 3));  // three drive roots and C:\y
    EXPECT_EQ(direct, CSizeInfo());
    EXPECT_TRUE(Stored(computer));

    app.m_folderInfo.RemoveAll();
    onDrives.failingFolders["D:\\"] = kErrorAccessDenied;  // the last drive fails: Cancel
    EXPECT_FALSE(Walk(computer));
    EXPECT_TRUE(Stored("C:\\") && Stored("A:\\"));
    EXPECT_FALSE(Stored(computer));

    // A drive root without any entry lists nothing: it fails silently and stores nothing.
    std::filesystem::remove(tree.Native("d/w"));
    onDrives.failingFolders.clear();
    app.m_folderInfo.RemoveAll();
    EXPECT_FALSE(Walk("D:\\"));
    EXPECT_EQ(onDrives.messages.size(), 1u);
}
#endif

TEST(FolderKeys, PatternsParentsAndNames)
{
    CAppCore app;
    const CFolderKeys& s = app.m_settings.m_keys;
    for (const auto& [key, pattern] : {std::pair{"C:", "C:\\*.*"}, {"C:\\", "C:\\*.*"}, {"C:\\Data", "C:\\Data\\*.*"}})
        EXPECT_EQ(CFolderWalk::MakeFindPattern(key), pattern) << key;
    // Parent and name (split at the last backslash, a drive's kept); 0x5C trail bytes are not backslashes.
    const std::string computer = "ﾏｲ ｺﾝﾋﾟｭｰﾀ,";
    for (const auto& [key, parent, last] : {std::tuple<std::string, std::string, std::string>{"C:\\", computer, ""},
                                            {computer, "", ""}, {"C:\\表\\ソ", "C:\\表", "ソ"}, {"C:\\a", "C:\\", "a"}}) {
        EXPECT_EQ(s.GetParentKey(key), parent) << key;
        EXPECT_EQ(s.GetNameOf(key), last) << key;
    }
    // Climbing from anything a damaged store file may hold ends at the top: "\" was its own parent.
    for (const std::string& key : {std::string("\\"), std::string("C:"), std::string("::"), std::string("rel\\x"),
                                   std::string(""), "C:\\" + std::string(40000, 'a'), std::string("\\\\srv\\share")}) {
        std::string climb = key;
        for (int steps = 0; !climb.empty(); ++steps) {
            ASSERT_LT(steps, 5) << key.substr(0, 20);
            climb = s.GetParentKey(climb);
        }
    }
}
