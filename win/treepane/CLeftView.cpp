// The folder tree pane.
#include "treepane/CLeftView.h"

// windows.h maps FindNextFile to the wide API; here it must name the member of CFileFind.
#ifdef FindNextFile
#undef FindNextFile
#endif

#include <algorithm>
#include <cctype>

#include "CPlatform.h"
#include "CWin32Platform.h"
#include "Win32Text.h"
#include "app/CAppSettings.h"
#include "app/CEApp.h"
#include "app/SortSettings.h"
#include "folderdata/CDirSzLst.h"
#include "folderdata/CEDoc.h"
#include "folderdata/CUpdateHint.h"
#include "fw/AfxMessageBox.h"
#include "fw/CArchive.h"
#include "fw/CCmdUI.h"
#include "fw/CFileFind.h"
#include "res/resource.h"
#include "treepane/CFolderLabel.h"
#include "treepane/CFolderNode.h"
#include "treepane/CFolderOrder.h"


std::vector<std::pair<std::string, int32_t>> g_treeState;

namespace {

// update codes the tree answers or sends

constexpr int kImagePlaceholder = 0;
constexpr int kImageComputer = 1;
constexpr int kImageFolder = 2;
constexpr int kImageFileOnly = 3;
constexpr UINT_PTR kSelectionTimer = 0x5A51;

// Cleared while a linked selection is handed to the other windows, so that none hands it on.
int g_bBroadcastGuard = 1;

CAppSettings& Settings()
{
    return AfxGetEApp().m_settings;
}

struct SortContext {
    int32_t key;
    bool ascending;
};

CFolderOrder::Item OrderItemOf(LPARAM node)
{
    const auto* pNode = reinterpret_cast<const CFolderNode*>(node);
    return {pNode->m_strPath, pNode->m_strName, pNode->m_info};
}

int CALLBACK CompareNodes(LPARAM first, LPARAM second, LPARAM context)
{
    const auto* pContext = reinterpret_cast<const SortContext*>(context);
    return CFolderOrder::Compare(pContext->key, pContext->ascending, OrderItemOf(first), OrderItemOf(second));
}

// The drive icons come from the system's small image list, which the Win32 platform keeps.
HICON ShellSmallIconHandle(const std::string& path)
{
    static CWin32Platform shell;
    return shell.SmallIconHandle(shell.ShellSmallIconOf(path));
}

}  // namespace

CLeftView::CLeftView()
{
    OnCommand(ID_AGGREGATE, [this](UINT) { OnAggregate(); });
    OnUpdateUI(ID_AGGREGATE, [this](CCmdUI& ui) {
        if (CEDoc* pDocument = GetEDoc())
            pDocument->OnUpdateAggregate(ui);
    });
    OnCommand(ID_LABEL_RESET, [this](UINT) {
        if (HTREEITEM hItem = Selected())
            ResetLabels(hItem);
        Settings().m_bWalkRunning = false;
    });
    OnUpdateUI(ID_LABEL_RESET, [this](CCmdUI& ui) { OnUpdateLabelReset(ui); });
}

// The nodes belong to the document but live exactly as long as this view's items.
CLeftView::~CLeftView()
{
    if (CEDoc* pDocument = GetEDoc()) {
        for (CFolderNode* pNode : pDocument->m_folderNodes)
            delete pNode;
        pDocument->m_folderNodes.clear();
    }
    if (m_hImageList)
        ImageList_Destroy(m_hImageList);
}

CEDoc* CLeftView::GetEDoc() const
{
    return dynamic_cast<CEDoc*>(GetDocument());
}

const std::string& CLeftView::GetCurrentFolder() const
{
    static const std::string none;
    CEDoc* pDocument = GetEDoc();
    return pDocument ? pDocument->m_strCurPath : none;
}

// ---- items and nodes ----

CFolderNode* CLeftView::GetNode(HTREEITEM hItem) const
{
    if (!hItem)
        return nullptr;
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    if (!TreeView_GetItem(m_hWnd, &item))
        return nullptr;
    return reinterpret_cast<CFolderNode*>(item.lParam);
}

std::string CLeftView::GetItemPath(HTREEITEM hItem) const
{
    const CFolderNode* pNode = GetNode(hItem);
    return pNode ? pNode->m_strPath : std::string();
}

