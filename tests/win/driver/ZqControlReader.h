// ZqControlReader: reads and works the common controls (status bar, toolbar, tree, list) of another process.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ZqRemoteBuffer.h"

// The program's panes are common controls in its own process; their messages that return text
// or structures need memory there. A ZqControlReader owns one ZqRemoteBuffer in the driven
// process and wraps the messages a test needs: status-bar panes, toolbar buttons with their
// labels and states, tree items (walk, text, image, select, expand) and list rows (text by
// column, column titles, selection). Messages are sent with a timeout, so a hung program makes
// a call fail (empty text, null item) instead of hanging the test.
class ZqControlReader {
public:
    struct ToolbarButton {
        int command = 0;        // 0 for a separator
        std::wstring text;      // the label under the picture
        BYTE state = 0;         // TBSTATE_ENABLED, TBSTATE_CHECKED, ...
        BYTE style = 0;         // BTNS_SEP, BTNS_CHECK, ...
    };
    struct TreeLine {
        int depth = 0;
        std::wstring text;
    };

    explicit ZqControlReader(HANDLE process);
    bool IsValid() const { return m_buffer.IsValid(); }

    int StatusPaneCount(HWND statusBar) const;
    std::wstring StatusText(HWND statusBar, int pane) const;

    std::vector<ToolbarButton> ToolbarButtons(HWND toolbar) const;

    HTREEITEM TreeRoot(HWND tree) const;
    HTREEITEM TreeSelection(HWND tree) const;
    std::vector<HTREEITEM> TreeChildren(HWND tree, HTREEITEM parent) const;
    std::wstring TreeItemText(HWND tree, HTREEITEM item) const;
    int TreeItemImage(HWND tree, HTREEITEM item) const;
    bool TreeIsExpanded(HWND tree, HTREEITEM item) const;
    bool TreeSelect(HWND tree, HTREEITEM item) const;
    bool TreeExpand(HWND tree, HTREEITEM item) const;
    // The child of parent (the roots when parent is null) whose label is text, or null.
    HTREEITEM TreeFindChild(HWND tree, HTREEITEM parent, const std::wstring& text) const;
    // Every item reachable through expanded items, depth first, as the user sees them.
    std::vector<TreeLine> TreeVisibleLines(HWND tree) const;

    int ListCount(HWND list) const;
    int ListColumnCount(HWND list) const;
    std::wstring ListColumnTitle(HWND list, int column) const;
    std::wstring ListItemText(HWND list, int row, int column) const;
    std::vector<std::wstring> ListColumnTexts(HWND list, int column) const;
    std::vector<int> ListSelectedRows(HWND list) const;
    // Selects and focuses row; with only, every other row is deselected first.
    bool ListSelectRow(HWND list, int row, bool only = true) const;

private:
    static constexpr std::size_t kTextOffset = 4096;
    static constexpr std::size_t kTextChars = (ZqRemoteBuffer::kSize - kTextOffset) / sizeof(wchar_t) - 1;

    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;
    bool GetTreeItem(HWND tree, TVITEMW& item) const;
    bool SetListState(HWND list, int row, UINT state, UINT mask) const;
    void AppendVisible(HWND tree, HTREEITEM parent, int depth, std::vector<TreeLine>& lines) const;

    ZqRemoteBuffer m_buffer;
};
