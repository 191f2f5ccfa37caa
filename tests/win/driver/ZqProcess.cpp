// ZqProcess: the driven program's process.
#include "ZqProcess.h"

ZqProcess::~ZqProcess()
{
    if (IsRunning())
        Terminate();
    CloseHandles();
}

std::wstring ZqProcess::BesideThisProgram(const std::wstring& fileName)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring self(path);
    return self.substr(0, self.find_last_of(L"\\/") + 1) + fileName;
}

bool ZqProcess::Start(const std::wstring& exePath, const std::wstring& workingDir, const std::wstring& arguments)
{
    if (IsStarted())
        return false;
    // CreateProcessW may write into the command line: a string of our own.
    std::wstring commandLine = L"\"" + exePath + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const wchar_t* dir = workingDir.empty() ? nullptr : workingDir.c_str();
    return CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dir,
                          &startup, &m_info) != FALSE;
}

bool ZqProcess::IsRunning() const
{
    return IsStarted() && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ZqProcess::WaitForExit(DWORD timeoutMs) const
{
    if (!IsStarted() || WaitForSingleObject(m_info.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(m_info.hProcess, &code))
        return std::nullopt;
    return code;
}

void ZqProcess::Terminate(UINT exitCode)
{
    if (!IsRunning())
        return;
    TerminateProcess(m_info.hProcess, exitCode);
    WaitForSingleObject(m_info.hProcess, 5000);
}

void ZqProcess::CloseHandles()
{
    if (m_info.hThread != nullptr)
        CloseHandle(m_info.hThread);
    if (m_info.hProcess != nullptr)
        CloseHandle(m_info.hProcess);
    m_info = PROCESS_INFORMATION{};
}
