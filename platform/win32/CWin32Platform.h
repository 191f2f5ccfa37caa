// CWin32Platform: the platform services of the Windows build, through the wide-character Win32 API.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <string>

#include "CPlatform.h"
#include "CPseudoMountTable.h"

// What GetSystemPlatform() returns on Windows. Paths arrive in UTF-8 and go to the W functions in
// UTF-16; paths too long for the plain Win32 limits get the \\?\ prefix, so deep trees can be
// listed. Errors are GetLastError's codes, unchanged.
//
// The pump dispatches with TranslateMessage/DispatchMessageW. The GUI, which needs accelerators
// and dialog navigation to see every message the pump takes while a long job runs, installs its
// own per-message handling with SetMessageDispatcher on Instance().
class CWin32Platform : public CPlatform {
public:
    // Handles one message taken from the queue (never WM_QUIT, which ends the pump).
    using MessageDispatcher = std::function<void(MSG&)>;

    static CWin32Platform& Instance();

    // An empty dispatcher restores TranslateMessage + DispatchMessageW.
    void SetMessageDispatcher(MessageDispatcher dispatcher);

    uint32_t FindFirst(const std::string& pattern, std::unique_ptr<CFindHandle>& handle,
                       CFindEntry& first) override;
    bool GetFileStatus(const std::string& path, CFindEntry& status) override;
    std::vector<std::string> ListDriveRoots() override;
    uint32_t DriveTypeOf(const std::string& root) override;
    uint32_t FreeSpaceOf(const std::string& root, uint64_t& freeBytes) override;
    uint32_t CreateFolder(const std::string& path) override;
    uint32_t RemoveFile(const std::string& path) override;
    uint32_t RemoveFolder(const std::string& path) override;
    std::filesystem::path NativePath(const std::string& path) override;
    std::string FormatSystemMessage(uint32_t code) override;
    bool LocalTime(int64_t time, std::tm& local) override;
    std::string ShellDisplayNameOf(const std::string& path) override;
    ShellIconId ShellSmallIconOf(const std::string& path) override;
    bool ShellOpen(const std::string& path) override;
    // SHFileOperationW with FOF_ALLOWUNDO alone and no owner window. A path in the long form
    // (\\?\ in front), which the shell does not take, is refused (kErrorInvalidName) unasked.
    int ShellFileOperation(int operation, const std::vector<std::string>& sources,
                           const std::string& destination) override;
    // Under Wine only.
    bool ShellMovesOverFilesUnasked() override;
    int ShowMessageBox(const std::string& text, unsigned style) override;
    // Takes the waiting messages, at most once per kPumpInterval.
    bool PumpWaitingMessages() override;
    static constexpr DWORD kPumpInterval = 10;  // milliseconds
    [[noreturn]] void QuitProcess(int exitCode) override;
    // Windows has no pseudo file systems; under Wine, Z:\ is the host's root and holds /proc,
    // /sys and /dev, found in the host's mount table (Z:\proc\self\mountinfo), read again when
    // a walk begins and the last reading is a few seconds old.
    void BeginWalk() override;
    void EndWalk() override;
    bool IsPseudoFileSystem(const std::string& folder) override;

    // The UTF-16 form of a path for the file APIs, with \\?\ (or \\?\UNC\) in front when it is
    // too long for them without it.
    static std::wstring ApiPath(const std::string& path);

    // The icon of a ShellSmallIconOf answer, drawn from the system's small image list; the
    // caller destroys it (DestroyIcon). Null for kNoShellIcon or before any icon was asked for.
    HICON SmallIconHandle(ShellIconId icon) const;

private:
    void Dispatch(MSG& message);
    CPseudoMounts ReadMountTable();

    MessageDispatcher m_dispatcher;
    DWORD m_dwLastPump = GetTickCount() - kPumpInterval;
    HIMAGELIST m_smallImageList = nullptr;  // the system's, as the shell last handed it out
    // The zone's rules of each year asked for, and when they were read: every date of a list of
    // 100,000 files is turned into local time, and asking the system for the zone each time
    // costs more than the conversion. A change of the zone is seen within a few seconds.
    const TIME_ZONE_INFORMATION* ZoneOfYear(WORD year);
    std::map<WORD, TIME_ZONE_INFORMATION> m_zones;
    ULONGLONG m_zonesRead = 0;
    int m_walkDepth = 0;
    CPseudoMountTable m_mountTable{[this] { return ReadMountTable(); }};
};