std::string CLeftView::GetItemName(HTREEITEM hItem) const
{
    const CFolderNode* pNode = GetNode(hItem);
    return pNode ? pNode->m_strName : std::string();
}

std::wstring CLeftView::GetItemText(HTREEITEM hItem) const
{
    const CFolderNode* pNode = GetNode(hItem);
    return pNode ? pNode->m_strLabel : std::wstring();
}

// The control keeps no copy of the text (it asks through TVN_GETDISPINFO); setting the callback
// again makes it measure the item anew, and only the item itself is drawn again.
void CLeftView::SetItemText(HTREEITEM hItem, const std::string& text)
{
    CFolderNode* pNode = GetNode(hItem);
    if (!pNode)
        return;
    pNode->m_strLabel = ToWide(text);
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = LPSTR_TEXTCALLBACKW;
    TreeView_SetItem(m_hWnd, &item);
    RECT bounds{};
    if (TreeView_GetItemRect(m_hWnd, hItem, &bounds, FALSE))
        InvalidateRect(m_hWnd, &bounds, TRUE);
}

// The text is copied into the asker's buffer when it fits, so that a reader in another process
// gets it too; a longer one is lent from the node.
void CLeftView::OnGetDispInfo(NMTVDISPINFOW& info) const
{
    const auto* pNode = reinterpret_cast<const CFolderNode*>(info.item.lParam);
    if (!(info.item.mask & TVIF_TEXT) || !pNode)
        return;
    const std::wstring& label = pNode->m_strLabel;
    if (info.item.pszText && info.item.cchTextMax > 0 &&
        label.size() < static_cast<std::size_t>(info.item.cchTextMax)) {
        std::copy(label.begin(), label.end(), info.item.pszText);
        info.item.pszText[label.size()] = L'\0';
    } else {
        info.item.pszText = const_cast<wchar_t*>(label.c_str());
    }
}

UINT CLeftView::GetItemState(HTREEITEM hItem, UINT mask) const
{
    return TreeView_GetItemState(m_hWnd, hItem, mask);
}

HTREEITEM CLeftView::FindItem(const std::string& path) const
{
    return FindBelow(TreeView_GetRoot(m_hWnd), path);
}

HTREEITEM CLeftView::FindBelow(HTREEITEM hFirst, const std::string& path) const
{
    for (HTREEITEM hItem = hFirst; hItem; hItem = Next(hItem)) {
        if (GetItemPath(hItem) == path)
            return hItem;
        if (HTREEITEM hFound = FindBelow(Child(hItem), path))
            return hFound;
    }
    return nullptr;
}

// A key has exactly one place in the tree, under its parent, so only the parent's children need
// to be searched. They are indexed once per refresh: searching the tree control's items for every
// folder of a level of thousands would take quadratic time.
HTREEITEM CLeftView::FindChild(HTREEITEM hParent, const std::string& path)
{
    auto [level, bNew] = m_childIndex.try_emplace(hParent);
    if (bNew) {
        for (HTREEITEM hChild = Child(hParent); hChild; hChild = Next(hChild))
            level->second.emplace(GetItemPath(hChild), hChild);
    }
    const auto found = level->second.find(path);
    return found == level->second.end() ? nullptr : found->second;
}

HTREEITEM CLeftView::AddOrUpdateItem(HTREEITEM hParent, const std::string& path, const std::string& name,
                                     SeenList& seen)
{
    HTREEITEM hItem = FindChild(hParent, path);
    if (hItem) {
        GetNode(hItem)->m_strName = name;
        // An unchanged label is left alone: each change makes the control measure the item again.
        const std::string label = FromWide(GetItemText(hItem));
        const std::string renamed = CFolderLabel::Rename(label, name);
        if (renamed != label)
            SetItemText(hItem, renamed);
    } else {
        hItem = InsertFolderItem(hParent, path, name);
    }
    if (hItem)
        seen.insert(path);
    return hItem;
}

