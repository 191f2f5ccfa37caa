// FileSnapshot: every file and folder below a folder, with each file's bytes and modified time, to compare before and after.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "GuiTestSupport.h"
#include "Win32Text.h"

// Relative path (UTF-8, "/" between components) -> "<dir>" for a folder, else the file's bytes, "@"
// and its modified time in 100-nanosecond ticks. Two snapshots equal each other exactly when
// nothing was lost, added, altered or touched.
using FileSnapshot = std::map<std::string, std::string>;

inline std::string ModifiedTicks(const std::filesystem::path& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.wstring().c_str(), GetFileExInfoStandard, &data))
        return "?";
    return std::to_string((static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                          data.ftLastWriteTime.dwLowDateTime);
}

// The program's store folder, which it may write into its working folder meanwhile, is left out.
inline FileSnapshot SnapshotOf(const std::filesystem::path& root)
{
    FileSnapshot snapshot;
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
        std::string relative = FromWide(std::filesystem::relative(it->path(), root).wstring());
        for (char& c : relative)
            if (c == '\\')
                c = '/';
        if (relative.rfind("フォルダZQ Position", 0) == 0)
            continue;
        if (it->is_directory()) {
            snapshot[relative] = "<dir>";
            continue;
        }
        std::ifstream in(it->path(), std::ios::binary);
        snapshot[relative] = std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()) + "@" +
                             ModifiedTicks(it->path());
    }
    return snapshot;
}

// The entries of snapshot below prefix ("a/b"), renamed to be relative to it, with prefix itself left out.
inline FileSnapshot Below(const FileSnapshot& snapshot, const std::string& prefix)
{
    FileSnapshot part;
    for (const auto& [path, state] : snapshot)
        if (path.rfind(prefix + "/", 0) == 0)
            part[path.substr(prefix.size() + 1)] = state;
    return part;
}

// Writes a file (and the folders above it) at a relative UTF-8 path, modified minutesAgo minutes
// ago, on a whole second.
inline void WriteAgedFile(const std::string& relative, const std::string& bytes, int minutesAgo)
{
    const std::filesystem::path path = std::filesystem::u8path(relative);
    WriteFile(path, bytes);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = now.dwLowDateTime;
    ticks.HighPart = now.dwHighDateTime;
    ticks.QuadPart = ticks.QuadPart / 10'000'000 * 10'000'000 - static_cast<ULONGLONG>(minutesAgo) * 600'000'000;
    const FILETIME time{ticks.LowPart, ticks.HighPart};
    HANDLE hFile = CreateFileW(path.wstring().c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(hFile, nullptr, nullptr, &time);
    CloseHandle(hFile);
}
