// ZqControlReader: reads and works the common controls (status bar, tree) of another process.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ZqRemoteBuffer.h"

// The program's panes are common controls in its own process; their messages that return text
// or structures need memory there. A ZqControlReader owns one ZqRemoteBuffer in the driven
// process and wraps the messages a test needs: status-bar panes and tree items (walk, text,
// image, expand). Messages are sent with a timeout, so a hung program makes a call fail (empty
// text, null item) instead of hanging the test.
class ZqControlReader {
public:
    explicit ZqControlReader(HANDLE process) : m_buffer(process) {}
    bool IsValid() const { return m_buffer.IsValid(); }

    std::wstring StatusText(HWND statusBar, int pane) const;

    HTREEITEM TreeRoot(HWND tree) const;
    HTREEITEM TreeSelection(HWND tree) const;
    std::vector<HTREEITEM> TreeChildren(HWND tree, HTREEITEM parent) const;
    std::wstring TreeItemText(HWND tree, HTREEITEM item) const;
    int TreeItemImage(HWND tree, HTREEITEM item) const;
    bool TreeIsExpanded(HWND tree, HTREEITEM item) const;
    bool TreeExpand(HWND tree, HTREEITEM item) const;
    // The child of parent whose label is text, or null.
    HTREEITEM TreeFindChild(HWND tree, HTREEITEM parent, const std::wstring& text) const;

private:
    static constexpr std::size_t kTextOffset = 4096;
    static constexpr std::size_t kTextChars = (ZqRemoteBuffer::kSize - kTextOffset) / sizeof(wchar_t) - 1;

    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;
    HTREEITEM NextTreeItem(HWND tree, UINT relation, HTREEITEM item) const;
    bool GetTreeItem(HWND tree, TVITEMW& item) const;

    ZqRemoteBuffer m_buffer;
};
