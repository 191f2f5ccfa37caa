// Linux implementation of the platform services.
#include "CPosixPlatform.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "CPosixShellOperation.h"

namespace {

uint32_t WindowsErrorOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return kErrorPathNotFound;
    case EACCES:
    case EPERM:
        return kErrorAccessDenied;
    case ENAMETOOLONG:
        return kErrorFilenameTooLong;
    case ENOMEM:
        return kErrorNotEnoughMemory;
    case EEXIST:
        return kErrorAlreadyExists;
    case ENOTEMPTY:
        return kErrorDirNotEmpty;
    case EISDIR:
        return kErrorAccessDenied;
    case EBUSY:
    case ETXTBSY:
        return 32;  // ERROR_SHARING_VIOLATION
    case EMFILE:
    case ENFILE:
        return 4;  // ERROR_TOO_MANY_OPEN_FILES
    default:
        return 31;  // ERROR_GEN_FAILURE
    }
}

int64_t BirthOrModified(const struct statx& st)
{
    if ((st.stx_mask & STATX_BTIME) && st.stx_btime.tv_sec > 0)
        return st.stx_btime.tv_sec;
    return st.stx_mtime.tv_sec;
}

// Fills an entry from the file's status; false for what Windows would not list.
bool EntryFromStatus(const struct statx& st, const std::string& name, CFindEntry& entry)
{
    const mode_t type = st.stx_mode & S_IFMT;
    if (type != S_IFREG && type != S_IFDIR && type != S_IFLNK)
        return false;
    entry.name = name;
    entry.attributes = 0;
    entry.size = 0;
    if (type == S_IFDIR)
        entry.attributes |= kAttrDirectory;
    else
        entry.attributes |= kAttrArchive;
    if (type == S_IFREG)
        entry.size = st.stx_size;
    if (!(st.stx_mode & S_IWUSR))
        entry.attributes |= kAttrReadOnly;
    if (name.size() > 1 && name[0] == '.' && name != "..")
        entry.attributes |= kAttrHidden;
    entry.modified = st.stx_mtime.tv_sec;
    entry.accessed = st.stx_atime.tv_sec;
    entry.created = BirthOrModified(st);
    return true;
}

bool StatEntry(int dirFd, const char* name, CFindEntry& entry)
{
    struct statx st;
    if (statx(dirFd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
              STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_MTIME | STATX_ATIME | STATX_BTIME, &st) != 0)
        return false;
    return EntryFromStatus(st, name, entry);
}

// The positions Windows gives these icons in its small image list; any fixed numbers would do.
constexpr ShellIconId kFileIcon = 0;
constexpr ShellIconId kFolderIcon = 3;
constexpr ShellIconId kDriveIcon = 8;

bool IsWildcardAll(const std::string& mask)
{
    return mask == "*" || mask == "*.*";
}

// A directory's entries, read in one go when the listing starts. The listing holds no open
// directory, so a deep walk cannot run out of file descriptors (the platform keeps at most
// kMaxOpenFolders of a walk's folders open).
class CPosixFindHandle : public CFindHandle {
public:
    // Reads the entries; the descriptor stays the caller's.
    CPosixFindHandle(int dirFd, const std::string& mask, bool skipDots)
        : m_mask(mask), m_matchAll(IsWildcardAll(mask)), m_skipDots(skipDots)
    {
        ReadEntries(dirFd);
    }

    bool Next(CFindEntry& entry) override
    {
        if (m_nextIndex >= m_entries.size())
            return false;
        entry = std::move(m_entries[m_nextIndex++]);
        return true;
    }

private:
    // getdents64 with a large buffer: half the system calls of readdir, and no status query of
    // the directory itself, which a walk of many small folders notices.
    void ReadEntries(int dirFd)
    {
        alignas(8) static thread_local char buffer[64 * 1024];
        m_entries.reserve(kUsualEntries);
        CFindEntry entry;
        for (;;) {
            const long filled = syscall(SYS_getdents64, dirFd, buffer, sizeof buffer);
            if (filled <= 0)
                return;
            for (long offset = 0; offset < filled;) {
                const auto* d = reinterpret_cast<const dirent64*>(buffer + offset);
                offset += d->d_reclen;
                if (!Accepts(d->d_name))
                    continue;
                if (IsDotsName(d->d_name))
                    m_entries.push_back(DotsEntry(d->d_name));
                else if (StatEntry(dirFd, d->d_name, entry))
                    m_entries.push_back(std::move(entry));
            }
        }
    }

    static bool IsDotsName(const char* name)
    {
        return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
    }