HTREEITEM CLeftView::InsertFolderItem(HTREEITEM hParent, const std::string& path, const std::string& name)
{
    CEDoc* pDocument = GetEDoc();
    if (!pDocument)
        return nullptr;
    auto& nodes = pDocument->m_folderNodes;
    auto* pNode = new CFolderNode(path, name, ToWide(name));
    nodes.push_back(pNode);
    TVINSERTSTRUCTW insert{};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = LPSTR_TEXTCALLBACKW;
    insert.item.iImage = insert.item.iSelectedImage = GetImageIndex(path);
    insert.item.lParam = reinterpret_cast<LPARAM>(pNode);
    HTREEITEM hItem = TreeView_InsertItem(m_hWnd, &insert);
    if (!hItem) {
        nodes.pop_back();
        delete pNode;
    } else if (const auto level = m_childIndex.find(hParent); level != m_childIndex.end()) {
        level->second.emplace(path, hItem);
    }
    return hItem;
}

int CLeftView::GetImageIndex(const std::string& path)
{
    const CAppSettings& settings = Settings();
    if (settings.m_keys.IsPlaceholderPath(path))
        return kImagePlaceholder;
    if (settings.m_keys.IsMyComputerKey(path))
        return kImageComputer;
    if (settings.m_keys.IsOrdinaryFolderPath(path))
        return kImageFolder;
    if (settings.m_keys.IsFileOnlyFolder(path))
        return kImageFileOnly;
    HICON hIcon = ShellSmallIconHandle(path);
    if (!hIcon)
        return kImagePlaceholder;
    const int index = ImageList_AddIcon(m_hImageList, hIcon);
    DestroyIcon(hIcon);
    return index < 0 ? kImagePlaceholder : index;
}

// Appended drive icons stay in the image list when their drive goes: the indices of the other
// drives' items then stay valid.
void CLeftView::DeleteNodeItem(HTREEITEM hItem)
{
    for (HTREEITEM hChild = Child(hItem); hChild; hChild = Next(hChild))
        DeleteNodeItem(hChild);
    CFolderNode* pNode = GetNode(hItem);
    CEDoc* pDocument = GetEDoc();
    if (pNode && pDocument) {
        AfxGetEApp().m_folderInfo.RemoveEntry(pNode->m_strPath);
        auto& nodes = pDocument->m_folderNodes;
        nodes.erase(std::remove(nodes.begin(), nodes.end(), pNode), nodes.end());
        delete pNode;
    }
    TreeView_DeleteItem(m_hWnd, hItem);
}

// ---- filling ----

