// zqtotals: prints the totals of folders with the program's own walk, for scripts and benchmarks.
//
//   zqtotals [--dir-info FILE] PATH...
//
// For each PATH (a native path, or a Windows path such as Z:\usr\share) it prints two lines,
// the totals of everything below the folder and of the files directly in it:
//   <key>\ttotal\tbytes=N folders=N files=N modified=T read=T created=T
//   <key>\tdirect\t...
// Times are UTC ("2026-12-06T20:00:00Z") or "-" when there is none. With --dir-info every
// stored folder record is written to FILE in the program's folder-information format.
// A path that cannot be read is reported on stderr and makes the exit status 1.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "CPlatform.h"
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

void PrintRecord(const std::string& key, const char* which, const CSizeInfo& info)
{
    std::printf("%s\t%s\tbytes=%llu folders=%d files=%d modified=%s read=%s created=%s\n", key.c_str(), which,
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

int Usage()
{
    std::fprintf(stderr, "usage: zqtotals [--dir-info FILE] PATH...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string dirInfo;
    std::vector<std::string> paths;
    const std::vector<std::string> args = Arguments(argc, argv);
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--dir-info" && i + 1 < args.size())
            dirInfo = args[++i];
        else if (args[i].rfind("--", 0) == 0)
            return Usage();
        else
            paths.push_back(args[i]);
    }
    if (paths.empty())
        return Usage();

    CAppCore app;
    int status = 0;
    for (const std::string& argument : paths) {
        const std::string key = KeyOf(argument);
        CSizeInfo total, direct;
        if (!app.m_settings.m_walk.AggregateFolder(key, total, direct, nullptr, false, false)) {
            const uint32_t code = app.m_dwLastError ? app.m_dwLastError : kErrorPathNotFound;
            std::string reason = app.FormatSystemError(code);
            while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
                reason.pop_back();
            std::fprintf(stderr, "zqtotals: %s: cannot be read: %s (code %s)\n", argument.c_str(), reason.c_str(),
                         CAppCore::FormatHex(code).c_str());
            status = 1;
            continue;
        }
        PrintRecord(key, "total", total);
        PrintRecord(key, "direct", direct);
    }
    if (!dirInfo.empty() && !WriteDirInfo(app, dirInfo)) {
        std::fprintf(stderr, "zqtotals: %s: cannot be written\n", dirInfo.c_str());
        status = 1;
    }
    return status;
}
