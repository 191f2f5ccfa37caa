// CToolBar: a row of command buttons with images and a text label under each.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "fw/CWnd.h"

#include <commctrl.h>

// Loaded from a resource id that names both the button layout (resource type ZQ_RT_TOOLBAR:
// the commands in button order, 0 for a separator) and the bitmap strip of the images (one per
// button; its button-face grey is transparent), with one label per button in the same order.
// The buttons are made wider and taller than the images need by the given amounts so that the
// labels fit under the images. Clicks arrive at the notify window (the
// main frame) as WM_COMMAND with the button's command id, as do tooltip and hot-item
// notifications. UpdateCmdUI asks the route of the target for every button's state at idle.
class CToolBar : public CWnd {
public:
    // construction
    CToolBar() = default;
    ~CToolBar() override;
    // False when the resource is missing or the labels do not match its buttons.
    bool Create(HWND hParent, HWND hNotify, UINT idResource, std::span<const wchar_t* const> labels, SIZE extra);
    void SetCaption(const std::wstring& caption) { m_strCaption = caption; }

    // access
    const std::wstring& GetCaption() const { return m_strCaption; }
    SIZE GetIdealSize() const;
    int GetButtonCount() const;

    // update
    void UpdateCmdUI(CCmdTarget& target);

    // The commands of a layout resource in button order, 0 for separators; empty when missing.
    static std::vector<UINT> LoadLayout(UINT idResource);

private:
    bool AddImages(UINT idResource);
    void AddButtons(const std::vector<UINT>& commands, std::span<const wchar_t* const> labels);

    std::wstring m_strCaption;
    HIMAGELIST m_hImages = nullptr;
};
