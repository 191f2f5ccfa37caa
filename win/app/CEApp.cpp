// Start-up, shared services and the application's commands.
#include "app/CEApp.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "CPlatform.h"
#include "app/CAboutDlg.h"
#include "app/CAppSettings.h"
#include "app/CChildCount.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CSearchDialogRecord.h"
#include "app/CToolBarState.h"
#include "dialogs/CSearchDlg.h"
#include "folderdata/CDirSzLst.h"
#include "folderdata/CEDoc.h"
#include "fw/CMultiDocTemplate.h"
#include "fw/WindowPlacement.h"
#include "res/resource.h"
#include "treepane/CLeftView.h"

CEApp::CEApp(std::wstring registryKey) : CWinApp(L"フォルダ ZQ")
{
    SetRegistryKey(registryKey);
    MapCommands();
    m_documentHost.m_showSearchDialog = [this] { ShowSearchDialog(); };
    m_documentHost.m_serializeSearchDialog = [this](CArchive& ar) { SerializeSearchDialog(ar); };
}

// The windows go while this object is whole: their handlers reach it through their documents,
// the main frame's through the callback it was given.
CEApp::~CEApp()
{
    if (m_pSearchDlg && m_pSearchDlg->m_hWnd)
        m_pSearchDlg->DestroyWindow();
    m_pSearchDlg.reset();
    CloseAllDocuments();
    if (m_pMainWnd && m_pMainWnd->m_hWnd)
        m_pMainWnd->DestroyWindow();
}

void CEApp::MapCommands()
{
    OnCommand(ID_APP_ABOUT, [this](UINT) { OnAppAbout(); });
    OnCommand(ID_SAVE_MAINFRAME, [this](UINT) { SaveMainFrame(); });
    OnCommand(ID_SAVE_TOOLBARS, [this](UINT) { SaveToolBars(); });
    OnCommand(ID_SAVE_CHILDREN, [this](UINT) { SaveChildWindows(); });
    OnCommand(ID_SAVE_SEARCHDLG, [this](UINT) { SaveSearchDialog(); });
    OnCommand(ID_SAVE_FOLDERINFO, [this](UINT) { SaveFolderInfo(); });
    OnCommand(ID_SAVE_ALL, [this](UINT) { SaveAll(); });
    OnCommand(ID_REGISTER_FOLDERS, [this](UINT) { OnRegisterFolders(); });
    OnCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, [this](UINT id) { OnOpenRegisteredFolder(id); });
    OnUpdateUIRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, [this](CCmdUI& ui) {
        ui.Enable(GetRecentFileList() && ui.m_nID - ID_FILE_MRU_FILE1 < GetRecentFileList()->m_folders.GetCount());
    });
}

bool CEApp::InitInstance()
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring argument = argv && argc > 1 ? argv[1] : L"";
    LocalFree(argv);
    if (!CreateWindows(argument))
        return false;
    if (ShowOnePointTip() == kIdCancel)
        GetPlatform().QuitProcess(0);
    return true;
}

bool CEApp::CreateWindows(const std::wstring& commandArgument)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    LoadStdProfileSettings(CRegisteredFolders::kMaxEntries);
    SortRegisteredFolders();
    AddDocTemplate(std::make_unique<CMultiDocTemplate>(
        IDR_ETYPE, [this] { return std::make_unique<CEDoc>(*this, m_documentHost); }, [] { return new CChildFrame; }));
    auto* pMainFrame = new CMainFrame;
    pMainFrame->m_onWindowsTiled = [this] {
        CUpdateHint hint;
        UpdateAllDocuments(nullptr, kHintArrange, hint);
    };
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW))
        return false;  // a frame whose creation failed has deleted itself
    m_pMainWnd = pMainFrame;
    if (!RestoreChildWindows(commandArgument))
        return false;
    ShowMainWindow();
    return true;
}

bool CEApp::RestoreChildWindows(const std::wstring& commandArgument)
{
    CStoreFile& file = m_settings.m_fileChildWindows;
    if (!m_settings.OpenStoreFile(file, m_settings.m_strChildWindowPath, true)) {
        m_bRestoring = 0;
        return ProcessCommandLine(commandArgument);
    }
    m_bRestoring = 1;
    const bool bRead = ReadChildWindows(commandArgument);
    m_bRestoring = 0;
    file.Close();
    if (!bRead)
        return false;
    CUpdateHint hint;
    UpdateAllDocuments(nullptr, kHintArrange, hint);
    return true;
}

