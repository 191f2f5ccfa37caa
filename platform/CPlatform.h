// CPlatform: the one interface through which the portable core reaches the operating system.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// Windows attribute bits as the core sees them; other bits are dropped by the implementations.
enum : uint32_t {
    kAttrReadOnly = 0x01,
    kAttrHidden = 0x02,
    kAttrSystem = 0x04,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
};

// Windows error codes the core reacts to; implementations map their own errors onto these.
enum : uint32_t {
    kErrorSuccess = 0,
    kErrorFileNotFound = 2,
    kErrorPathNotFound = 3,
    kErrorAccessDenied = 5,
    kErrorNotEnoughMemory = 8,
    kErrorInvalidName = 123,
    kErrorDirNotEmpty = 145,
    kErrorAlreadyExists = 183,
    kErrorFilenameTooLong = 206,
};

// Message-box styles and answers, with the Windows values so that the Win32 layer passes them through.
enum : unsigned {
    kMbOk = 0x0,
    kMbOkCancel = 0x1,
    kMbAbortRetryIgnore = 0x2,
    kMbYesNoCancel = 0x3,
    kMbYesNo = 0x4,
    kMbRetryCancel = 0x5,
    kMbIconHand = 0x10,
    kMbIconQuestion = 0x20,
    kMbIconExclamation = 0x30,
    kMbIconAsterisk = 0x40,
};
enum : int {
    kIdOk = 1,
    kIdCancel = 2,
    kIdAbort = 3,
    kIdRetry = 4,
    kIdIgnore = 5,
    kIdYes = 6,
    kIdNo = 7,
};

// The shell's file operations, with the shell's own numbers (FO_MOVE ... FO_RENAME).
enum : int {
    kFoMove = 1,
    kFoCopy = 2,
    kFoDelete = 3,
    kFoRename = 4,
};

// Drive types as GetDriveType reports them.
enum : uint32_t {
    kDriveUnknown = 0,
    kDriveNoRootDir = 1,
    kDriveRemovable = 2,
    kDriveFixed = 3,
    kDriveRemote = 4,
    kDriveCdrom = 5,
    kDriveRamdisk = 6,
};

// A small icon of the shell: its position in the system's small image list, which the Win32
// layer turns into an icon handle (CWin32Platform::SmallIconHandle). The core only carries it.
using ShellIconId = int32_t;
constexpr ShellIconId kNoShellIcon = -1;

// One directory entry or file status. Times are seconds since 1970-01-01 UTC, 0 when unknown.
// A symbolic link or junction is reported as a file of size 0 without the directory bit: the
// program never walks into one.
struct CFindEntry {
    std::string name;  // UTF-8, the last path component
    uint32_t attributes = 0;
    uint64_t size = 0;
    int64_t modified = 0;
    int64_t accessed = 0;
    int64_t created = 0;

    bool IsDirectory() const { return (attributes & kAttrDirectory) != 0; }
};

// An open directory listing: yields the entries after the first one, which FindFirst returns.
class CFindHandle {
public:
    virtual ~CFindHandle() = default;
    // Fills the next entry; false at the end of the listing.
    virtual bool Next(CFindEntry& entry) = 0;
};

// The operating-system services the core needs. Paths are Windows paths in UTF-8 ("C:\Data\x",
// or relative such as "フォルダZQ Position\Mn"); the POSIX implementation maps drive letters to
// directories the way Wine does (Z:\ is /). Tests wrap the system platform in a
// CPlatformDecorator and override what they script (message boxes, the pump, failing folders).
class CPlatform {
public:
    virtual ~CPlatform() = default;