    // "." and ".." are listed where Windows lists them, but every walk and list skips them, so
    // they are not asked for their status: a third fewer status calls in a tree of small folders.
    static CFindEntry DotsEntry(const char* name)
    {
        CFindEntry entry;
        entry.name = name;
        entry.attributes = kAttrDirectory;
        return entry;
    }

    bool Accepts(const char* name) const
    {
        if (IsDotsName(name) && m_skipDots)
            return false;
        // A backslash cannot be part of a Windows name: such an entry could not be addressed.
        for (const char* p = name; *p; ++p)
            if (*p == '\\')
                return false;
        return m_matchAll || fnmatch(m_mask.c_str(), name, FNM_CASEFOLD) == 0;
    }

    static constexpr std::size_t kUsualEntries = 32;  // enough for most folders in one allocation

    std::string m_mask;
    bool m_matchAll;
    bool m_skipDots;
    std::vector<CFindEntry> m_entries;
    std::size_t m_nextIndex = 0;
};

}  // namespace

CPosixPlatform::CPosixPlatform() : CPosixPlatform(DriveMap{{'Z', "/"}}) {}

CPosixPlatform::CPosixPlatform(DriveMap drives) : m_drives(std::move(drives)) {}

std::string CPosixPlatform::ToNative(const std::string& path) const
{
    std::string rest = path;
    std::string native;
    if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
        const auto drive = m_drives.find(static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0]))));
        // An unmapped drive leads nowhere, like a drive letter that does not exist.
        native = drive == m_drives.end() ? std::string("/nonexistent-drive-") + rest[0] : drive->second;
        rest.erase(0, 2);
        if (!native.empty() && native.back() == '/' && !rest.empty() && rest[0] == '\\')
            rest.erase(0, 1);
    }
    for (char& c : rest)
        if (c == '\\')
            c = '/';
    native += rest;
    if (native.empty())
        native = "/";
    return native;
}

std::string CPosixPlatform::WindowsPathOf(const std::filesystem::path& native)
{
    std::string nativePath = native.lexically_normal().string();
    if (nativePath.size() > 1 && nativePath.back() == '/')
        nativePath.pop_back();
    std::string bestRoot;
    char bestDrive = 0;
    for (const auto& [letter, root] : m_drives) {
        std::string prefix = root;
        if (prefix.size() > 1 && prefix.back() == '/')
            prefix.pop_back();
        const bool inside = nativePath == prefix ||
                            (nativePath.compare(0, prefix.size(), prefix) == 0 &&
                             (prefix == "/" || nativePath[prefix.size()] == '/'));
        if (inside && prefix.size() >= bestRoot.size()) {
            bestRoot = prefix;
            bestDrive = letter;
        }
    }
    if (!bestDrive)
        return std::string();
    std::string rest = nativePath.substr(bestRoot == "/" ? 1 : bestRoot.size());
    if (!rest.empty() && rest[0] == '/')
        rest.erase(0, 1);
    for (char& c : rest)
        if (c == '/')
            c = '\\';
    std::string windowsPath{bestDrive, ':', '\\'};
    windowsPath.append(rest);
    return windowsPath;
}

bool CPosixPlatform::IsDriveRootFolder(const std::string& nativeFolder) const
{
    for (const auto& drive : m_drives) {
        std::string root = drive.second;
        if (root.size() > 1 && root.back() == '/')
            root.pop_back();
        if (nativeFolder == root || nativeFolder == root + "/")
            return true;
    }
    return false;
}

namespace {
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
}

uint32_t CPosixPlatform::FindFirst(const std::string& pattern, std::unique_ptr<CFindHandle>& handle,
                                   CFindEntry& first)
{
    handle.reset();
    const std::string native = ToNative(pattern);
    const std::size_t slash = native.rfind('/');
    const std::string folder = slash == 0 ? "/" : native.substr(0, slash);
    const std::string mask = native.substr(slash + 1);
    const int dirFd = OpenForListing(folder);
    if (dirFd < 0)
        return WindowsErrorOf(errno);
    auto listing = std::make_unique<CPosixFindHandle>(dirFd, mask, IsDriveRootFolder(folder));
    DoneListing(folder, dirFd);
    if (!listing->Next(first))
        return kErrorFileNotFound;
    handle = std::move(listing);
    return kErrorSuccess;
}

int CPosixPlatform::OpenForListing(const std::string& nativeFolder)
{
    CloseFoldersNotAbove(nativeFolder);
    const std::size_t slash = nativeFolder.rfind('/');
    if (!m_openFolders.empty() && slash != std::string::npos && slash == m_openFolders.back().path.size())
        return openat(m_openFolders.back().fd, nativeFolder.c_str() + slash + 1, kFolderFlags);
    const int fd = open(nativeFolder.c_str(), kFolderFlags);
    if (fd >= 0 || errno != ENAMETOOLONG)
        return fd;
    return OpenLongPath(nativeFolder);
}