bool CEApp::ReadChildWindows(const std::wstring& commandArgument)
{
    CChildCount count(*this);
    if (!m_settings.SerializeOnFile(m_settings.m_fileChildWindows, CArchive::load, count) || !count.IsComplete()) {
        // Not even the count could be read: a damaged file is taken as a missing one.
        m_bRestoring = 0;
        return ProcessCommandLine(commandArgument);
    }
    for (int32_t index = 0; index < m_nChildCount; ++index) {
        if (!ProcessCommandLine(commandArgument))
            return false;
    }
    return true;
}

bool CEApp::ProcessCommandLine(const std::wstring& commandArgument)
{
    return OpenDocument(commandArgument);
}

void CEApp::ShowMainWindow()
{
    CMainFrame* pMainFrame = GetMainFrame();
    // A restored placement has shown the window in its saved state already.
    ShowWindow(pMainFrame->m_hWnd, pMainFrame->HasRestoredPlacement() ? SW_SHOW : m_nCmdShow);
    UpdateWindow(pMainFrame->m_hWnd);
}

void CEApp::UpdateAllDocuments(CEDoc* pSender, int code, CUpdateHint& hint)
{
    CEDoc::NotifyDocuments(GetDocTemplate(), pSender, code, hint);
}

void CEApp::MoveWindowKeepSize(HWND hWnd, int x, int y, int dx, int dy)
{
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(hWnd, &wp);
    RECT& rc = wp.rcNormalPosition;
    OffsetRect(&rc, x + dx - rc.left, y + dy - rc.top);
    SetWindowPlacement(hWnd, &wp);
}

CMainFrame* CEApp::GetMainFrame() const
{
    return dynamic_cast<CMainFrame*>(m_pMainWnd);
}

void CEApp::ShowSearchDialog()
{
    if (!m_pSearchDlg) {
        auto pDialog = std::make_unique<CSearchDlg>(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr,
                                                    [this](const CSearchDlg& dialog) { SearchActiveTree(dialog); });
        if (!pDialog->Create())
            return;
        // At the screen's corner until "Dilog Find" says where the user left it.
        CWindowPlacement placement = GetPlacementOf(pDialog->m_hWnd);
        CStoreRect& rc = placement.rcNormalPosition;
        rc = CStoreRect{0, 0, rc.right - rc.left, rc.bottom - rc.top};
        ApplyPlacement(pDialog->m_hWnd, placement);
        pDialog->LoadPlacement(m_settings);
        m_pSearchDlg = std::move(pDialog);
    }
    ShowWindow(m_pSearchDlg->m_hWnd, SW_SHOW);
    SetActiveWindow(m_pSearchDlg->m_hWnd);
}

void CEApp::SerializeSearchDialog(CArchive& ar)
{
    if (m_pSearchDlg) {
        m_pSearchDlg->Serialize(ar);
        return;
    }
    CSearchDialogRecord record;
    record.Serialize(ar);
}

void CEApp::SearchActiveTree(const CSearchDlg& dialog) const
{
    CMainFrame* pFrame = GetMainFrame();
    auto* pChild = pFrame ? dynamic_cast<CChildFrame*>(pFrame->MDIGetActive()) : nullptr;
    CLeftView* pTree = pChild ? pChild->GetLeftPane() : nullptr;
    if (!pTree)
        return;
    pTree->ClearSearchMarks();
    pTree->SearchFolders(dialog.m_criteria, dialog.m_nCombine, dialog.m_bSkipNoDate != 0);
}

void CEApp::OnAppAbout()
{
    CAboutDlg dialog(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr);
    dialog.DoModal();
}

void CEApp::OnAppExit()
{
    SaveAll();
    CWinApp::OnAppExit();
}

bool CEApp::SaveMainFrame()
{
    EnsureStoreFolder();
    CMainFrame* pMainFrame = GetMainFrame();
    return pMainFrame &&
           m_settings.SerializeToFile(m_settings.StorePath(m_settings.m_strMainFrameFile), CArchive::store, *pMainFrame);
}

bool CEApp::SaveToolBars()
{
    EnsureStoreFolder();
    CMainFrame* pMainFrame = GetMainFrame();
    if (!pMainFrame)
        return false;
    pMainFrame->CaptureToolBarRects();
    CToolBarState state(pMainFrame->GetDockRects());
    return m_settings.SerializeToFile(m_settings.StorePath(m_settings.m_strToolBarFile), CArchive::store, state);
}