bool CLeftView::RefreshItem(const std::string& path)
{
    HTREEITEM hItem = FindItem(path);
    if (!hItem)
        return false;
    SeenList seen;
    m_childIndex.clear();
    // Drawn once at the end: the control would otherwise lay itself out again for every folder.
    const bool bOutermost = m_nRefreshDepth++ == 0;
    if (bOutermost)
        SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
    const bool bFilled = Settings().m_keys.IsMyComputerKey(path) ? FillDrives(hItem, seen) : FillChildren(hItem, true, seen);
    m_childIndex.clear();
    if (bFilled)
        PruneChildren(hItem, seen);
    if (--m_nRefreshDepth == 0) {
        SendMessageW(m_hWnd, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(m_hWnd, nullptr, TRUE);
    }
    return bFilled;
}

bool CLeftView::FillDrives(HTREEITEM hComputer, SeenList& seen)
{
    CAppSettings& settings = Settings();
    for (std::string root : GetPlatform().ListDriveRoots()) {
        root[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
        settings.m_drives.OfferStartFolder(root);
        HTREEITEM hDrive = AddOrUpdateItem(hComputer, root, CFolderLabel::DisplayNameOf(settings, root), seen);
        if (!hDrive)
            return false;
        const std::string placeholder = root + settings.m_keys.m_strDummyId;
        if (IsInTreeState(root) && FillChildren(hDrive, true, seen))
            continue;
        if (IsInTreeState(root))
            TreeView_SetItemState(m_hWnd, hDrive, 0, TVIS_EXPANDED | TVIS_EXPANDEDONCE);
        if (!AddOrUpdateItem(hDrive, placeholder, settings.m_keys.m_strDummyId, seen))
            return false;
    }
    return true;
}

// A folder that was not open is listed only up to its first sub-folder: enough for its button.
bool CLeftView::FillChildren(HTREEITEM hItem, bool bAll, SeenList& seen)
{
    CAppSettings& settings = Settings();
    const std::string path = GetItemPath(hItem);
    CFileFind finder;
    if (!settings.m_walk.FindFileRetry(finder, path))
        return false;
    bool bMore = true;
    while (bMore) {
        bMore = finder.FindNextFile();
        if (finder.IsDots() || !finder.IsDirectory())
            continue;
        const std::string child = settings.m_keys.GetDisplayPath(settings.m_keys.JoinPath(path, finder.GetFileName()));
        HTREEITEM hChild = AddOrUpdateItem(hItem, child, CFolderLabel::DisplayNameOf(settings, child), seen);
        if (!hChild)
            return false;
        if (!bAll)
            break;
        FillChildren(hChild, IsInTreeState(child), seen);
    }
    return true;
}

bool CLeftView::PruneChildren(HTREEITEM hItem, const SeenList& seen)
{
    HTREEITEM hChild = Child(hItem);
    while (hChild) {
        HTREEITEM hNext = Next(hChild);
        if (seen.count(GetItemPath(hChild)) == 0)
            DeleteNodeItem(hChild);
        else
            PruneChildren(hChild, seen);
        hChild = hNext;
    }
    return true;
}

// ---- tree state ----

void CLeftView::SaveTreeState(HTREEITEM hItem)
{
    g_treeState.clear();
    if (hItem)
        CollectState(Child(hItem));
}

void CLeftView::CollectState(HTREEITEM hFirst)
{
    for (HTREEITEM hItem = hFirst; hItem; hItem = Next(hItem)) {
        const UINT state = GetItemState(hItem, 0xFFFF);
        if ((state & (TVIS_EXPANDED | TVIS_EXPANDEDONCE)) == 0)
            continue;
        g_treeState.emplace_back(GetItemPath(hItem), static_cast<int32_t>(state));
        CollectState(Child(hItem));
    }
}

bool CLeftView::IsInTreeState(const std::string& path)
{
    return std::any_of(g_treeState.begin(), g_treeState.end(),
                       [&path](const auto& entry) { return entry.first == path; });
}

void CLeftView::RestoreTreeState()
{
    for (const auto& [path, state] : g_treeState) {
        HTREEITEM hItem = (state & TVIS_EXPANDED) ? FindItem(path) : nullptr;
        if (hItem)
            TreeView_SetItemState(m_hWnd, hItem, TVIS_EXPANDED, TVIS_EXPANDED);
    }
}

void CLeftView::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        m_strSelectedPath = GetItemPath(Selected());
        SaveTreeState(FindItem(Settings().m_keys.m_strMyComputerId));
        ar << m_strSelectedPath << static_cast<int32_t>(g_treeState.size());
        for (const auto& [path, state] : g_treeState)
            ar << path << state;
        return;
    }
    int32_t count = 0;
    ar >> m_strSelectedPath >> count;
    g_treeState.clear();
    for (int32_t i = 0; i < count; ++i) {
        std::pair<std::string, int32_t> entry;
        ar >> entry.first >> entry.second;
        g_treeState.push_back(std::move(entry));
    }
}

// ---- start-up and moving the selection ----

void CLeftView::OnInitialUpdate()
{
    CEApp& app = AfxGetEApp();
    m_strSelectedPath.clear();
    if (app.m_bRestoring) {
        app.m_settings.SerializeOnFile(app.m_settings.m_fileChildWindows, CArchive::load, *this);
    } else {
        m_strSelectedPath = app.m_strStartPath;
        app.m_strStartPath.clear();
    }
    if (CEDoc::CreateImageList(m_hImageList))
        TreeView_SetImageList(m_hWnd, m_hImageList, TVSIL_NORMAL);
    InsertComputer();
    // Selecting the computer is the window's first selection: the list is not filled for it.
    SettlePendingSelection();
    RefreshItem(app.m_settings.m_keys.m_strMyComputerId);
    RestoreTreeState();
    OpenStartFolder();
    // The window knows its folder at once.
    SettlePendingSelection();
    CView::OnInitialUpdate();
}

void CLeftView::InsertComputer()
{
    CAppSettings& settings = Settings();
    HTREEITEM hComputer = InsertFolderItem(TVI_ROOT, settings.m_keys.m_strMyComputerId, settings.m_strMyComputerName);
    if (!hComputer)
        return;
    InsertFolderItem(hComputer, settings.m_keys.m_strMyComputerId + "\\" + settings.m_keys.m_strDummyId, settings.m_keys.m_strDummyId);
    TreeView_SelectItem(m_hWnd, hComputer);
}

