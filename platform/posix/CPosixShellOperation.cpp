// The shell's file operations on Linux.
#include "CPosixShellOperation.h"

#include <cerrno>

#include "CPlatform.h"

namespace fs = std::filesystem;

namespace {

std::error_code ErrorOf(int error)
{
    return std::error_code(error, std::generic_category());
}

int WindowsCodeOf(const std::error_code& error)
{
    if (error == std::errc::no_such_file_or_directory)
        return static_cast<int>(kErrorFileNotFound);
    if (error == std::errc::file_exists || error == std::errc::is_a_directory)
        return static_cast<int>(kErrorAlreadyExists);
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
        return static_cast<int>(kErrorAccessDenied);
    return 31;  // ERROR_GEN_FAILURE
}

bool IsFolder(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(fs::symlink_status(path, error));
}

bool Exists(const fs::path& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

}  // namespace

int CPosixShellOperation::Run()
{
    if (m_sources.empty())
        return static_cast<int>(kErrorFileNotFound);
    for (const fs::path& source : m_sources) {
        if (const std::error_code error = RunOne(source))
            return WindowsCodeOf(error);
    }
    return 0;
}

std::error_code CPosixShellOperation::RunOne(const fs::path& source)
{
    if (!Exists(source))
        return ErrorOf(ENOENT);
    std::error_code error;
    switch (m_operation) {
    case kFoDelete:
        fs::remove_all(source, error);
        return error;
    case kFoRename:
        if (Exists(m_destination))
            return ErrorOf(EEXIST);
        fs::rename(source, m_destination, error);
        return error;
    default:
        break;
    }
    const fs::path target = m_destination / source.filename();
    if (IsFolder(target))
        return ErrorOf(EISDIR);
    return m_operation == kFoMove ? Move(source, target) : Copy(source, target);
}

// A rename where it can; across file systems a copy, then the source's removal.
std::error_code CPosixShellOperation::Move(const fs::path& source, const fs::path& target)
{
    std::error_code error;
    fs::rename(source, target, error);
    if (error != std::errc::cross_device_link)
        return error;
    if ((error = Copy(source, target)))
        return error;
    fs::remove_all(source, error);
    return error;
}

std::error_code CPosixShellOperation::Copy(const fs::path& source, const fs::path& target)
{
    std::error_code error;
    if (!IsFolder(source))
        return CopyFile(source, target);
    if (!fs::create_directory(target, error) && !error)
        return ErrorOf(EEXIST);
    for (fs::directory_iterator it(source, error), end; !error && it != end; it.increment(error)) {
        if ((error = Copy(it->path(), target / it->path().filename())))
            return error;
    }
    if (!error)
        fs::last_write_time(target, fs::last_write_time(source, error), error);
    return error;
}

std::error_code CPosixShellOperation::CopyFile(const fs::path& source, const fs::path& target)
{
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(source, error))) {
        fs::remove(target, error);
        fs::copy_symlink(source, target, error);
        return error;
    }
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
    if (!error)
        fs::last_write_time(target, fs::last_write_time(source, error), error);
    return error;
}
