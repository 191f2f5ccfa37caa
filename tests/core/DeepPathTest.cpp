// Folders deeper than the system's limit for one path are walked like any other.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TestSupport.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"

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

TEST(DeepPaths, AChainFarLongerThanOnePathMayBeIsTotalledToTheBottom)
{
    CAppCore app;
    CScriptedPlatform platform;
    TempTree tree;
    constexpr int kDepth = 3000;  // 6,000 characters of path below the tree, past the 4,096 of one call
    const FolderChain chain(tree.Root(), kDepth);
    CSizeInfo total, direct;
    const long openBefore = OpenDescriptors();
    ASSERT_TRUE(app.m_settings.m_walk.AggregateFolder(tree.Key(), total, direct, nullptr, true, false));
    EXPECT_EQ(OpenDescriptors(), openBefore);
    EXPECT_EQ(CountsOf(total), Counts(0, kDepth, 1));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(app.m_folderInfo.GetCount(), kDepth + 1);
}

}  // namespace
#endif
