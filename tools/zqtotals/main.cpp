// zqtotals: prints the totals of folders with the program's own walk, for scripts and benchmarks.
// `zqtotals --help` tells how it is used and what it counts.
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <ios>
#include <string>
#include <vector>

#include "CPlatform.h"
#include "CPlatformDecorator.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "fw/CArchive.h"
#include "fw/CFile.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include "text/Utf.h"
#endif

namespace {

std::vector<std::string> Arguments(int argc, char** argv)
{
    std::vector<std::string> args;
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i)
        args.push_back(Utf::Utf16ToUtf8(reinterpret_cast<const char16_t*>(wide[i])));
    LocalFree(wide);
    SetConsoleOutputCP(CP_UTF8);
#else
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
#endif
    return args;
}

bool HasDriveLetter(const std::string& path)
{
    return path.size() >= 2 && path[1] == ':';
}

// The folder key for a path as the user typed it.
std::string KeyOf(const std::string& argument)
{
    std::string key = argument;
    if (!HasDriveLetter(key)) {
        std::error_code error;
        const auto absolute = std::filesystem::absolute(std::filesystem::u8path(argument), error);
        key = GetPlatform().WindowsPathOf(error ? std::filesystem::u8path(argument) : absolute);
    }
    if (key.size() == 2 && HasDriveLetter(key))
        key += "\\";
    while (key.size() > 3 && key.back() == '\\')
        key.pop_back();
    return key;
}

std::string FormatUtc(const CTime& time)
{
    if (!time.IsSet())
        return "-";
    const std::time_t t = time.GetTime();
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &t);
#else
    gmtime_r(&t, &utc);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

const char* const kHelp =
    "usage: zqtotals [--windows-paths] [--dir-info FILE] PATH...\n"
    "       zqtotals [--windows-paths] --read-dir-info FILE\n"
    "\n"
    "Totals every PATH (a native path, or a Windows path such as Z:\\usr\\share) with the walk of\n"
    "フォルダ ZQ and prints two lines for it: the totals of everything below the folder, and of the\n"
    "files directly in it:\n"
    "  <path>\ttotal\tbytes=N folders=N files=N modified=T read=T created=T\n"
    "  <path>\tdirect\t...\n"
    "Times are UTC (2026-12-06T20:00:00Z), or - when there is none.\n"
    "\n"
    "What counts:\n"
    "  bytes    the apparent size of every file (its length, not the blocks it takes)\n"
    "  folders  every folder below PATH, at any depth; PATH itself is not counted\n"
    "  files    every entry that is not a folder: files, links, fifos, sockets, devices\n"
    "  times    the newest modified, last-read and created time of those files\n"
    "A symbolic link (or a junction on Windows) counts as one file of 0 bytes and is never\n"
    "followed. A folder that cannot be read is left out: it is named on standard error and the\n"
    "exit status is 1, the totals covering everything else. A folder deleted (or replaced by a\n"
    "file) while it is walked adds nothing.\n"
    "\n"
    "  --windows-paths       print folders in their Windows form (C:\\..., Z:\\... under Wine)\n"
    "  --dir-info FILE       also write every folder record to FILE in the program's Dir Info format\n"
    "  --read-dir-info FILE  print the records of a Dir Info file instead of walking\n"
    "  --help                this text\n"
    "Exit status: 0 all totalled, 1 something could not be read or written, 2 wrong usage.\n";

// The system's platform with the walk's questions answered for a script: an unreadable folder
// is left out (Ignore), any other box is declined; the texts are kept, not shown.
class CUnattendedPlatform : public CPlatformDecorator {
public:
    int ShowMessageBox(const std::string& text, unsigned style) override
    {
        m_messages.push_back(text);
        return (style & 0xF) == kMbAbortRetryIgnore ? kIdIgnore : kIdCancel;
    }
    std::vector<std::string> m_messages;
};

struct Options {
    bool windowsPaths = false;
    std::string dirInfo;
    std::string readDirInfo;
    std::vector<std::string> paths;
};

// The system's reason for a code, on one line.
std::string Reason(CAppCore& app, uint32_t code)
{
    std::string reason = app.FormatSystemError(code);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
        reason.pop_back();
    return reason + " (code " + CAppCore::FormatHex(code) + ")";
}

std::string Shown(const std::string& key, bool windowsPaths)
{
    if (windowsPaths)
        return key;
    const std::u8string native = GetPlatform().NativePath(key).u8string();
    return std::string(native.begin(), native.end());
}

void PrintRecord(const std::string& path, const char* which, const CSizeInfo& info)
{
    std::printf("%s\t%s\tbytes=%llu folders=%d files=%d modified=%s read=%s created=%s\n", path.c_str(), which,
                static_cast<unsigned long long>(info.m_nSize), info.m_nFolders, info.m_nFiles,
                FormatUtc(info.m_tModified).c_str(), FormatUtc(info.m_tAccessed).c_str(),
                FormatUtc(info.m_tCreated).c_str());
}

