// CAppCore: the application object's shared state and services that need no window system.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/CWalkStatus.h"
#include "folderdata/CWalkSink.h"
#include "services/CPathList.h"

class CAppSettings;
class CDirSzLst;

// One instance lives for the whole process (the window program's application object derives
// from it; tools and tests create their own). It owns what all windows share: the folder
// records, the settings and services, the switches of linkage and compare, the program's own
// clipboard of paths (m_clipList, filled by Cut or Copy in any window, with m_bCutPending set
// by Cut so that the next Paste moves), and the last system error seen. Long loops call PumpMessages once per step to keep the windows alive; the walk
// reaches the pump and the last-error slot through the CWalkSink this object implements.
class CAppCore : public CWalkSink {
public:
    // construction: the newest instance becomes the process's application object
    CAppCore();
    ~CAppCore() override;
    CAppCore(const CAppCore&) = delete;
    CAppCore& operator=(const CAppCore&) = delete;

    // Lets every waiting window message through; returns true once none is waiting. Meeting
    // the quit message ends the process at once with exit code 0, saving nothing.
    bool PumpMessages() override;
    void RememberLastError(uint32_t code) override { m_dwLastError = code; }
    // How far a walk has come, in the status bar at the pace of m_walkStatus (ShowWalkStatus).
    void BeginWalkProgress() override;
    void ShowWalkProgress(const CWalkProgress& progress) override;
    void EndWalkProgress() override;
    // The system's message text for an error code, cut after its first "。".
    std::string FormatSystemError(uint32_t code);
    // "0x" and lower-case hexadecimal digits.
    static std::string FormatHex(uint32_t code);

    // store and start-up
    // Creates the store folder when it is not there; false when it still is not (the writes
    // that follow then fail without a message).
    bool EnsureStoreFolder();
    // Shows the start-up tip that follows the one shown last time (COnePointTips); returns the
    // answer that closed the tip box.
    int ShowOnePointTip();

protected:
    // The window program shows the text in its status bar; an empty text brings back the idle one.
    virtual void ShowWalkStatus(const std::string& /*text*/) {}

private:
    // held apart so that this header stays small; the references below name them
    std::unique_ptr<CDirSzLst> m_pFolderInfo;
    std::unique_ptr<CAppSettings> m_pSettings;

public:
    // shared state
    int32_t m_nFolderSortKey = 0;
    std::string m_strStartPath;
    int32_t m_bRegisteredFound = 1;
    int32_t m_nChildCount = 0;
    int32_t m_bRestoring = 0;
    int32_t m_bLinkage = 0;
    int32_t m_bCompare = 0;
    int32_t m_bNoAnswer = 1;
    std::string m_strVerdict;
    uint32_t m_dwLastError = 0;
    CDirSzLst& m_folderInfo;
    int32_t m_bRefreshOnOpen = 0;
    int32_t m_bReaggregate = 0;
    CAppSettings& m_settings;
    // the program's clipboard, also the work list of the delete commands
    CPathList m_clipList;
    int32_t m_bCutPending = 0;
    CWalkStatus m_walkStatus;

private:
    CAppCore* m_previous = nullptr;
};

// The process's application object.
CAppCore& AfxGetAppCore();
