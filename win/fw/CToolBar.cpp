// Creating toolbars with labels, and their update-UI.
#include "fw/CToolBar.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "res/resource.h"

namespace {
// The framework's button size for 16 x 15 images: the image and 7 pixels each way.
constexpr int kButtonMargin = 7;
}

bool CToolBar::Create(HWND hParent, HWND hNotify, UINT idBitmap, std::span<const Button> buttons, SIZE extra)
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT |
                        TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
    if (!CreateControl(0, TOOLBARCLASSNAMEW, style, RECT{0, 0, 0, 0}, hParent, AFX_IDW_TOOLBAR))
        return false;
    SendMessageW(m_hWnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(m_hWnd, TB_SETPARENT, reinterpret_cast<WPARAM>(hNotify), 0);
    SendMessageW(m_hWnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(ZQ_TOOLBAR_IMAGE_CX, ZQ_TOOLBAR_IMAGE_CY));
    const auto imageCount = std::count_if(buttons.begin(), buttons.end(), [](const Button& b) { return b.nID != 0; });
    if (!AddBitmap(idBitmap, static_cast<int>(imageCount)))
        return false;
    AddButtons(buttons);
    const int cx = ZQ_TOOLBAR_IMAGE_CX + kButtonMargin + extra.cx;
    const int cy = ZQ_TOOLBAR_IMAGE_CY + kButtonMargin + extra.cy;
    SendMessageW(m_hWnd, TB_SETBUTTONSIZE, 0, MAKELPARAM(cx, cy));
    SendMessageW(m_hWnd, TB_AUTOSIZE, 0, 0);
    return true;
}

bool CToolBar::AddBitmap(UINT idBitmap, int imageCount)
{
    TBADDBITMAP bitmap{GetModuleHandleW(nullptr), idBitmap};
    return SendMessageW(m_hWnd, TB_ADDBITMAP, static_cast<WPARAM>(imageCount), reinterpret_cast<LPARAM>(&bitmap)) !=
           -1;
}

void CToolBar::AddButtons(std::span<const Button> buttons)
{
    std::vector<TBBUTTON> items;
    int image = 0;
    for (const Button& button : buttons) {
        TBBUTTON item{};
        if (button.nID == 0) {
            item.fsStyle = BTNS_SEP;
        } else {
            item.iBitmap = image++;
            item.idCommand = static_cast<int>(button.nID);
            item.fsState = TBSTATE_ENABLED;
            item.fsStyle = BTNS_BUTTON;
            item.iString = reinterpret_cast<INT_PTR>(button.label);
        }
        items.push_back(item);
    }
    SendMessageW(m_hWnd, TB_ADDBUTTONSW, items.size(), reinterpret_cast<LPARAM>(items.data()));
}

SIZE CToolBar::GetIdealSize() const
{
    SIZE size{};
    SendMessageW(m_hWnd, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    return size;
}

int CToolBar::GetButtonCount() const
{
    return static_cast<int>(SendMessageW(m_hWnd, TB_BUTTONCOUNT, 0, 0));
}

void CToolBar::UpdateCmdUI(CCmdTarget& target)
{
    const int count = GetButtonCount();
    for (int index = 0; index < count; ++index) {
        TBBUTTON button{};
        SendMessageW(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
        if (button.fsStyle & BTNS_SEP)
            continue;
        CCmdUI ui(static_cast<UINT>(button.idCommand));
        target.EvaluateCmdUI(ui);
        BYTE state = static_cast<BYTE>(button.fsState & ~(TBSTATE_ENABLED | TBSTATE_CHECKED));
        state |= (ui.IsEnabled() ? TBSTATE_ENABLED : 0) | (ui.GetCheck() ? TBSTATE_CHECKED : 0);
        if (state != button.fsState)
            SendMessageW(m_hWnd, TB_SETSTATE, static_cast<WPARAM>(button.idCommand), MAKELPARAM(state, 0));
    }
}
