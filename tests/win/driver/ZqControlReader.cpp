// ZqControlReader: common-control messages with their data in the driven process.
#include "ZqControlReader.h"

#include "ZqWindows.h"

LRESULT ZqControlReader::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, zqwin::kSendTimeoutMs, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

// ---- Status bar ----------------------------------------------------------------------------

std::wstring ZqControlReader::StatusText(HWND statusBar, int pane) const
{
    LRESULT lengthAndType = Send(statusBar, SB_GETTEXTLENGTHW, pane, 0);
    std::size_t length = LOWORD(lengthAndType);
    if (length == 0 || length > kTextChars || !m_buffer.Clear(kTextOffset, (length + 1) * sizeof(wchar_t)))
        return {};
    Send(statusBar, SB_GETTEXTW, pane, m_buffer.AddressAt(kTextOffset));
    return m_buffer.ReadString(kTextOffset, length);
}

// ---- Tree ----------------------------------------------------------------------------------

HTREEITEM ZqControlReader::NextTreeItem(HWND tree, UINT relation, HTREEITEM item) const
{
    return reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM ZqControlReader::TreeRoot(HWND tree) const
{
    return NextTreeItem(tree, TVGN_ROOT, nullptr);
}

HTREEITEM ZqControlReader::TreeSelection(HWND tree) const
{
    return NextTreeItem(tree, TVGN_CARET, nullptr);
}

std::vector<HTREEITEM> ZqControlReader::TreeChildren(HWND tree, HTREEITEM parent) const
{
    std::vector<HTREEITEM> children;
    for (HTREEITEM item = NextTreeItem(tree, TVGN_CHILD, parent); item != nullptr;
         item = NextTreeItem(tree, TVGN_NEXT, item))
        children.push_back(item);
    return children;
}

bool ZqControlReader::GetTreeItem(HWND tree, TVITEMW& item) const
{
    item.pszText = static_cast<LPWSTR>(m_buffer.At(kTextOffset));
    item.cchTextMax = 1024;
    if (!m_buffer.Clear(kTextOffset, sizeof(wchar_t)) || !m_buffer.WriteValue(0, item))
        return false;
    if (!Send(tree, TVM_GETITEMW, 0, m_buffer.AddressAt(0)))
        return false;
    return m_buffer.ReadValue(0, item);
}

std::wstring ZqControlReader::TreeItemText(HWND tree, HTREEITEM item) const
{
    TVITEMW request{};
    request.mask = TVIF_TEXT | TVIF_HANDLE;
    request.hItem = item;
    if (!GetTreeItem(tree, request))
        return {};
    return m_buffer.ReadString(kTextOffset, 1023);
}

int ZqControlReader::TreeItemImage(HWND tree, HTREEITEM item) const
{
    TVITEMW request{};
    request.mask = TVIF_IMAGE | TVIF_HANDLE;
    request.hItem = item;
    return GetTreeItem(tree, request) ? request.iImage : -1;
}

bool ZqControlReader::TreeIsExpanded(HWND tree, HTREEITEM item) const
{
    LRESULT state = Send(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED);
    return (state & TVIS_EXPANDED) != 0;
}

bool ZqControlReader::TreeExpand(HWND tree, HTREEITEM item) const
{
    return Send(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item)) != 0;
}

HTREEITEM ZqControlReader::TreeFindChild(HWND tree, HTREEITEM parent, const std::wstring& text) const
{
    for (HTREEITEM child : TreeChildren(tree, parent)) {
        if (TreeItemText(tree, child) == text)
            return child;
    }
    return nullptr;
}
