// CWinApp: the application object of the window program: start-up, message loop, idle and documents.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "fw/CCmdTarget.h"
#include "fw/CRecentFileList.h"

class CMDIFrameWnd;
class CMultiDocTemplate;

// One instance per process (AfxGetApp). WinMain calls InitInstance and, when it succeeds, Run,
// whose message loop gives each message to PreTranslateMessage (modeless dialogs, then the main
// frame's accelerators) before dispatching it, runs OnIdle whenever the queue is empty (the main
// frame then refreshes its toolbars and indicators) and ends with ExitInstance, which saves the
// recent list and returns the quit code. The long loops' message pump of the core dispatches
// through RouteMessage here too, so accelerators and dialogs keep working inside them.
// The application is last on the command route; it handles new window, open and exit.
class CWinApp : public CCmdTarget {
public:
    // construction
    explicit CWinApp(std::wstring appName);
    ~CWinApp() override;

    // start-up and shutdown
    virtual bool InitInstance() { return true; }
    virtual int ExitInstance();
    int Run();
    virtual bool OnIdle(long count);

    // messages
    virtual bool PreTranslateMessage(MSG& msg);
    // PreTranslateMessage, then the usual translation and dispatch.
    void RouteMessage(MSG& msg);
    void AddModelessDialog(HWND hDialog);
    void RemoveModelessDialog(HWND hDialog);

    // documents
    void AddDocTemplate(std::unique_ptr<CMultiDocTemplate> pTemplate);
    CMultiDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
    void CloseAllDocuments();
    // A new document and child window (empty path) or a document read from a file.
    bool OpenDocument(const std::wstring& path);

    // registry profile
    void SetRegistryKey(const std::wstring& key) { m_strRegistryKey = key; }
    void LoadStdProfileSettings(UINT maxRecent);
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }
    void UpdateRecentFileMenu(HMENU hMenu);

    // framework commands
    virtual void OnFileNew();
    virtual void OnFileOpen();
    virtual void OnAppExit();

    CMDIFrameWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    const std::wstring m_strAppName;

protected:
    static bool IsIdleMessage(const MSG& msg);

    int m_nExitCode = 0;

private:
    std::wstring m_strRegistryKey;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    std::unique_ptr<CMultiDocTemplate> m_pDocTemplate;
    std::vector<HWND> m_modelessDialogs;
    CWinApp* m_pPrevious = nullptr;
};

// The application object, or null outside its life.
CWinApp* AfxGetApp();
