// ZqProcess: one program started by a test, with its current directory, exit code and end.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Starts a Windows program the way a user's shortcut would (CreateProcessW with a chosen
// current directory, so that whatever the program writes beside itself, such as its store
// folder, lands in the test's scratch folder), keeps its process and main-thread handles, and
// reports how it ended. A process still running when the object dies is terminated, so a
// failing test never leaves a program behind on the shared display.
class ZqProcess {
public:
    ZqProcess() = default;
    ~ZqProcess();
    ZqProcess(const ZqProcess&) = delete;
    ZqProcess& operator=(const ZqProcess&) = delete;

    // The path of fileName in the folder of the running program (the test), where the build puts
    // the programs that the tests start.
    static std::wstring BesideThisProgram(const std::wstring& fileName);

    // arguments are appended to the quoted program path. False when the program cannot start.
    bool Start(const std::wstring& exePath, const std::wstring& workingDir, const std::wstring& arguments = {});
    bool IsStarted() const { return m_info.hProcess != nullptr; }
    bool IsRunning() const;
    HANDLE Handle() const { return m_info.hProcess; }
    DWORD Id() const { return m_info.dwProcessId; }

    // The exit code once the process has ended within timeoutMs; nothing while it still runs.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs) const;
    // Ends a process that does not end by itself; the exit code is then exitCode.
    void Terminate(UINT exitCode = 99);

private:
    void CloseHandles();

    PROCESS_INFORMATION m_info{};
};
