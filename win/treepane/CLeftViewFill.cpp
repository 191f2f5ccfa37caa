// CLeftView, part two: filling the tree from the disk, opening levels and the window's start.
#include "treepane/CLeftView.h"

// windows.h maps FindNextFile to the wide API; here it must name the member of CFileFind.
#ifdef FindNextFile
#undef FindNextFile
#endif

#include <cctype>

#include "CPlatform.h"
#include "Win32Text.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "folderdata/CEDoc.h"
#include "fw/CFileFind.h"
#include "treepane/CFolderLabel.h"
#include "treepane/CFolderNode.h"

namespace {

constexpr int kImagePlaceholder = 0;
constexpr int kImageComputer = 1;
constexpr int kImageFolder = 2;
constexpr int kImageFileOnly = 3;

}  // namespace

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
                                     SeenList& seen, bool bButtonLater)
{
    HTREEITEM hItem = FindChild(hParent, path);
    if (hItem) {
        CFolderNode* pNode = GetNode(hItem);
        pNode->m_strName = name;
        // An unchanged label is left alone: each change makes the control measure the item again.
        const std::string label = FromWide(GetItemText(hItem));
        const std::string renamed = CFolderLabel::Rename(label, name);
        if (renamed != label)
            SetItemText(hItem, renamed);
        if (bButtonLater)
            QueueButton(*pNode);
    } else {
        hItem = InsertFolderItem(hParent, path, name, bButtonLater);
    }
    if (hItem)
        seen.insert(path);
    return hItem;
}

HTREEITEM CLeftView::InsertFolderItem(HTREEITEM hParent, const std::string& path, const std::string& name,
                                      bool bButtonLater)
{
    CEDoc* pDocument = GetEDoc();
    if (!pDocument)
        return nullptr;
    CFolderNode* pNode = pDocument->AddFolderNode(path, name, ToWide(name));
    pNode->m_nImage = GetImageIndex(path);
    TVINSERTSTRUCTW insert{};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = LPSTR_TEXTCALLBACKW;
    insert.item.iImage = insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.lParam = reinterpret_cast<LPARAM>(pNode);
    if (bButtonLater) {
        insert.item.mask |= TVIF_CHILDREN;
        insert.item.cChildren = I_CHILDRENCALLBACK;
    }
    HTREEITEM hItem = TreeView_InsertItem(m_hWnd, &insert);
    if (!hItem) {
        pDocument->ReleaseFolderNode(pNode);
        return nullptr;
    }
    if (const auto level = m_childIndex.find(hParent); level != m_childIndex.end())
        level->second.emplace(path, hItem);
    RememberItem(path, hItem);
    if (bButtonLater)
        QueueButton(*pNode);
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
    HICON hIcon = CEDoc::ShellSmallIcon(path);
    if (!hIcon)
        return kImagePlaceholder;
    const int index = ImageList_AddIcon(m_hImageList, hIcon);
    DestroyIcon(hIcon);
    return index < 0 ? kImagePlaceholder : index;
}

// Appended drive icons stay in the image list when their drive goes: the indices of the other
// drives' items then stay valid. The node goes after its item, so that the control never holds
// the address of a deleted node, not even while it deletes the item. A deleted item has no next
// sibling, so each child's successor is taken before the child goes.
void CLeftView::DeleteNodeItem(HTREEITEM hItem)
{
    HTREEITEM hChild = Child(hItem);
    while (hChild) {
        HTREEITEM hNext = Next(hChild);
        DeleteNodeItem(hChild);
        hChild = hNext;
    }
    CFolderNode* pNode = GetNode(hItem);
    if (pNode)
        ForgetItem(pNode->m_strPath, hItem);
    TreeView_DeleteItem(m_hWnd, hItem);
    CEDoc* pDocument = GetEDoc();
    if (pNode && pDocument) {
        pDocument->GetFolderInfo().RemoveEntry(pNode->m_strPath);
        pDocument->ReleaseFolderNode(pNode);
    }
}

// ---- filling ----