void CLeftView::OpenStartFolder()
{
    if (!m_strSelectedPath.empty()) {
        ExpandToPath(m_strSelectedPath);
        SelectPath(m_strSelectedPath);
        return;
    }
    const std::string start = Settings().m_drives.GetStartFolder();
    HTREEITEM hStart = start.empty() ? nullptr : FindItem(start);
    if (!hStart)
        return;
    ExpandItem(hStart);
    TreeView_SelectItem(m_hWnd, hStart);
}

// Each level is opened through the expanding handler, which fills it; the walk flag lets the user
// stop a long way down by selecting something else.
bool CLeftView::ExpandToPath(const std::string& path)
{
    CAppSettings& settings = Settings();
    SettlePendingSelection();
    if (HTREEITEM hComputer = FindItem(settings.m_keys.m_strMyComputerId))
        ExpandItem(hComputer);
    if (CFolderKeys::IsDriveRoot(path))
        return true;
    std::size_t from = 0;
    for (;;) {
        settings.m_bWalkRunning = true;
        AfxGetEApp().PumpMessages();
        if (!settings.m_bWalkRunning)
            return false;
        settings.m_bWalkRunning = false;
        const std::size_t slash = path.find('\\', from);
        if (slash == std::string::npos)
            return true;
        from = slash + 1;
        HTREEITEM hPrefix = FindItem(path.substr(0, slash <= 2 ? slash + 1 : slash));
        if (!hPrefix)
            return true;
        ExpandItem(hPrefix);
    }
}

// TVM_EXPAND fills the level through the expanding handler but, unlike the user's click, does not
// report the finished expansion, so the level is sorted here.
void CLeftView::ExpandItem(HTREEITEM hItem)
{
    if (TreeView_Expand(m_hWnd, hItem, TVE_EXPAND))
        SortChildren(hItem, AfxGetEApp().m_nFolderSortKey);
}

void CLeftView::SelectPath(const std::string& path)
{
    std::string target = path;
    while (!target.empty()) {
        if (HTREEITEM hItem = FindItem(target)) {
            TreeView_SelectItem(m_hWnd, hItem);
            return;
        }
        AfxMessageBox("\n" + target + " が見つかりませんでした。\n\n", kMbOk);
        AfxGetEApp().m_bRegisteredFound = 0;
        target = Settings().m_keys.GetParentKey(target);
    }
}

void CLeftView::SelectParentFolder()
{
    HTREEITEM hSelected = Selected();
    if (!hSelected)
        return;
    if (HTREEITEM hParent = FindItem(Settings().m_keys.GetParentKey(GetItemPath(hSelected))))
        TreeView_SelectItem(m_hWnd, hParent);
}

// ---- notifications ----

bool CLeftView::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_NOTIFY)
        return CView::OnChildNotify(message, wParam, lParam, result);
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    const auto& info = *reinterpret_cast<const NMTREEVIEWW*>(lParam);
    switch (header.code) {
    case TVN_ITEMEXPANDINGW:
        result = OnItemExpanding(info);
        return true;
    case TVN_ITEMEXPANDEDW:
        OnItemExpanded(info);
        return true;
    case TVN_GETDISPINFOW:
        OnGetDispInfo(*reinterpret_cast<NMTVDISPINFOW*>(lParam));
        return true;
    case TVN_SELCHANGEDW:
        // Only a selection that rests is acted on: arrow keys held down refill the list once.
        // A walk waiting in its pump has been overtaken by the user's new choice.
        Settings().m_bWalkRunning = false;
        m_bSelectionPending = true;
        SetTimer(m_hWnd, kSelectionTimer, kSelectionDelay, nullptr);
        return true;
    default:
        return false;
    }
}

LRESULT CLeftView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kSelectionTimer) {
        SettlePendingSelection();
        return 0;
    }
    return CView::WindowProc(message, wParam, lParam);
}

