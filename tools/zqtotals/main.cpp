// zqtotals: prints the totals of folders with the program's own walk, for scripts and benchmarks.
// `zqtotals --help` tells how it is used and what it counts.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "CPlatform.h"
#include "CPlatformDecorator.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "CTotalsReport.h"
#include "folderdata/CDirInfoFile.h"
#include "folderdata/CDirSzLst.h"
#include "folderdata/CSnapshotCompare.h"
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

const char* const kHelp =
    "usage: zqtotals [--windows-paths] [--format F] [--dir-info FILE] [--since SNAPSHOT] PATH...\n"
    "       zqtotals [--windows-paths] [--format F] [--since SNAPSHOT] --read-dir-info FILE\n"
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
    "  --read-dir-info FILE  use the records of a Dir Info file instead of walking\n"
    "  --since SNAPSHOT      compare the folders below every PATH (or every record of\n"
    "                        --read-dir-info) with a Dir Info file written before, and print one\n"
    "                        line per folder that changed, biggest size change first:\n"
    "  <path>\tbytes=+N\tfolders=+N\tfiles=-N\tchanged|new|gone[\tletters]\n"
    "                        letters as the program's compare shows them: S size, U modified\n"
    "                        time, D folder count, F file count, N new. A new or gone folder is\n"
    "                        one line; the folders inside it are not listed. Folders whose names\n"
    "                        code page 932 cannot hold are never in a Dir Info file and are not\n"
    "                        listed (they count in the folders above them). A snapshot written\n"
    "                        natively compares with a walk under Wine of the same tree.\n"
    "  --format F            text (the default, as above), json or csv:\n"
    "    json  one object: \"totals\": [{path, total, direct}], \"left_out\": [{path, code,\n"
    "          reason}], \"changes\": [{path, state, letters, bytes, folders, files, before,\n"
    "          now}]; a record is {bytes, folders, files, modified, read, created}, times as\n"
    "          \"2026-12-06T20:00:00Z\" or null; in a change bytes, folders and files are the\n"
    "          signed changes, before is null for a new folder and now for a gone one.\n"
    "    csv   a header, then one row per record:\n"
    "          record,path,bytes,folders,files,modified,read,created,state,letters,reason\n"
    "          record is total, direct, left_out (state: the code) or change (bytes, folders,\n"
    "          files: the signed changes; times: of now, of before for a gone folder);\n"
    "          an empty time is none. Fields with commas or quotes are quoted.\n"
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
    CTotalsReport::Format format = CTotalsReport::Format::kText;
    std::string dirInfo;
    std::string readDirInfo;
    std::string since;
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

// Reads a whole Dir Info file into list; false, after one line on standard error, when it cannot
// be opened or is damaged (the records before the damage stay in list).
bool LoadDirInfo(const std::string& argument, CDirSzLst& list)
{
    const std::string damage = CDirInfoFile::Damage(CDirInfoFile::Read(KeyOf(argument), list));
    if (damage.empty())
        return true;
    std::fprintf(stderr, "zqtotals: %s: %s\n", argument.c_str(), damage.c_str());
    return false;
}

// The records of a Dir Info file, as totals; a damaged file gives what was read before the damage.
int ReadDirInfo(CAppCore& app, const Options& options, CTotalsReport& report)
{
    const bool sound = LoadDirInfo(options.readDirInfo, app.m_folderInfo);
    for (auto pos = app.m_folderInfo.GetHeadPosition(); pos;) {
        const CDirSzEntry& entry = app.m_folderInfo.GetNext(pos);
        report.m_totals.push_back({Shown(entry.m_strPath, options.windowsPaths), entry.m_total, entry.m_direct});
    }
    return sound ? 0 : 1;
}

// leftOut: the keys of the folders left out, which a compare must not call gone.
int WalkPaths(CAppCore& app, const Options& options, CTotalsReport& report, std::vector<std::string>& leftOut)
{
    int status = 0;
    CFolderWalk& walk = app.m_settings.m_walk;
    for (const std::string& argument : options.paths) {
        const std::string key = KeyOf(argument);
        walk.BeginCommand();
        CSizeInfo total, direct;
        const bool totalled = walk.AggregateFolder(key, total, direct, nullptr, false, false);
        for (const CFolderWalk::LeftOut& folder : walk.GetLeftOut()) {
            const std::string shown = Shown(folder.folder, options.windowsPaths);
            std::fprintf(stderr, "zqtotals: %s: left out: %s\n", shown.c_str(), Reason(app, folder.code).c_str());
            report.m_leftOut.push_back({shown, CAppCore::FormatHex(folder.code), Reason(app, folder.code)});
            leftOut.push_back(folder.folder);
        }
        if (!walk.GetLeftOut().empty())
            status = 1;
        if (!totalled) {
            const uint32_t code = app.m_dwLastError ? app.m_dwLastError : kErrorPathNotFound;
            if (walk.GetLeftOut().empty())
                std::fprintf(stderr, "zqtotals: %s: cannot be read: %s\n", argument.c_str(), Reason(app, code).c_str());
            status = 1;
            continue;
        }
        report.m_totals.push_back({Shown(key, options.windowsPaths), total, direct});
    }
    if (!options.dirInfo.empty() && !WriteDirInfo(app, options.dirInfo)) {
        std::fprintf(stderr, "zqtotals: %s: cannot be written\n", options.dirInfo.c_str());
        status = 1;
    }
    return status;
}

// The changes below each walked PATH (every record, after --read-dir-info) since the snapshot.
bool CompareWithSnapshot(CAppCore& app, const Options& options, const std::vector<std::string>& leftOut,
                         CTotalsReport& report)
{
    CDirSzLst snapshot;
    if (!LoadDirInfo(options.since, snapshot))
        return false;
    std::vector<std::string> bases;
    for (const std::string& argument : options.paths)
        bases.push_back(KeyOf(argument));
    if (bases.empty())
        bases.emplace_back();
    CSnapshotCompare compare;
    for (const std::string& base : bases) {
        compare.Run(app.m_folderInfo, snapshot, base, leftOut);
        for (const CSnapshotCompare::Change& change : compare.Changes())
            report.m_changes.push_back({Shown(change.path, options.windowsPaths), change});
    }
    return true;
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
        else if (arg == "--since" && hasValue)
            options.since = args[++i];
        else if (arg == "--format" && hasValue) {
            if (!CTotalsReport::ParseFormat(args[++i], options.format))
                return Usage(("unknown format: " + args[i] + " (text, json or csv)").c_str());
        } else if (arg.rfind("--", 0) == 0)
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
    CTotalsReport report;
    std::vector<std::string> leftOut;
    const int status =
        options.readDirInfo.empty() ? WalkPaths(app, options, report, leftOut) : ReadDirInfo(app, options, report);
    if (!options.since.empty()) {
        // a damaged file to compare would report changes that are only its damage
        if (status != 0 && !options.readDirInfo.empty())
            return status;
        if (!CompareWithSnapshot(app, options, leftOut, report))
            return 1;
    }
    report.Print(options.format, !options.since.empty(), stdout);
    return status;
}
