// FuzzScratchFolder: a folder under the temporary folder for the files one fuzzing process writes.
#pragma once

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

// A target whose reader opens a file by name writes each input into a folder of its own,
// "zq-fuzz-<name>-<pid>", and keeps the object in a function-local static: libFuzzer ends a run
// through exit(), which destroys it and so removes the folder. A crash ends the process without
// that, so the next run of the same target removes the folders of processes that are gone.
class FuzzScratchFolder {
public:
    explicit FuzzScratchFolder(const std::string& name)
        : m_prefix("zq-fuzz-" + name + "-"),
          m_path(std::filesystem::temp_directory_path() / (m_prefix + std::to_string(getpid())))
    {
        RemoveFoldersOfEndedRuns();
        std::filesystem::create_directories(m_path);
    }
    ~FuzzScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    FuzzScratchFolder(const FuzzScratchFolder&) = delete;
    FuzzScratchFolder& operator=(const FuzzScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    void RemoveFoldersOfEndedRuns() const
    {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(m_path.parent_path(), error)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind(m_prefix, 0) != 0)
                continue;
            const std::string pid = name.substr(m_prefix.size());
            if (pid.empty() || pid.size() > 9 || pid.find_first_not_of("0123456789") != std::string::npos)
                continue;
            // Another user's live process answers EPERM: only a process that is gone gives ESRCH.
            if (kill(static_cast<pid_t>(std::stoi(pid)), 0) != 0 && errno == ESRCH)
                std::filesystem::remove_all(entry.path(), error);
        }
    }

    std::string m_prefix;
    std::filesystem::path m_path;
};