bool WriteDirInfo(CAppCore& app, const std::string& argument)
{
    CFile file;
    if (!file.Open(KeyOf(argument), CFile::modeCreate | CFile::modeWrite))
        return false;
    try {
        CArchive ar(file, CArchive::store);
        app.m_folderInfo.Serialize(ar);
        ar.Close();
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

// How a Dir Info file was read: the record count it announces, whether a record (or the count)
// could not be read, and how many bytes stand after the records.
struct DirInfoShape {
    bool counted = false;
    int32_t announced = 0;
    bool unreadable = false;
    std::streamoff trailing = 0;
};

// Reads the records of a Dir Info file into the list. The list's reader stops at the last record
// it announces (other store files go on behind their records), so what follows is measured here:
// a Dir Info file ends with its last record.
DirInfoShape LoadDirInfo(CAppCore& app, CUnattendedPlatform& platform, CFile& file)
{
    DirInfoShape shape;
    try {
        CArchive ar(file, CArchive::load);
        ar >> shape.announced;
        shape.counted = true;
        ar.SetReadPosition(0);
        app.m_folderInfo.Serialize(ar);
        const std::streamoff position = ar.GetReadPosition();
        std::iostream& stream = file.GetStream();
        stream.seekg(0, std::ios::end);
        if (position >= 0 && stream)
            shape.trailing = static_cast<std::streamoff>(stream.tellg()) - position;
    } catch (const std::exception&) {
        shape.unreadable = true;
    }
    shape.unreadable = shape.unreadable || !platform.m_messages.empty() || !app.m_folderInfo.m_bSerializeOk;
    return shape;
}

// The one line that says where a Dir Info file is damaged, or nothing for a sound file.
std::string DirInfoDamage(const DirInfoShape& shape, int records)
{
    const std::string read = std::to_string(records) + " of " + std::to_string(shape.announced) + " records";
    if (!shape.counted)
        return "damaged: too short to hold its record count";
    if (shape.announced < 0)
        return "damaged: it announces " + std::to_string(shape.announced) + " records";
    if (shape.unreadable || records != shape.announced)
        return "damaged after " + read;
    if (shape.trailing != 0)
        return "damaged: " + std::to_string(shape.trailing) + " bytes after its " + std::to_string(records) +
               " records";
    return std::string();
}

// Prints every record of a Dir Info file; a damaged file prints what was read before the damage.
int ReadDirInfo(CAppCore& app, CUnattendedPlatform& platform, const Options& options)
{
    CFile file;
    if (!file.Open(KeyOf(options.readDirInfo), CFile::modeRead)) {
        std::fprintf(stderr, "zqtotals: %s: cannot be opened\n", options.readDirInfo.c_str());
        return 1;
    }
    const DirInfoShape shape = LoadDirInfo(app, platform, file);
    for (auto pos = app.m_folderInfo.GetHeadPosition(); pos;) {
        const CDirSzEntry& entry = app.m_folderInfo.GetNext(pos);
        PrintRecord(Shown(entry.m_strPath, options.windowsPaths), "total", entry.m_total);
        PrintRecord(Shown(entry.m_strPath, options.windowsPaths), "direct", entry.m_direct);
    }
    const std::string damage = DirInfoDamage(shape, app.m_folderInfo.GetCount());
    if (damage.empty())
        return 0;
    std::fprintf(stderr, "zqtotals: %s: %s\n", options.readDirInfo.c_str(), damage.c_str());
    return 1;
}

int WalkPaths(CAppCore& app, const Options& options)
{
    int status = 0;
    CFolderWalk& walk = app.m_settings.m_walk;
    for (const std::string& argument : options.paths) {
        const std::string key = KeyOf(argument);
        walk.BeginCommand();
        CSizeInfo total, direct;
        const bool totalled = walk.AggregateFolder(key, total, direct, nullptr, false, false);
        for (const CFolderWalk::LeftOut& leftOut : walk.GetLeftOut())
            std::fprintf(stderr, "zqtotals: %s: left out: %s\n", Shown(leftOut.folder, options.windowsPaths).c_str(),
                         Reason(app, leftOut.code).c_str());
        if (!walk.GetLeftOut().empty())
            status = 1;
        if (!totalled) {
            const uint32_t code = app.m_dwLastError ? app.m_dwLastError : kErrorPathNotFound;
            if (walk.GetLeftOut().empty())
                std::fprintf(stderr, "zqtotals: %s: cannot be read: %s\n", argument.c_str(), Reason(app, code).c_str());
            status = 1;
            continue;
        }
        PrintRecord(Shown(key, options.windowsPaths), "total", total);
        PrintRecord(Shown(key, options.windowsPaths), "direct", direct);
    }
    if (!options.dirInfo.empty() && !WriteDirInfo(app, options.dirInfo)) {
        std::fprintf(stderr, "zqtotals: %s: cannot be written\n", options.dirInfo.c_str());
        status = 1;
    }
    return status;
}

int Usage(const char* problem)
{
    std::fprintf(stderr, "zqtotals: %s (zqtotals --help tells how it is used)\n", problem);
    return 2;
}

// Reads the options; returns -1 to go on, or the exit status.
int ParseOptions(const std::vector<std::string>& args, Options& options)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (arg == "--windows-paths")
            options.windowsPaths = true;
        else if (arg == "--dir-info" && hasValue)
            options.dirInfo = args[++i];
        else if (arg == "--read-dir-info" && hasValue)
            options.readDirInfo = args[++i];
        else if (arg.rfind("--", 0) == 0)
            return Usage(("unknown option or missing value: " + arg).c_str());
        else if (arg.empty())
            return Usage("an empty path names no folder");
        else
            options.paths.push_back(arg);
    }
    if (options.paths.empty() == options.readDirInfo.empty())
        return Usage("give either paths to total or --read-dir-info FILE");
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (const int status = ParseOptions(Arguments(argc, argv), options); status >= 0)
        return status;
    CUnattendedPlatform platform;
    CAppCore app;
    return options.readDirInfo.empty() ? WalkPaths(app, options) : ReadDirInfo(app, platform, options);
}