// The children go behind the active one first, the active one last, so that restoring them
// one after another leaves the same child active.
bool CEApp::SaveChildWindows()
{
    EnsureStoreFolder();
    CMainFrame* pMainFrame = GetMainFrame();
    CStoreFile file;
    if (!pMainFrame || !m_settings.OpenStoreFile(file, m_settings.m_strChildWindowPath, false))
        return false;
    std::vector<CMDIChildWnd*> children = pMainFrame->GetMDIChildren();
    if (!children.empty())
        std::rotate(children.begin(), children.begin() + 1, children.end());
    m_nChildCount = static_cast<int32_t>(children.size());
    CChildCount count(*this);
    m_settings.SerializeOnFile(file, CArchive::store, count);
    for (CMDIChildWnd* pChild : children) {
        if (auto* pFrame = dynamic_cast<CChildFrame*>(pChild))
            pFrame->SaveRecords(file, m_settings);
    }
    return file.Close();
}

bool CEApp::SaveSearchDialog()
{
    EnsureStoreFolder();
    return m_pSearchDlg && m_pSearchDlg->SavePlacement(m_settings);
}

bool CEApp::SaveFolderInfo()
{
    EnsureStoreFolder();
    return m_settings.SerializeToFile(m_settings.m_strFolderInfoPath, CArchive::store, m_folderInfo);
}

void CEApp::SaveAll()
{
    EnsureStoreFolder();
    SaveMainFrame();
    SaveToolBars();
    SaveChildWindows();
    OnRegisterFolders();
    SaveSearchDialog();
}

void CEApp::SortRegisteredFolders()
{
    if (CRecentFileList* pList = GetRecentFileList())
        pList->m_folders.SortRegisteredFolders();
}

// A window that shows no folder yet has nothing to register.
void CEApp::OnRegisterFolders()
{
    CMainFrame* pMainFrame = GetMainFrame();
    CRecentFileList* pList = GetRecentFileList();
    if (!pMainFrame || !pList)
        return;
    for (CMDIChildWnd* pChild : pMainFrame->GetMDIChildren()) {
        auto* pFrame = dynamic_cast<CChildFrame*>(pChild);
        CLeftView* pTree = pFrame ? pFrame->GetLeftPane() : nullptr;
        if (pTree && !pTree->GetCurrentFolder().empty())
            pList->m_folders.Add(pTree->GetCurrentFolder());
    }
    SortRegisteredFolders();
}

CChildFrame* CEApp::FindWindowShowing(const std::string& path) const
{
    CMainFrame* pMainFrame = GetMainFrame();
    if (!pMainFrame)
        return nullptr;
    for (CMDIChildWnd* pChild : pMainFrame->GetMDIChildren()) {
        auto* pFrame = dynamic_cast<CChildFrame*>(pChild);
        CLeftView* pTree = pFrame ? pFrame->GetLeftPane() : nullptr;
        if (pTree && pTree->GetCurrentFolder() == path)
            return pFrame;
    }
    return nullptr;
}

bool CEApp::OnOpenRegisteredFolder(UINT id)
{
    CRecentFileList* pList = GetRecentFileList();
    const std::size_t index = id - ID_FILE_MRU_FILE1;
    if (!pList || index >= pList->m_folders.GetCount())
        return true;
    const std::string path = pList->m_folders.GetAt(index);
    m_strStartPath = path;
    const int answer = GetPlatform().ShowMessageBox(
        "――――　最近使ったフォルダ　――――\n\n\n" + path + "\n\n" +
            "このフォルダを選択したフォルダZQを作成し ますか？\n\n\n"
            "はい　　　　：　作成します。\n\nいいえ　　　：　作成しません。\n\n"
            "キャンセル　：　最近使ったフォルダの一覧から このフォルダを　削除します！！！\n\n",
        kMbYesNoCancel);
    if (answer == kIdYes) {
        if (CChildFrame* pFrame = FindWindowShowing(path)) {
            SendMessageW(GetMainFrame()->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pFrame->m_hWnd), 0);
            return true;
        }
        m_bRegisteredFound = 1;
        OnFileNew();
        if (m_bRegisteredFound == 0)
            pList->m_folders.Remove(index);
    } else if (answer == kIdCancel) {
        pList->m_folders.Remove(index);
    }
    return true;
}