LRESULT CLeftView::OnItemExpanding(const NMTREEVIEWW& info)
{
    HTREEITEM hItem = info.itemNew.hItem;
    const UINT action = info.action & (TVE_COLLAPSE | TVE_EXPAND);
    if (action == TVE_COLLAPSE)
        return FALSE;
    const UINT state = GetItemState(hItem, TVIS_EXPANDED | TVIS_EXPANDEDONCE);
    if (action != TVE_EXPAND || (state & TVIS_EXPANDED))
        return TRUE;
    if ((state & TVIS_EXPANDEDONCE) && !AfxGetEApp().m_bRefreshOnOpen)
        return FALSE;
    SaveTreeState(hItem);
    return RefreshItem(GetItemPath(hItem)) ? FALSE : TRUE;
}

void CLeftView::OnItemExpanded(const NMTREEVIEWW& info)
{
    HTREEITEM hItem = info.itemNew.hItem;
    if (!IsExpanded(hItem))
        return;
    CEApp& app = AfxGetEApp();
    app.m_dwLastError = 0;
    if (app.m_bRefreshOnOpen && app.m_bReaggregate)
        ReaggregateShown(hItem, true, false);
    SortChildren(hItem, app.m_nFolderSortKey);
    CUpdateHint hint;
    if (CEDoc* pDocument = GetEDoc())
        pDocument->UpdateAllViews(this, kHintExpanded, &hint);
}

// A selection made just before a long loop of this tree starts is acted on first: settling
// inside the loop's message pump would stop the loop as if the user had moved on.
void CLeftView::SettlePendingSelection()
{
    if (!m_bSelectionPending)
        return;
    KillTimer(m_hWnd, kSelectionTimer);
    OnSelectionSettled();
}

void CLeftView::OnSelectionSettled()
{
    m_bSelectionPending = false;
    CEDoc* pDocument = GetEDoc();
    if (!pDocument)
        return;
    m_bSelectBusy = 1;
    Settings().m_bWalkRunning = false;
    pDocument->m_strCurPath = GetItemPath(Selected());
    const bool bFollowingLink = m_bFollowingLink;
    m_bFollowingLink = false;
    if (m_bSkipListUpdate) {
        m_bSkipListUpdate = 0;
    } else {
        CUpdateHint hint;
        hint.m_strPath = pDocument->m_strCurPath;
        pDocument->UpdateAllViews(this, kHintRefresh, &hint);
        if (!bFollowingLink)
            SendLinkedSelection();
    }
    m_bSelectBusy = 0;
}

void CLeftView::SendLinkedSelection()
{
    CEApp& app = AfxGetEApp();
    CEDoc* pDocument = GetEDoc();
    std::string relative;
    if (!app.m_bLinkage || !g_bBroadcastGuard ||
        !RelativePath(pDocument->m_strCurPath, pDocument->m_strBasePath, relative))
        return;
    g_bBroadcastGuard = 0;
    CUpdateHint hint;
    hint.m_strPath = relative;
    app.UpdateAllDocuments(pDocument, static_cast<int>(kHintLinkedSelection), hint);
    g_bBroadcastGuard = 1;
}

void CLeftView::FollowLinkedSelection(const std::string& relative)
{
    CEApp& app = AfxGetEApp();
    const std::string& base = GetEDoc()->m_strBasePath;
    if (!app.m_bLinkage || base.empty())
        return;
    std::string target = base;
    if (app.m_settings.m_keys.IsMyComputerKey(base))
        target = relative;
    else if (!relative.empty())
        target = CFolderKeys::JoinPath(base, relative);
    if (!ExpandToPath(target))
        return;
    if (HTREEITEM hItem = FindItem(target)) {
        m_bFollowingLink = true;
        TreeView_SelectItem(m_hWnd, hItem);
    }
}

bool CLeftView::RelativePath(const std::string& path, const std::string& base, std::string& relative)
{
    relative.clear();
    if (base == Settings().m_keys.m_strMyComputerId) {
        relative = path;
        return true;
    }
    if (path.size() < base.size() || path.compare(0, base.size(), base) != 0)
        return false;
    if (path.size() == base.size())
        return true;
    if (CFolderKeys::IsDriveRoot(base)) {
        relative = path.substr(base.size());
        return true;
    }
    if (path[base.size()] != '\\')
        return false;
    relative = path.substr(base.size() + 1);
    return true;
}