int CPosixPlatform::OpenLongPath(const std::string& nativeFolder)
{
    // From the deepest folder held open above it, or from the root, a stretch of components at a
    // time, each stretch well within the system's limit for one path.
    constexpr std::size_t kStretch = 2048;
    const bool fromOpen = !m_openFolders.empty();
    int current = fromOpen ? m_openFolders.back().fd : open("/", kFolderFlags);
    std::size_t pos = fromOpen ? m_openFolders.back().path.size() + 1 : 1;
    bool owned = !fromOpen;
    while (current >= 0 && pos < nativeFolder.size()) {
        std::size_t end = nativeFolder.size();
        if (end - pos > kStretch) {
            end = nativeFolder.rfind('/', pos + kStretch);
            if (end == std::string::npos || end <= pos)
                end = nativeFolder.find('/', pos + 1) == std::string::npos ? nativeFolder.size()
                                                                          : nativeFolder.find('/', pos + 1);
        }
        const int next = openat(current, nativeFolder.substr(pos, end - pos).c_str(), kFolderFlags);
        const int error = errno;
        if (owned)
            close(current);
        errno = error;
        current = next;
        owned = true;
        pos = end + 1;
    }
    return current;
}

void CPosixPlatform::DoneListing(const std::string& nativeFolder, int fd)
{
    if (m_walkDepth == 0) {
        close(fd);
        return;
    }
    // The deepest folders are the ones the next listings open from: past the limit the
    // shallowest is let go, so that however deep a walk goes a sub-folder opens by its name.
    if (m_openFolders.size() >= kMaxOpenFolders) {
        close(m_openFolders.front().fd);
        m_openFolders.erase(m_openFolders.begin());
    }
    m_openFolders.push_back(OpenFolder{nativeFolder, fd});
}

void CPosixPlatform::CloseFoldersNotAbove(const std::string& nativeFolder)
{
    const auto isAbove = [&nativeFolder](const std::string& path) {
        return nativeFolder.size() > path.size() && nativeFolder.compare(0, path.size(), path) == 0 &&
               nativeFolder[path.size()] == '/';
    };
    while (!m_openFolders.empty() && !isAbove(m_openFolders.back().path)) {
        close(m_openFolders.back().fd);
        m_openFolders.pop_back();
    }
}

void CPosixPlatform::BeginWalk()
{
    if (m_walkDepth++ == 0)
        m_mountTable.RefreshIfOld();
}

bool CPosixPlatform::IsPseudoFileSystem(const std::string& folder)
{
    return m_mountTable.Contains(folder);
}

CPseudoMounts CPosixPlatform::ReadMountTable()
{
    std::ifstream table("/proc/self/mountinfo");
    const std::string text((std::istreambuf_iterator<char>(table)), std::istreambuf_iterator<char>());
    return CPseudoMounts::FromMountInfo(
        text, [this](const std::string& point) { return WindowsPathOf(std::filesystem::path(point)); });
}

void CPosixPlatform::EndWalk()
{
    if (m_walkDepth > 0 && --m_walkDepth == 0)
        CloseFoldersNotAbove("");
}

bool CPosixPlatform::GetFileStatus(const std::string& path, CFindEntry& status)
{
    const std::string native = ToNative(path);
    const std::size_t slash = native.rfind('/');
    const std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
    struct statx st;
    if (statx(AT_FDCWD, native.c_str(), AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
              STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_MTIME | STATX_ATIME | STATX_BTIME, &st) != 0)
        return false;
    return EntryFromStatus(st, name, status);
}

std::vector<std::string> CPosixPlatform::ListDriveRoots()
{
    std::vector<std::string> roots;
    for (const auto& drive : m_drives)
        roots.push_back(std::string(1, drive.first) + ":\\");
    return roots;
}

uint32_t CPosixPlatform::DriveTypeOf(const std::string& root)
{
    if (root.size() < 2 || root[1] != ':')
        return kDriveNoRootDir;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
    return m_drives.count(letter) ? kDriveFixed : kDriveNoRootDir;
}

uint32_t CPosixPlatform::FreeSpaceOf(const std::string& root, uint64_t& freeBytes)
{
    freeBytes = 0;
    struct statvfs st;
    if (statvfs(ToNative(root).c_str(), &st) != 0)
        return WindowsErrorOf(errno);
    if (__builtin_mul_overflow(static_cast<uint64_t>(st.f_bavail), static_cast<uint64_t>(st.f_frsize), &freeBytes))
        freeBytes = UINT64_MAX;
    return kErrorSuccess;
}