bool CLeftView::RefreshItem(const std::string& path)
{
    HTREEITEM hItem = FindItem(path);
    if (!hItem)
        return false;
    SeenList seen;
    m_childIndex.clear();
    BeginBulkChange();
    const bool bFilled = Settings().m_keys.IsMyComputerKey(path) ? FillDrives(hItem, seen) : FillChildren(hItem, true, seen);
    m_childIndex.clear();
    if (bFilled) {
        PruneChildren(hItem, seen);
        SettleButton(hItem);
    }
    EndBulkChange();
    return bFilled;
}

// Drawn once at the end: the control would otherwise lay itself out again for every folder
// inserted or deleted.
void CLeftView::BeginBulkChange()
{
    if (m_nRefreshDepth++ == 0)
        SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
}

void CLeftView::EndBulkChange()
{
    if (--m_nRefreshDepth == 0) {
        SendMessageW(m_hWnd, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(m_hWnd, nullptr, TRUE);
    }
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
    int nSubFolders = 0;
    bool bMore = true;
    while (bMore) {
        bMore = finder.FindNextFile();
        if (finder.IsDots() || !finder.IsDirectory())
            continue;
        const std::string child = settings.m_keys.GetDisplayPath(settings.m_keys.JoinPath(path, finder.GetFileName()));
        if (!bAll)
            return AddOrUpdateItem(hItem, child, CFolderLabel::DisplayNameOf(settings, child), seen) != nullptr;
        if (!FillChild(hItem, child, ++nSubFolders > kButtonsAtOnce, seen))
            return false;
    }
    return true;
}

// One sub-folder of a level being filled, with its first sub-folder, or all of them when it was
// open. Past the first kButtonsAtOnce of a level (bWide), a new one, or one whose button is still
// left to the tree, is not listed: its button is learned again (CLeftViewButtons.cpp).
bool CLeftView::FillChild(HTREEITEM hItem, const std::string& child, bool bWide, SeenList& seen)
{
    const bool bOpened = IsInTreeState(child);
    HTREEITEM hHeld = bWide && !bOpened ? FindChild(hItem, child) : nullptr;
    const bool bButtonLater = bWide && !bOpened && (!hHeld || GetNode(hHeld)->m_bButtonPending);
    HTREEITEM hChild = AddOrUpdateItem(hItem, child, CFolderLabel::DisplayNameOf(Settings(), child), seen, bButtonLater);
    if (!hChild)
        return false;
    if (!bButtonLater) {
        FillChildren(hChild, bOpened, seen);
        SettleButton(hChild);
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

// ---- start-up and opening levels ----

void CLeftView::OnInitialUpdate()
{
    CEDoc* pDocument = GetEDoc();
    m_strSelectedPath.clear();
    if (pDocument->IsRestoring())
        pDocument->ReadRestoredRecord([this](CArchive& ar) { Serialize(ar); });
    else
        m_strSelectedPath = pDocument->TakeStartPath();
    if (CEDoc::CreateImageList(m_hImageList))
        TreeView_SetImageList(m_hWnd, m_hImageList, TVSIL_NORMAL);
    InsertComputer();
    // Selecting the computer is the window's first selection: the list is not filled for it.
    SettlePendingSelection();
    RefreshItem(Settings().m_keys.m_strMyComputerId);
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
    CEDoc* pDocument = GetEDoc();
    CAppSettings& settings = pDocument->GetSettings();
    SettlePendingSelection();
    if (HTREEITEM hComputer = FindItem(settings.m_keys.m_strMyComputerId))
        ExpandItem(hComputer);
    if (CFolderKeys::IsDriveRoot(path))
        return true;
    std::size_t from = 0;
    for (;;) {
        settings.m_bWalkRunning = true;
        pDocument->PumpMessages();
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
// report the finished expansion, so the level is sorted here. An open level is left alone: asked
// to expand it again, Wine's control reports success, and opening the way to each hit of a search
// then cost 40 to 150 ms a level (measured with bench/search.sh) for levels already open.
void CLeftView::ExpandItem(HTREEITEM hItem)
{
    if (IsExpanded(hItem))
        return;
    if (TreeView_Expand(m_hWnd, hItem, TVE_EXPAND))
        SortChildren(hItem, GetEDoc()->GetFolderSortKey());
}