void CLeftView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    CUpdateHint hint;
    if (const auto* pUpdate = dynamic_cast<const CUpdateHint*>(pHint))
        hint = *pUpdate;
    switch (lHint) {
    case kHintArrange:
        if (HTREEITEM hItem = Selected())
            TreeView_SelectSetFirstVisible(m_hWnd, hItem);
        break;
    case kHintRefresh:
        RefreshAll();
        break;
    case kHintAggregated:
        AggregateSelected();
        break;
    case kHintLinkedSelection:
        FollowLinkedSelection(hint.m_strPath);
        break;
    default:
        CView::OnUpdate(pSender, lHint, pHint);
        break;
    }
}

// ---- totals ----

bool CLeftView::SetItemLabel(HTREEITEM hItem, const CSizeInfo& totals)
{
    if (!hItem)
        return false;
    SetItemText(hItem, CFolderLabel::MakeLabel(Settings(), totals, GetItemName(hItem)));
    return true;
}

// Pressed while a walk waits in its pump, the command only stops that walk: nothing is announced,
// so that no linked window starts a walk of its own.
void CLeftView::OnAggregate()
{
    if (Settings().m_walk.StopAggregation())
        return;
    SettlePendingSelection();
    CEDoc* pDocument = GetEDoc();
    // The walk titles the window with the folder it is in; once it ends that would be stale.
    const std::string title = pDocument->GetTitle();
    AggregateSelected();
    pDocument->SetTitle(title);
    CUpdateHint hint;
    pDocument->UpdateAllViews(this, kHintAggregated, &hint);
    if (!pDocument->m_strBasePath.empty())
        AfxGetEApp().UpdateAllDocuments(pDocument, static_cast<int>(kHintAggregated), hint);
}

bool CLeftView::AggregateSelected()
{
    CEApp& app = AfxGetEApp();
    if (app.m_settings.m_walk.StopAggregation())
        return false;
    HTREEITEM hItem = Selected();
    if (!hItem)
        return false;
    app.m_dwLastError = 0;
    if (!app.m_settings.m_keys.IsFileOnlyFolder(GetItemPath(hItem)))
        return AggregateSubtree(hItem, app.m_bReaggregate != 0);
    if (app.m_bReaggregate)
        return AggregateSubtree(TreeView_GetParent(m_hWnd, hItem), true);
    return RelabelFromNode(hItem);
}

bool CLeftView::AggregateItem(HTREEITEM hItem, bool bReaggregate)
{
    CEApp& app = AfxGetEApp();
    CSizeInfo total;
    CSizeInfo direct;
    ClearTotals(total);
    ClearTotals(direct);
    const bool bDone =
        app.m_settings.m_walk.AggregateFolder(GetItemPath(hItem), total, direct, GetEDoc(), bReaggregate, false);
    app.m_settings.m_bWalkRunning = false;
    if (!bDone)
        return false;
    GetNode(hItem)->m_info = total;
    return SetItemLabel(hItem, total);
}

// Deepest first, so that each folder's walk finds its shown sub-folders already stored.
bool CLeftView::AggregateVisibleChildren(HTREEITEM hItem, bool bReaggregate)
{
    if (!Child(hItem) || !IsExpanded(hItem))
        return true;
    for (HTREEITEM hChild = Child(hItem); hChild; hChild = Next(hChild)) {
        if (Settings().m_keys.IsFileOnlyFolder(GetItemPath(hChild)))
            continue;
        if (!AggregateVisibleChildren(hChild, bReaggregate) || !AggregateItem(hChild, bReaggregate))
            return false;
    }
    return true;
}

// A stopped or failed walk leaves the ancestors alone: re-totalling them would walk the disk
// again for the very folder the user just stopped.
bool CLeftView::AggregateSubtree(HTREEITEM hItem, bool bReaggregate)
{
    if (!hItem || !AggregateVisibleChildren(hItem, bReaggregate))
        return false;
    if (!AggregateItem(hItem, bReaggregate))
        return false;
    UpdateAncestors(hItem);
    return true;
}

bool CLeftView::UpdateAncestors(HTREEITEM hItem)
{
    CEApp& app = AfxGetEApp();
    for (HTREEITEM hAncestor = TreeView_GetParent(m_hWnd, hItem); hAncestor;
         hAncestor = TreeView_GetParent(m_hWnd, hAncestor)) {
        const std::string path = GetItemPath(hAncestor);
        if (app.m_settings.m_keys.IsMyComputerKey(path) || !app.m_folderInfo.FindEntry(path))
            return true;
        app.m_folderInfo.RemoveEntry(path);
        if (!AggregateItem(hAncestor, false))
            return false;
    }
    return true;
}

