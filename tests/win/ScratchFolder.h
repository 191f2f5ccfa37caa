// ScratchFolder: a fresh folder under the temporary folder for one test, its current folder while it lives.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The program keeps its store folder in its current folder, so each test gives it one of its own:
// the in-process GUI tests run the program's classes here, and the tests that start a program
// pass Path() as its working folder. The folder becomes the test's current folder for the life of
// the object (relative names in a test land there too) and is removed afterwards with all it
// holds. The store helpers read and write the files of the store folder inside it.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix)
    {
        static std::atomic<int> counter{0};
        m_previous = std::filesystem::current_path();
        m_root = std::filesystem::temp_directory_path() /
                 (prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++));
        RemoveAll(m_root);
        std::filesystem::create_directories(m_root);
        std::filesystem::current_path(m_root);
    }
    ~ScratchFolder()
    {
        std::filesystem::current_path(m_previous);
        RemoveAll(m_root);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_root; }

    // A file of the store folder.
    std::filesystem::path Store(const std::string& name) const { return In("フォルダZQ Position", name); }
    // -1 when the file is not there.
    std::intmax_t StoreSize(const std::string& name) const
    {
        std::error_code error;
        const auto size = std::filesystem::file_size(Store(name), error);
        return error ? -1 : static_cast<std::intmax_t>(size);
    }
    std::string ReadStore(const std::string& name) const
    {
        std::ifstream in(Store(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void WriteStore(const std::string& name, const std::string& bytes) const
    {
        std::filesystem::create_directories(Store(name).parent_path());
        std::ofstream(Store(name), std::ios::binary) << bytes;
    }

private:
    // Windows refuses to delete a read-only file, which a test may have made: the attribute goes
    // first. Whatever still cannot be removed stays behind rather than failing the test.
    static void RemoveAll(const std::filesystem::path& root)
    {
        std::error_code ignored;
        for (auto it = std::filesystem::recursive_directory_iterator(root, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(root, ignored);
    }

    std::filesystem::path In(const char* folder, const std::string& name) const
    {
        return m_root / std::filesystem::u8path(folder) / std::filesystem::u8path(name);
    }

    std::filesystem::path m_root;
    std::filesystem::path m_previous;
};
