// CPosixPlatform: the platform services on Linux, with Windows drive letters mapped to directories.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "CPlatform.h"
#include "CPseudoMountTable.h"

// Lets the core run and be tested natively. Windows paths are translated the way Wine does it:
// each drive letter stands for a directory (by default only Z:, the root /), backslashes become
// slashes, a path without a drive letter stays relative to the current directory. Listings
// follow Windows: "." and ".." except at a drive root, error codes as FindFirstFile gives them,
// links reported as empty files, and entries Windows could not show (sockets, devices, names
// holding a backslash) left out. Drives have no labels, as under Wine, and the shell's icons are
// fixed numbers. Message boxes print their text on stderr and take the safe answer (Cancel, No or
// OK), since a console has nobody to ask.
class CPosixPlatform : public CPlatform {
public:
    // drive letter ('A'..'Z') -> directory
    using DriveMap = std::map<char, std::string>;

    CPosixPlatform();
    explicit CPosixPlatform(DriveMap drives);

    uint32_t FindFirst(const std::string& pattern, std::unique_ptr<CFindHandle>& handle,
                       CFindEntry& first) override;
    bool GetFileStatus(const std::string& path, CFindEntry& status) override;
    std::vector<std::string> ListDriveRoots() override;
    uint32_t DriveTypeOf(const std::string& root) override;
    // statvfs's blocks available to unprivileged users.
    uint32_t FreeSpaceOf(const std::string& root, uint64_t& freeBytes) override;
    uint32_t CreateFolder(const std::string& path) override;
    uint32_t RemoveFile(const std::string& path) override;
    uint32_t RemoveFolder(const std::string& path) override;
    std::filesystem::path NativePath(const std::string& path) override;
    // "/tmp/x" -> "Z:\tmp\x": the mapped drive with the longest root that holds the path.
    std::string WindowsPathOf(const std::filesystem::path& nativePath) override;
    std::string FormatSystemMessage(uint32_t code) override;
    bool LocalTime(int64_t time, std::tm& local) override;
    // Named as Wine's shell names them: a mapped drive root " (Z:)", any other existing path its
    // last component; nothing for what does not exist.
    std::string ShellDisplayNameOf(const std::string& path) override;
    // A fixed icon for each kind of path: file, folder or drive root.
    ShellIconId ShellSmallIconOf(const std::string& path) override;
    bool ShellOpen(const std::string& path) override;
    // The operation done here, nobody asked (CPosixShellOperation); a delete is permanent.
    int ShellFileOperation(int operation, const std::vector<std::string>& sources,
                           const std::string& destination) override;
    int ShowMessageBox(const std::string& text, unsigned style) override;
    bool PumpWaitingMessages() override;
    [[noreturn]] void QuitProcess(int exitCode) override;
    // During a walk the deepest folders on the way down stay open (up to kMaxOpenFolders of them).
    void BeginWalk() override;
    void EndWalk() override;
    // From the mount table, read again when a walk begins and the last reading is a few seconds old.
    bool IsPseudoFileSystem(const std::string& folder) override;

    static constexpr std::size_t kMaxOpenFolders = 64;

private:
    struct OpenFolder {
        std::string path;  // native
        int fd;
    };

    // A folder's descriptor for listing: opened by name from its parent when the walk holds that
    // open, which spares the system a lookup of every component of the path.
    int OpenForListing(const std::string& nativeFolder);
    // Opens a folder whose path is longer than the system takes in one call (about 4,096 bytes).
    int OpenLongPath(const std::string& nativeFolder);
    // Keeps a listed folder open for its sub-folders during a walk, or closes it.
    void DoneListing(const std::string& nativeFolder, int fd);
    // Closes the open folders that are not above nativeFolder; all of them for "".
    void CloseFoldersNotAbove(const std::string& nativeFolder);

    std::string ToNative(const std::string& path) const;
    bool IsDriveRootFolder(const std::string& nativeFolder) const;
    // The drive letter of a root such as "z:\" or "Z:", 0 when the path is no root of a mapped drive.
    char MappedRootLetter(const std::string& path) const;

    CPseudoMounts ReadMountTable();

    DriveMap m_drives;
    int m_walkDepth = 0;
    CPseudoMountTable m_mountTable{[this] { return ReadMountTable(); }};
    std::vector<OpenFolder> m_openFolders;  // each one inside the one before
};
