// CLeftView, the expand buttons of a wide level: answered when asked for, learned in slices.
#include "treepane/CLeftView.h"

// windows.h maps FindNextFile to the wide API; here it must name the member of CFileFind.
#ifdef FindNextFile
#undef FindNextFile
#endif

#include "app/CAppSettings.h"
#include "fw/CFileFind.h"
#include "treepane/CFolderNode.h"

namespace {

// The longest a slice of learning keeps the message loop waiting, in milliseconds: a click or a
// menu waits at most this long.
constexpr DWORD kLearningSlice = 20;

}  // namespace

// The item asks the control for its button (I_CHILDRENCALLBACK), which asks the node whenever it
// needs it (drawing the item, opening it, a reader asking for the item's children): the answer
// is kept in the node, so the disk is asked once, by the first to need it or by the learning.
// The item keeps asking until it is filled: an answer set on the item itself would make the
// control lay out all the items it shows again, for each of thousands.
void CLeftView::QueueButton(CFolderNode& node)
{
    node.m_bButtonPending = true;
    node.m_nHasSubFolders = -1;
    if (m_buttonQueue.empty())
        SetTimer(m_hWnd, kButtonTimer, USER_TIMER_MINIMUM, nullptr);
    m_buttonQueue.push_back(node.m_strPath);
}

// Items put under the folder since (a paste, the files of a search hit) show it a button too.
int CLeftView::AnswerButton(HTREEITEM hItem, CFolderNode& node) const
{
    if (node.m_nHasSubFolders < 0)
        node.m_nHasSubFolders = Child(hItem) || HasSubFolders(node.m_strPath) ? 1 : 0;
    return node.m_nHasSubFolders;
}

// As the filling of a level finds a button: a sub-folder listed, not the files. An unreadable
// folder gets no button and no question either: the answer may be asked for while the control
// draws, and opening the folder asks as usual.
bool CLeftView::HasSubFolders(const std::string& path)
{
    CFileFind finder;
    if (!finder.FindFile(CFolderWalk::MakeFindPattern(path)))
        return false;
    bool bMore = true;
    while (bMore) {
        bMore = finder.FindNextFile();
        if (!finder.IsDots() && finder.IsDirectory())
            return true;
    }
    return false;
}

// Once its children were filled, an item's button follows them as for an item never pending.
void CLeftView::SettleButton(HTREEITEM hItem)
{
    CFolderNode* pNode = GetNode(hItem);
    if (!pNode || !pNode->m_bButtonPending)
        return;
    pNode->m_bButtonPending = false;
    TVITEMW item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    item.cChildren = Child(hItem) ? 1 : 0;
    TreeView_SetItem(m_hWnd, &item);
}

// A walk waiting in its pump goes first: it lists the same folders, and stopping it must not wait.
void CLeftView::LearnButtons()
{
    if (Settings().m_bWalkRunning)
        return;
    const DWORD start = GetTickCount();
    while (!m_buttonQueue.empty() && GetTickCount() - start < kLearningSlice) {
        HTREEITEM hItem = IndexedItem(m_buttonQueue.front());
        m_buttonQueue.pop_front();
        if (CFolderNode* pNode = GetNode(hItem); pNode && pNode->m_bButtonPending)
            AnswerButton(hItem, *pNode);
    }
    if (m_buttonQueue.empty())
        KillTimer(m_hWnd, kButtonTimer);
}
