// ZqControlReader: common-control messages with their data in the driven process.
#include "ZqControlReader.h"

#include "ZqWindows.h"

ZqControlReader::ZqControlReader(HANDLE process) : m_buffer(process)
{
}

LRESULT ZqControlReader::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, zqwin::kSendTimeoutMs, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

// ---- Status bar ----------------------------------------------------------------------------

int ZqControlReader::StatusPaneCount(HWND statusBar) const
{
    return static_cast<int>(Send(statusBar, SB_GETPARTS, 0, 0));
}

std::wstring ZqControlReader::StatusText(HWND statusBar, int pane) const
{
    LRESULT lengthAndType = Send(statusBar, SB_GETTEXTLENGTHW, pane, 0);
    std::size_t length = LOWORD(lengthAndType);
    if (length == 0 || length > kTextChars || !m_buffer.Clear(kTextOffset, (length + 1) * sizeof(wchar_t)))
        return {};
    Send(statusBar, SB_GETTEXTW, pane, m_buffer.AddressAt(kTextOffset));
    return m_buffer.ReadString(kTextOffset, length);
}

// ---- Toolbar -------------------------------------------------------------------------------

std::vector<ZqControlReader::ToolbarButton> ZqControlReader::ToolbarButtons(HWND toolbar) const
{
    std::vector<ToolbarButton> buttons;
    int count = static_cast<int>(Send(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON raw{};
        if (!m_buffer.WriteValue(0, raw) || !Send(toolbar, TB_GETBUTTON, i, m_buffer.AddressAt(0)) ||
            !m_buffer.ReadValue(0, raw))
            break;
        ToolbarButton button{raw.idCommand, {}, raw.fsState, raw.fsStyle};
        if ((raw.fsStyle & BTNS_SEP) == 0) {
            m_buffer.Clear(kTextOffset, 512);
            LRESULT length = Send(toolbar, TB_GETBUTTONTEXTW, raw.idCommand, m_buffer.AddressAt(kTextOffset));
            if (length > 0 && static_cast<std::size_t>(length) < 255)
                button.text = m_buffer.ReadString(kTextOffset, length);
        } else {
            button.command = 0;
        }
        buttons.push_back(button);
    }
    return buttons;
}

// ---- Tree ----------------------------------------------------------------------------------

HTREEITEM ZqControlReader::TreeRoot(HWND tree) const
{
    return reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

HTREEITEM ZqControlReader::TreeSelection(HWND tree) const
{
    return reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

std::vector<HTREEITEM> ZqControlReader::TreeChildren(HWND tree, HTREEITEM parent) const
{
    std::vector<HTREEITEM> children;
    HTREEITEM item = parent == nullptr
        ? TreeRoot(tree)
        : reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
    while (item != nullptr) {
        children.push_back(item);
        item = reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    }
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

bool ZqControlReader::TreeSelect(HWND tree, HTREEITEM item) const
{
    return Send(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
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

void ZqControlReader::AppendVisible(HWND tree, HTREEITEM parent, int depth, std::vector<TreeLine>& lines) const
{
    for (HTREEITEM item : TreeChildren(tree, parent)) {
        lines.push_back({depth, TreeItemText(tree, item)});
        if (TreeIsExpanded(tree, item))
            AppendVisible(tree, item, depth + 1, lines);
    }
}

std::vector<ZqControlReader::TreeLine> ZqControlReader::TreeVisibleLines(HWND tree) const
{
    std::vector<TreeLine> lines;
    AppendVisible(tree, nullptr, 0, lines);
    return lines;
}

// ---- List ----------------------------------------------------------------------------------

int ZqControlReader::ListCount(HWND list) const
{
    return static_cast<int>(Send(list, LVM_GETITEMCOUNT, 0, 0));
}

int ZqControlReader::ListColumnCount(HWND list) const
{
    HWND header = reinterpret_cast<HWND>(Send(list, LVM_GETHEADER, 0, 0));
    return header == nullptr ? 0 : static_cast<int>(Send(header, HDM_GETITEMCOUNT, 0, 0));
}

std::wstring ZqControlReader::ListColumnTitle(HWND list, int column) const
{
    LVCOLUMNW request{};
    request.mask = LVCF_TEXT;
    request.pszText = static_cast<LPWSTR>(m_buffer.At(kTextOffset));
    request.cchTextMax = 1024;
    if (!m_buffer.Clear(kTextOffset, sizeof(wchar_t)) || !m_buffer.WriteValue(0, request) ||
        !Send(list, LVM_GETCOLUMNW, column, m_buffer.AddressAt(0)))
        return {};
    return m_buffer.ReadString(kTextOffset, 1023);
}

std::wstring ZqControlReader::ListItemText(HWND list, int row, int column) const
{
    LVITEMW request{};
    request.iSubItem = column;
    request.pszText = static_cast<LPWSTR>(m_buffer.At(kTextOffset));
    request.cchTextMax = 1024;
    if (!m_buffer.Clear(kTextOffset, sizeof(wchar_t)) || !m_buffer.WriteValue(0, request))
        return {};
    LRESULT length = Send(list, LVM_GETITEMTEXTW, row, m_buffer.AddressAt(0));
    return length > 0 ? m_buffer.ReadString(kTextOffset, length) : std::wstring();
}

std::vector<std::wstring> ZqControlReader::ListColumnTexts(HWND list, int column) const
{
    std::vector<std::wstring> texts;
    int count = ListCount(list);
    for (int row = 0; row < count; ++row)
        texts.push_back(ListItemText(list, row, column));
    return texts;
}

std::vector<int> ZqControlReader::ListSelectedRows(HWND list) const
{
    std::vector<int> rows;
    int row = -1;
    for (;;) {
        int next = static_cast<int>(Send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
        // A failed send reads as row 0: stop rather than go round again.
        if (next <= row)
            return rows;
        rows.push_back(next);
        row = next;
    }
}

bool ZqControlReader::SetListState(HWND list, int row, UINT state, UINT mask) const
{
    LVITEMW request{};
    request.stateMask = mask;
    request.state = state;
    return m_buffer.WriteValue(0, request) && Send(list, LVM_SETITEMSTATE, row, m_buffer.AddressAt(0)) != 0;
}

bool ZqControlReader::ListSelectRow(HWND list, int row, bool only) const
{
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    if (only && !SetListState(list, -1, 0, both))
        return false;
    return SetListState(list, row, both, both);
}
