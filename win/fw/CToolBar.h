// CToolBar: a row of command buttons with images and a text label under each.
#pragma once

#include <span>
#include <string>

#include "fw/CWnd.h"

// Created with the bitmap strip of its images (one image per button, in button order), its
// buttons and their labels; the buttons are made wider and taller than the images need by the
// given amounts so that the labels fit under the images. Clicks arrive at the notify window (the
// main frame) as WM_COMMAND with the button's command id, as do tooltip and hot-item
// notifications. UpdateCmdUI asks the route of the target for every button's state at idle.
class CToolBar : public CWnd {
public:
    // A button, or a separator when nID is 0.
    struct Button {
        UINT nID;
        const wchar_t* label;
    };

    // construction
    CToolBar() = default;
    bool Create(HWND hParent, HWND hNotify, UINT idBitmap, std::span<const Button> buttons, SIZE extra);
    void SetCaption(const std::wstring& caption) { m_strCaption = caption; }

    // access
    const std::wstring& GetCaption() const { return m_strCaption; }
    SIZE GetIdealSize() const;
    int GetButtonCount() const;

    // update
    void UpdateCmdUI(CCmdTarget& target);

private:
    bool AddBitmap(UINT idBitmap, int imageCount);
    void AddButtons(std::span<const Button> buttons);

    std::wstring m_strCaption;
};