bool CLeftView::RelabelFromNode(HTREEITEM hItem)
{
    const CFolderNode* pNode = GetNode(hItem);
    return pNode && SetItemLabel(hItem, pNode->m_info);
}

bool CLeftView::ReaggregateShown(HTREEITEM hItem, bool bThisOnly, bool bForce)
{
    for (HTREEITEM hShown = hItem; hShown; hShown = bThisOnly ? nullptr : Next(hShown)) {
        const bool bShowsTotals = CFolderLabel::HasTotals(FromWide(GetItemText(hShown)));
        bool bChildrenDone = false;
        if (Child(hShown) && IsExpanded(hShown)) {
            if (!ReaggregateShown(Child(hShown), false, bShowsTotals))
                return false;
            bChildrenDone = true;
        }
        if ((bForce || bShowsTotals) && !Settings().m_keys.IsFileOnlyFolder(GetItemPath(hShown)) &&
            !AggregateSubtree(hShown, !bChildrenDone))
            return false;
    }
    return true;
}

bool CLeftView::RefreshAll()
{
    CEApp& app = AfxGetEApp();
    HTREEITEM hComputer = FindItem(app.m_settings.m_keys.m_strMyComputerId);
    SaveTreeState(hComputer);
    if (!RefreshItem(app.m_settings.m_keys.m_strMyComputerId))
        return false;
    if (app.m_bReaggregate)
        ReaggregateShown(hComputer, true, false);
    return true;
}

// ---- labels ----

void CLeftView::ResetLabels(HTREEITEM hItem)
{
    SetItemText(hItem, GetItemName(hItem));
    if (!IsExpanded(hItem))
        return;
    for (HTREEITEM hChild = Child(hItem); hChild; hChild = Next(hChild))
        ResetLabels(hChild);
}

bool CLeftView::AnyLabelWithTotals(HTREEITEM hItem) const
{
    if (CFolderLabel::HasTotals(FromWide(GetItemText(hItem))))
        return true;
    if (!IsExpanded(hItem))
        return false;
    for (HTREEITEM hChild = Child(hItem); hChild; hChild = Next(hChild)) {
        if (AnyLabelWithTotals(hChild))
            return true;
    }
    return false;
}

void CLeftView::OnUpdateLabelReset(CCmdUI& ui)
{
    HTREEITEM hItem = Selected();
    ui.Enable(hItem && AnyLabelWithTotals(hItem));
}

// ---- sorting and the frame's requests ----

void CLeftView::SortFolders(int32_t key)
{
    CFolderOrder::SelectKey(AfxGetEApp(), key);
    if (HTREEITEM hItem = Selected())
        SortChildren(hItem, key);
    Settings().m_bWalkRunning = false;
}

bool CLeftView::SortChildren(HTREEITEM hItem, int32_t key)
{
    SortContext context{key, g_nFolderSortDirection != 0};
    TVSORTCB sort{};
    sort.hParent = hItem;
    sort.lpfnCompare = CompareNodes;
    sort.lParam = reinterpret_cast<LPARAM>(&context);
    return TreeView_SortChildrenCB(m_hWnd, &sort, FALSE) != FALSE;
}

bool CLeftView::CanSortFolders() const
{
    HTREEITEM hItem = Selected();
    HTREEITEM hFirst = hItem ? Child(hItem) : nullptr;
    return hFirst && IsExpanded(hItem) && Next(hFirst);
}

void CLeftView::OnUpdateFolderUp(CCmdUI& ui)
{
    HTREEITEM hItem = Selected();
    ui.Enable(hItem && !Settings().m_keys.IsMyComputerKey(GetItemPath(hItem)));
}

void CLeftView::OnUpdateRefreshOnOpen(CCmdUI& ui)
{
    ui.Enable(true);
    HTREEITEM hItem = Selected();
    if (hItem && Child(hItem))
        ui.SetCheck(AfxGetEApp().m_bRefreshOnOpen ? 1 : 0);
}

DWORD CLeftView::GetControlStyle() const
{
    return TVS_HASLINES | TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_EDITLABELS;
}
