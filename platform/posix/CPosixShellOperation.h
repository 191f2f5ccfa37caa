// CPosixShellOperation: the shell's move, copy, delete and rename, done with the standard library on Linux.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

// What CPosixPlatform::ShellFileOperation does where there is no shell: the same operations on
// native paths, without anybody to ask. It never overwrites a folder (the shell would ask before
// merging into one); a file in the way of a move or copy is overwritten, as the shell does after
// its Yes. A delete here is permanent: Linux has no recycle bin the program could use. Copies keep
// the source's modified time, as the shell's do. The first failure ends the operation with a
// Windows error code; what was done before it stays done.
class CPosixShellOperation {
public:
    // sources and destination are native paths; operation is kFoMove ... kFoRename.
    CPosixShellOperation(int operation, std::vector<std::filesystem::path> sources, std::filesystem::path destination)
        : m_operation(operation), m_sources(std::move(sources)), m_destination(std::move(destination))
    {
    }

    // 0, or the Windows error code of the first failure.
    int Run();

private:
    std::error_code RunOne(const std::filesystem::path& source);
    std::error_code Move(const std::filesystem::path& source, const std::filesystem::path& target);
    // Files and folders alike, folders with everything inside.
    static std::error_code Copy(const std::filesystem::path& source, const std::filesystem::path& target);
    static std::error_code CopyFile(const std::filesystem::path& source, const std::filesystem::path& target);

    const int m_operation;
    const std::vector<std::filesystem::path> m_sources;
    const std::filesystem::path m_destination;
};