    // File system
    // Starts a listing for a pattern such as "C:\Data\*.*"; returns 0 and the first entry, or the
    // Windows error code (2 when nothing matches, 3 when the folder does not exist).
    virtual uint32_t FindFirst(const std::string& pattern, std::unique_ptr<CFindHandle>& handle,
                               CFindEntry& first) = 0;
    // Status of one file or folder, as FindFirst would report it; false when it cannot be read.
    virtual bool GetFileStatus(const std::string& path, CFindEntry& status) = 0;
    // The drive roots in drive-letter order, such as "C:\", "Z:\".
    virtual std::vector<std::string> ListDriveRoots() = 0;
    virtual uint32_t DriveTypeOf(const std::string& root) = 0;
    // The free bytes of the volume holding root that this user may fill (quotas applied, as
    // GetDiskFreeSpaceEx counts them); returns 0 or the Windows error code, with 0 bytes then.
    virtual uint32_t FreeSpaceOf(const std::string& root, uint64_t& freeBytes) = 0;
    // A walk lists a tree depth first between these two calls (they nest). Meanwhile a platform
    // may keep the folders on the way down open, to open their sub-folders by name instead of by
    // full path; a folder renamed during the walk may then still be listed under its old path.
    virtual void BeginWalk() {}
    virtual void EndWalk() {}
    // True for the root of a pseudo file system such as /proc or /sys (Z:\proc under Wine), which
    // holds no files on disk; walks leave it out. Windows itself has none.
    virtual bool IsPseudoFileSystem(const std::string& folder) { (void)folder; return false; }
    // Creates one folder; returns 0 or the Windows error code (kErrorAlreadyExists when the name
    // is taken, by a folder or a file).
    virtual uint32_t CreateFolder(const std::string& path) = 0;
    // Removes one file, or a link (a junction) without touching what it leads to; returns 0 or the
    // Windows error code. A folder or a read-only file is refused (kErrorAccessDenied), as
    // DeleteFile refuses them.
    virtual uint32_t RemoveFile(const std::string& path) = 0;
    // Removes one empty folder; returns 0 or the Windows error code (kErrorDirNotEmpty when
    // something is still inside).
    virtual uint32_t RemoveFolder(const std::string& path) = 0;
    // The path to hand to the standard library's file streams.
    virtual std::filesystem::path NativePath(const std::string& path) = 0;
    // The Windows path (UTF-8) of an absolute native path; empty when no drive holds it.
    virtual std::string WindowsPathOf(const std::filesystem::path& nativePath);
    // The system's message text for a Windows error code, in the user's language.
    virtual std::string FormatSystemMessage(uint32_t code) = 0;

    // Time
    // Breaks a time (seconds since 1970 UTC) into local time; false when it cannot.
    virtual bool LocalTime(int64_t time, std::tm& local) = 0;
    // The C library's mktime: normalises the fields of a local time (a day 0 is the last day of
    // the month before, and so on) and returns its seconds since 1970 UTC, or -1 when the library
    // cannot represent it.
    virtual int64_t MakeLocalTime(std::tm& local);

    // Shell
    // The name the shell shows for a path: the label and letter of a drive root (" (C:)" when the
    // drive has no label), the last component of another path; empty when the shell has none.
    virtual std::string ShellDisplayNameOf(const std::string& path) = 0;
    // The shell's small icon of a path; kNoShellIcon when the shell gives none.
    virtual ShellIconId ShellSmallIconOf(const std::string& path) = 0;
    // Opens a file with the program the shell associates with it ("open"); false when the shell
    // could not. The shell shows its own message about a file it cannot open.
    virtual bool ShellOpen(const std::string& path) = 0;
    // One file operation of the shell (kFoMove ... kFoRename) on every source, in one call, so
    // that the user meets one confirmation for the whole list: move or copy into the destination
    // folder, delete to the recycle bin (the destination unused), rename the one source to the
    // destination path. The shell shows its own confirmations, progress and messages. Returns 0,
    // or nonzero when the operation failed or a path could not be handed to the shell at all;
    // what was done before a failure stays done.
    virtual int ShellFileOperation(int operation, const std::vector<std::string>& sources,
                                   const std::string& destination) = 0;
    // True when the shell moves a file onto an existing file of its name without asking (Wine's
    // does; Windows' asks), so that the program must ask before such a move itself.
    virtual bool ShellMovesOverFilesUnasked() { return false; }

    // User interface
    // Shows a message box with the program's title; returns the button pressed (kIdOk ...).
    virtual int ShowMessageBox(const std::string& text, unsigned style) = 0;
    // Dispatches every waiting window message; false when the quit message was taken.
    virtual bool PumpWaitingMessages() = 0;
    // Posts the quit message again and ends the process at once.
    [[noreturn]] virtual void QuitProcess(int exitCode) = 0;
};

// The platform the core uses: the system's, unless a test installed another.
CPlatform& GetPlatform();
// Installs a platform (tests); nullptr restores the system's. Returns the previous one.
CPlatform* SetPlatform(CPlatform* platform);
// The system's platform object, created on first use.
CPlatform& GetSystemPlatform();
