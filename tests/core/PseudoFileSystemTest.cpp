// Pseudo file systems (/proc, /sys, /dev ...) found in the mount table (the walk test leaves them out).
#include <gtest/gtest.h>

#include <set>

#include "CPseudoMounts.h"
#include "TestSupport.h"

namespace {

TEST(PseudoMounts, TheMountTableNamesPseudoFileSystemsByTypeWhereverTheyAreMounted)
{
    const std::string table =
        "22 1 0:21 / /proc rw,nosuid shared:12 - proc proc rw\n"
        "23 1 0:22 / /sys rw shared:7 - sysfs sysfs rw\n"
        "24 1 0:5 / /dev rw shared:2 - devtmpfs udev rw,size=10g\n"
        "25 24 0:23 / /dev/pts rw - devpts devpts rw\n"
        "26 24 0:24 / /dev/shm rw - tmpfs tmpfs rw\n"                      // real files in memory
        "27 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "28 1 0:25 / /mnt/my\\040proc rw - proc proc rw\n"                // an escaped blank
        "29 1 8:2 / /proc2 rw master:1 propagation_from:2 - ext4 /dev/sda2 rw\n"
        "30 1 0:26 / /run/user/0 rw - tmpfs tmpfs rw\n"
        "31 1 0:27 / / rw - proc proc rw\n"                              // never the whole root
        "garbage line\n"
        "32 1 0:28 / /sys/kernel/debug rw\n";                            // no separator: skipped
    const std::set<std::string> expected = {"/proc", "/sys", "/dev", "/dev/pts", "/mnt/my proc"};
    const auto points = CPseudoMounts::PseudoMountPoints(table);
    EXPECT_EQ(std::set<std::string>(points.begin(), points.end()), expected);

    const CPseudoMounts mounts = CPseudoMounts::FromMountInfo(table, [](const std::string& point) {
        return point == "/dev" ? std::string() : "Z:" + point;  // a point no drive holds is dropped
    });
    for (const auto& [point, bContained] : {std::pair{"Z:/proc", true}, {"Z:/dev", false}, {"Z:/dev/shm", false}})
        EXPECT_EQ(mounts.Contains(point), bContained) << point;
}

#ifndef _WIN32
TEST(PseudoMounts, TheSystemPlatformFindsProcInThisMachinesTable)
{
    if (!std::filesystem::exists("/proc/self/mountinfo"))
        GTEST_SKIP() << "no mount table here";
    for (const auto& [key, bPseudo] : {std::pair{"Z:\\proc", true}, {"Z:\\", false}, {"Z:\\usr", false}})
        EXPECT_EQ(GetPlatform().IsPseudoFileSystem(key), bPseudo) << key;
}
#endif

}  // namespace