char CPosixPlatform::MappedRootLetter(const std::string& path) const
{
    const bool root = (path.size() == 2 || (path.size() == 3 && path[2] == '\\')) && path[1] == ':';
    if (!root)
        return 0;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
    return m_drives.count(letter) ? letter : 0;
}

uint32_t CPosixPlatform::CreateFolder(const std::string& path)
{
    if (mkdir(ToNative(path).c_str(), 0777) != 0)
        return WindowsErrorOf(errno);
    return kErrorSuccess;
}

uint32_t CPosixPlatform::RemoveFile(const std::string& path)
{
    const std::string native = ToNative(path);
    struct stat st;
    if (lstat(native.c_str(), &st) != 0)
        return WindowsErrorOf(errno);
    // A file without write permission is what the listing calls read-only, and Windows (Wine
    // too) deletes no read-only file; unlink would, even for root.
    if (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR)))
        return kErrorAccessDenied;
    if (unlink(native.c_str()) != 0)
        return WindowsErrorOf(errno);
    return kErrorSuccess;
}

uint32_t CPosixPlatform::RemoveFolder(const std::string& path)
{
    if (rmdir(ToNative(path).c_str()) == 0)
        return kErrorSuccess;
    // POSIX allows EEXIST as well as ENOTEMPTY for a folder that is not empty.
    return errno == EEXIST ? kErrorDirNotEmpty : WindowsErrorOf(errno);
}

std::filesystem::path CPosixPlatform::NativePath(const std::string& path)
{
    return std::filesystem::path(ToNative(path));
}

std::string CPosixPlatform::FormatSystemMessage(uint32_t code)
{
    // The texts Japanese Windows gives for the codes a listing meets most often.
    switch (code) {
    case kErrorFileNotFound:
        return "指定されたファイルが見つかりません。\r\n";
    case kErrorPathNotFound:
        return "指定されたパスが見つかりません。\r\n";
    case kErrorAccessDenied:
        return "アクセスが拒否されました。\r\n";
    case kErrorNotEnoughMemory:
        return "このコマンドを実行するのに十分な記憶域がありません。\r\n";
    case kErrorFilenameTooLong:
        return "ファイル名または拡張子が長すぎます。\r\n";
    case kErrorDirNotEmpty:
        return "ディレクトリが空ではありません。\r\n";
    case kErrorAlreadyExists:
        return "既に存在するファイルを作成することはできません。\r\n";
    default:
        return "";
    }
}

std::string CPosixPlatform::ShellDisplayNameOf(const std::string& path)
{
    if (const char letter = MappedRootLetter(path))
        return std::string(" (") + letter + ":)";
    CFindEntry status;
    if (path.empty() || !GetFileStatus(path, status))
        return std::string();
    return status.name;
}

// The core never opens documents itself; only the Windows program's list does.
bool CPosixPlatform::ShellOpen(const std::string&)
{
    return false;
}

int CPosixPlatform::ShellFileOperation(int operation, const std::vector<std::string>& sources,
                                       const std::string& destination)
{
    std::vector<std::filesystem::path> nativeSources;
    for (const std::string& source : sources)
        nativeSources.push_back(ToNative(source));
    return CPosixShellOperation(operation, std::move(nativeSources), ToNative(destination)).Run();
}

ShellIconId CPosixPlatform::ShellSmallIconOf(const std::string& path)
{
    if (MappedRootLetter(path))
        return kDriveIcon;
    CFindEntry status;
    if (path.empty() || !GetFileStatus(path, status))
        return kNoShellIcon;
    return status.IsDirectory() ? kFolderIcon : kFileIcon;
}

bool CPosixPlatform::LocalTime(int64_t time, std::tm& local)
{
    const time_t t = static_cast<time_t>(time);
    return localtime_r(&t, &local) != nullptr;
}

int CPosixPlatform::ShowMessageBox(const std::string& text, unsigned style)
{
    std::fprintf(stderr, "%s\n", text.c_str());
    switch (style & 0xF) {
    case kMbOkCancel:
    case kMbYesNoCancel:
    case kMbRetryCancel:
        return kIdCancel;
    case kMbYesNo:
        return kIdNo;
    default:
        return kIdOk;
    }
}

bool CPosixPlatform::PumpWaitingMessages()
{
    return true;
}

void CPosixPlatform::QuitProcess(int exitCode)
{
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

CPlatform& GetSystemPlatform()
{
    static CPosixPlatform platform;
    return platform;
}
