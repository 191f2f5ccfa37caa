// CEApp: the application object of フォルダ ZQ: start-up, shared state, store commands and exit.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "app/CAppCore.h"
#include "folderdata/CDocumentHost.h"
#include "fw/CWinApp.h"

class CChildFrame;
class CEDoc;
class CMainFrame;
class CSearchDlg;
class CStoreFile;
class CUpdateHint;

// One instance per process (WinMain's; tests make their own). It joins the window framework's
// application (message loop, templates, recent list) with the core's shared state and services
// (CAppCore: folder records, settings, pump). InitInstance registers the template, creates the
// main frame (which reads "Mn" and "Tool Bar"), recreates the child windows recorded in
// "Child Wind " or opens one new window, shows the start-up tip and hands over to the message
// loop. The save commands write the store files, exit saves everything first; closing the main
// window by other means saves nothing but the registered-folder list (at ExitInstance). What the
// documents, the main frame and the search dialog need of it they get as callbacks, so that
// nothing below it includes it.
class CEApp : public CWinApp, public CAppCore {
public:
    // construction
    explicit CEApp(std::wstring registryKey = L"Local AppWizard-Generated Applications");
    ~CEApp() override;

    // start-up and shutdown
    bool InitInstance() override;
    // Everything InitInstance does before the start-up tip; false when start-up must end.
    bool CreateWindows(const std::wstring& commandArgument);

    // shared services
    void UpdateAllDocuments(CEDoc* pSender, int code, CUpdateHint& hint);
    void MoveWindowKeepSize(HWND hWnd, int x, int y, int dx, int dy);
    CMainFrame* GetMainFrame() const;
    // Creates the search dialog on first use (reading "Dilog Find") and shows it.
    void ShowSearchDialog();
    // Both ways the rectangle is the search dialog's, as the dialog itself stores it; without the
    // dialog a stored rectangle is empty and a loaded one has nowhere to go.
    void SerializeSearchDialog(CArchive& ar);
    // Runs the search dialog's criteria in the folder tree of the active child window, if any.
    void SearchActiveTree(const CSearchDlg& dialog) const;

    // store commands; each makes sure the store folder exists first
    bool SaveMainFrame();
    bool SaveToolBars();
    bool SaveChildWindows();
    bool SaveSearchDialog();
    bool SaveFolderInfo();
    void SaveAll();

    // registered folders
    void SortRegisteredFolders();
    void OnRegisterFolders();
    bool OnOpenRegisteredFolder(UINT id);
    CChildFrame* FindWindowShowing(const std::string& path) const;

    // framework commands
    void OnAppExit() override;

    std::unique_ptr<CSearchDlg> m_pSearchDlg;
    COLORREF m_crListText = 0;
    // Home, End, Page Up, Page Down, Up, Down, Left, Right, Delete, Enter
    std::array<int32_t, 10> m_nKeyCodes = {36, 35, 33, 34, 38, 40, 37, 39, 46, 13};

protected:
    // The main frame's message pane shows how far a walk has come (CEAppWalkStatus.cpp).
    void ShowWalkStatus(const std::string& text) override;

private:
    // handed to every document
    CDocumentHost m_documentHost;

    bool RestoreChildWindows(const std::wstring& commandArgument);
    bool ReadChildWindows(const std::wstring& commandArgument);
    bool ProcessCommandLine(const std::wstring& commandArgument);
    void ShowMainWindow();
    void OnAppAbout();
    void MapCommands();
};
