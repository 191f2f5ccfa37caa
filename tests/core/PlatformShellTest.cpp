// Tests of the platform's free space and shell names and icons, against the real file system:
// the POSIX platform natively, the Win32 platform on Windows or under Wine.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "TestSupport.h"
#ifdef _WIN32
#include <windows.h>

#include "win32/CWin32Platform.h"
#else
#include "posix/CPosixPlatform.h"
#endif

#ifndef _WIN32

TEST(PosixShellTest, DrivesAreNamedAsWineNamesThemWithIconsApartAndTheFreeSpaceOfTheirFileSystem)
{
    TempTree tree;
    tree.Folder("dir");
    tree.File("file.txt", 1);
    CPosixPlatform platform({{'C', tree.Root().string()}, {'Z', "/"}});
    // Q: is no drive; other paths are named by their last component.
    for (const auto& [path, name] : {std::pair{"C:\\", " (C:)"}, {"z:\\", " (Z:)"}, {"C:", " (C:)"}, {"Q:\\", ""},
                                     {"C:\\dir", "dir"}, {"C:\\file.txt", "file.txt"}, {"C:\\missing", ""}, {"", ""}})
        EXPECT_EQ(platform.ShellDisplayNameOf(path), name) << path;

    const ShellIconId drive = platform.ShellSmallIconOf("C:\\");
    const ShellIconId folder = platform.ShellSmallIconOf("C:\\dir");
    const ShellIconId file = platform.ShellSmallIconOf("C:\\file.txt");
    for (const ShellIconId icon : {drive, folder, file})
        EXPECT_GE(icon, 0);
    EXPECT_NE(drive, folder);
    EXPECT_NE(folder, file);
    for (const char* path : {"C:\\missing", "Q:\\", ""})
        EXPECT_EQ(platform.ShellSmallIconOf(path), kNoShellIcon) << path;

    uint64_t free = 0;
    ASSERT_EQ(platform.FreeSpaceOf("C:\\", free), kErrorSuccess);
    const double expected = static_cast<double>(std::filesystem::space(tree.Root()).available);
    EXPECT_NEAR(static_cast<double>(free), expected, 256.0 * 1024 * 1024);  // others write meanwhile
    EXPECT_GT(free, 0u);
    free = 1;
    EXPECT_EQ(platform.FreeSpaceOf("Q:\\", free), kErrorPathNotFound);
    EXPECT_EQ(free, 0u);
}

#else

namespace {

// A drive letter that no drive uses on this machine.
std::string UnusedDriveRoot()
{
    const DWORD used = GetLogicalDrives();
    for (int letter = 25; letter >= 3; --letter)
        if (!(used & (1u << letter)))
            return std::string(1, static_cast<char>('A' + letter)) + ":\\";
    return std::string();
}

}  // namespace

TEST(Win32ShellTest, DriveRootsHaveTheShellsNameSmallIconsFromTheSystemImageListAndFreeSpaceOrAnErrorCode)
{
    CWin32Platform& platform = CWin32Platform::Instance();
    EXPECT_NE(platform.ShellDisplayNameOf("C:\\").find("(C:)"), std::string::npos)
        << platform.ShellDisplayNameOf("C:\\");
    EXPECT_EQ(platform.ShellDisplayNameOf("C:\\no such folder of zq"), "");
    EXPECT_EQ(platform.ShellDisplayNameOf(""), "");

    const ShellIconId icon = platform.ShellSmallIconOf("C:\\");
    ASSERT_GE(icon, 0);
    const HICON handle = platform.SmallIconHandle(icon);
    ASSERT_NE(handle, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(handle, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(handle);
    EXPECT_EQ(platform.SmallIconHandle(kNoShellIcon), nullptr);
    EXPECT_EQ(platform.ShellSmallIconOf(""), kNoShellIcon);

    // A fixed drive's free space, and an error code for a missing drive.
    uint64_t free = 0;
    ASSERT_EQ(platform.FreeSpaceOf("C:\\", free), kErrorSuccess);
    EXPECT_GT(free, 0u);

    const std::string missing = UnusedDriveRoot();
    ASSERT_FALSE(missing.empty());
    free = 1;
    EXPECT_NE(platform.FreeSpaceOf(missing, free), kErrorSuccess);
    EXPECT_EQ(free, 0u);
}

#endif
