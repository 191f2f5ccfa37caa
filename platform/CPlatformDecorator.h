// CPlatformDecorator: a platform that forwards every call to another one.
#pragma once

#include <cstdlib>

#include "CPlatform.h"

// Base for platforms that change a few behaviours of another: tests derive from it, override
// what they script (answers to message boxes, work done inside the pump, failing folders) and
// leave the rest to the system's platform. Installing one with SetPlatform is undone by the
// destructor.
class CPlatformDecorator : public CPlatform {
public:
    explicit CPlatformDecorator(CPlatform& inner = GetSystemPlatform()) : m_inner(inner)
    {
        m_previous = SetPlatform(this);
    }
    ~CPlatformDecorator() override { SetPlatform(m_previous); }
    CPlatformDecorator(const CPlatformDecorator&) = delete;
    CPlatformDecorator& operator=(const CPlatformDecorator&) = delete;

    uint32_t FindFirst(const std::string& pattern, std::unique_ptr<CFindHandle>& handle,
                       CFindEntry& first) override
    {
        return m_inner.FindFirst(pattern, handle, first);
    }
    bool GetFileStatus(const std::string& path, CFindEntry& status) override
    {
        return m_inner.GetFileStatus(path, status);
    }
    std::vector<std::string> ListDriveRoots() override { return m_inner.ListDriveRoots(); }
    uint32_t DriveTypeOf(const std::string& root) override { return m_inner.DriveTypeOf(root); }
    uint32_t FreeSpaceOf(const std::string& root, uint64_t& freeBytes) override
    {
        return m_inner.FreeSpaceOf(root, freeBytes);
    }
    uint32_t CreateFolder(const std::string& path) override { return m_inner.CreateFolder(path); }
    uint32_t RemoveFile(const std::string& path) override { return m_inner.RemoveFile(path); }
    uint32_t RemoveFolder(const std::string& path) override { return m_inner.RemoveFolder(path); }
    std::filesystem::path NativePath(const std::string& path) override { return m_inner.NativePath(path); }
    std::string WindowsPathOf(const std::filesystem::path& nativePath) override
    {
        return m_inner.WindowsPathOf(nativePath);
    }
    std::string FormatSystemMessage(uint32_t code) override { return m_inner.FormatSystemMessage(code); }
    bool LocalTime(int64_t time, std::tm& local) override { return m_inner.LocalTime(time, local); }
    int64_t MakeLocalTime(std::tm& local) override { return m_inner.MakeLocalTime(local); }
    std::string ShellDisplayNameOf(const std::string& path) override { return m_inner.ShellDisplayNameOf(path); }
    ShellIconId ShellSmallIconOf(const std::string& path) override { return m_inner.ShellSmallIconOf(path); }
    bool ShellOpen(const std::string& path) override { return m_inner.ShellOpen(path); }
    int ShellFileOperation(int operation, const std::vector<std::string>& sources,
                           const std::string& destination) override
    {
        return m_inner.ShellFileOperation(operation, sources, destination);
    }
    int ShowMessageBox(const std::string& text, unsigned style) override
    {
        return m_inner.ShowMessageBox(text, style);
    }
    bool PumpWaitingMessages() override { return m_inner.PumpWaitingMessages(); }
    bool ShellMovesOverFilesUnasked() override { return m_inner.ShellMovesOverFilesUnasked(); }
    void BeginWalk() override { m_inner.BeginWalk(); }
    void EndWalk() override { m_inner.EndWalk(); }
    bool IsPseudoFileSystem(const std::string& folder) override { return m_inner.IsPseudoFileSystem(folder); }
    [[noreturn]] void QuitProcess(int exitCode) override
    {
        m_inner.QuitProcess(exitCode);
        std::abort();  // the inner platform does not return either
    }

protected:
    CPlatform& m_inner;

private:
    CPlatform* m_previous = nullptr;
};
