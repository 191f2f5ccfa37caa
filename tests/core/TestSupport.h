// Test support: temporary folder trees and a scriptable platform.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "CPlatformDecorator.h"
#include "folderdata/CSizeInfo.h"
#include "services/CPathList.h"

// Bytes, folders and files of a totals record, to compare at once.
using Counts = std::tuple<uint64_t, int32_t, int32_t>;
inline Counts CountsOf(const CSizeInfo& info) { return {info.m_nSize, info.m_nFolders, info.m_nFiles}; }

// The paths of a list in its order, a folder's with "/" after it.
inline std::vector<std::string> PathsOf(const CPathList& list)
{
    std::vector<std::string> paths;
    for (const CPathList::Entry& entry : list)
        paths.push_back(entry.path + (entry.IsFolder() ? "/" : ""));
    return paths;
}

// Sibling names that CP932 turns into the same bytes ("caf?", "??"), so a lossy key merged them.
inline const std::pair<const char*, const char*> kLookAlikeSiblings[] = {
    {"café", "cafè"},                  // accented Latin
    {"한국", "한글"},                  // Korean
    {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x81"},  // two emoji, beyond the BMP
    {"bad\xFF", "bad\xFE"},            // undecodable bytes of a Linux name
    {"?", "\xE2\x80\xBD"},             // a real "?" against one CP932 lacks
    {"x\xEF\xBF\xBD", "x\xFF"},        // a real U+FFFD against an invalid byte
};

// A totals record: bytes, folders, files, and the modified, read and created times in Unix seconds.
inline CSizeInfo Totals(uint64_t size, int32_t folders = 0, int32_t files = 0, int32_t modified = 0,
                        int32_t read = 0, int32_t created = 0)
{
    return {size, folders, files, CTime(modified), CTime(read), CTime(created)};
}

// A folder under the system's temporary folder, removed with everything in it at the end.
class TempTree {
public:
    TempTree()
    {
        // Test processes run side by side (ctest -j), and under the sanitizers their addresses
        // repeat from run to run: a random number keeps their folders apart.
        static std::atomic<int> counter{0};
        static const unsigned processTag = std::random_device{}();
        m_root = std::filesystem::temp_directory_path() /
                 ("zqtest-" + std::to_string(processTag) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root);
    }
    ~TempTree()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& Root() const { return m_root; }
    std::filesystem::path Native(const std::string& relative) const
    {
        return relative.empty() ? m_root : m_root / std::filesystem::u8path(relative);
    }
    // The folder key (Windows path) of a place in the tree; "" is the root.
    std::string Key(const std::string& relative = std::string()) const
    {
        return GetPlatform().WindowsPathOf(Native(relative));
    }
    void Folder(const std::string& relative) const { std::filesystem::create_directories(Native(relative)); }
    void File(const std::string& relative, std::size_t size) const { Write(relative, std::string(size, 'x')); }
    // Writes a file; with hoursAgo, modified that many hours before the tree was made.
    void Write(const std::string& relative, const std::string& bytes, int hoursAgo = 0) const
    {
        std::filesystem::create_directories(Native(relative).parent_path());
        std::ofstream(Native(relative), std::ios::binary) << bytes;
        if (hoursAgo)
            std::filesystem::last_write_time(Native(relative), m_made - std::chrono::hours(hoursAgo));
    }
    // Sets a modified time: a day before the tree was made, plus offset.
    void SetModified(const std::string& relative, std::chrono::milliseconds offset) const
    {
        std::filesystem::last_write_time(Native(relative), m_made - std::chrono::hours(24) + offset);
    }
    std::string StateOf(const std::string& relative) const { return StateAt(Native(relative)); }
    // "<dir>" of a folder, "bytes@seconds" of a file (with its modified time), "" where nothing is.
    static std::string StateAt(const std::filesystem::path& path)
    {
        std::error_code error;
        if (std::filesystem::is_directory(path, error))
            return "<dir>";
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return std::string();
        const auto modified = std::filesystem::last_write_time(path).time_since_epoch();
        return std::string(std::istreambuf_iterator<char>(in), {}) + "@" +
               std::to_string(std::chrono::duration_cast<std::chrono::seconds>(modified).count());
    }

private:
    std::filesystem::path m_root;
    // When the tree was made, on a whole second: the base of the modified times set above.
    const std::filesystem::file_time_type m_made =
        std::chrono::floor<std::chrono::seconds>(std::filesystem::file_time_type::clock::now());
};

// The process's open files (none counted on Windows): a walk may hold folders open, but none once
// it has returned.
inline long OpenDescriptors()
{
#ifdef _WIN32
    return 0;
#else
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
#endif
}

// The system's platform with scripted answers: message boxes answered from a queue (Cancel once
// it is empty) and recorded, folders that fail to list with a given error, work run inside the
// message pump, a count of listings started, drive types (the system's while none are given), folders
// taken for pseudo file systems, and shell operations recorded and forwarded to the system's platform,
// or answered shellResult.
class CScriptedPlatform : public CPlatformDecorator {
public:
    using CPlatformDecorator::CPlatformDecorator;

    struct Quit {
        int exitCode;
    };
    struct ShellCall {
        int operation;
        std::vector<std::string> sources;
        std::string destination;
        bool operator==(const ShellCall&) const = default;
    };

    uint32_t FindFirst(const std::string& pattern, std::unique_ptr<CFindHandle>& handle,
                       CFindEntry& first) override
    {
        ++listings;
        std::string folder = pattern.substr(0, pattern.rfind('\\'));
        if (folder.size() == 2)
            folder += '\\';
        const auto failing = failingFolders.find(folder);
        if (failing != failingFolders.end())
            return failing->second;
        return CPlatformDecorator::FindFirst(pattern, handle, first);
    }
    int ShowMessageBox(const std::string& text, unsigned style) override
    {
        messages.push_back(text);
        styles.push_back(style);
        if (answers.empty())
            return kIdCancel;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool PumpWaitingMessages() override
    {
        ++pumps;
        if (onPump)
            onPump(pumps);
        return !quitAtPump || pumps != quitAtPump;
    }
    [[noreturn]] void QuitProcess(int exitCode) override { throw Quit{exitCode}; }
    uint32_t DriveTypeOf(const std::string& root) override
    {
        const auto type = driveTypes.find(root);
        return driveTypes.empty() ? CPlatformDecorator::DriveTypeOf(root)
                                  : type == driveTypes.end() ? kDriveNoRootDir : type->second;
    }
    bool IsPseudoFileSystem(const std::string& folder) override { return pseudoFolders.count(folder) != 0; }
    int ShellFileOperation(int operation, const std::vector<std::string>& sources,
                           const std::string& destination) override
    {
        shellCalls.push_back(ShellCall{operation, sources, destination});
        return bShellForward ? CPlatformDecorator::ShellFileOperation(operation, sources, destination) : shellResult;
    }

    std::map<std::string, uint32_t> failingFolders;  // folder key -> error code
    std::deque<int> answers;
    std::vector<std::string> messages;
    std::vector<unsigned> styles;
    std::function<void(int pump)> onPump;
    int quitAtPump = 0;
    std::map<std::string, uint32_t> driveTypes;  // root -> type
    std::set<std::string> pseudoFolders;
    std::vector<ShellCall> shellCalls;
    bool bShellForward = true;
    int shellResult = 0;
    int pumps = 0;
    int listings = 0;
};
