// Creating toolbars with labels, and their update-UI.
#include "fw/CToolBar.h"

#include <algorithm>
#include <vector>

#include "res/resource.h"

namespace {
// The framework's button size for 16 x 15 images: the image and 7 pixels each way.
constexpr int kButtonMargin = 7;
}

CToolBar::~CToolBar()
{
    if (m_hImages)
        ImageList_Destroy(m_hImages);
}

bool CToolBar::Create(HWND hParent, HWND hNotify, UINT idResource, std::span<const wchar_t* const> labels, SIZE extra)
{
    const std::vector<UINT> commands = LoadLayout(idResource);
    const auto buttonCount = std::count_if(commands.begin(), commands.end(), [](UINT id) { return id != 0; });
    if (commands.empty() || static_cast<std::size_t>(buttonCount) != labels.size())
        return false;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT |
                        TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
    if (!CreateControl(0, TOOLBARCLASSNAMEW, style, RECT{0, 0, 0, 0}, hParent, AFX_IDW_TOOLBAR))
        return false;
    SendMessageW(m_hWnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(m_hWnd, TB_SETPARENT, reinterpret_cast<WPARAM>(hNotify), 0);
    if (!AddImages(idResource))
        return false;
    AddButtons(commands, labels);
    const int cx = ZQ_TOOLBAR_IMAGE_CX + kButtonMargin + extra.cx;
    const int cy = ZQ_TOOLBAR_IMAGE_CY + kButtonMargin + extra.cy;
    SendMessageW(m_hWnd, TB_SETBUTTONSIZE, 0, MAKELPARAM(cx, cy));
    SendMessageW(m_hWnd, TB_AUTOSIZE, 0, 0);
    return true;
}

std::vector<UINT> CToolBar::LoadLayout(UINT idResource)
{
    HINSTANCE hInstance = GetModuleHandleW(nullptr);
    HRSRC hInfo = FindResourceW(hInstance, MAKEINTRESOURCEW(idResource), MAKEINTRESOURCEW(ZQ_RT_TOOLBAR));
    HGLOBAL hData = hInfo ? LoadResource(hInstance, hInfo) : nullptr;
    const auto* words = hData ? static_cast<const WORD*>(LockResource(hData)) : nullptr;
    const DWORD size = hInfo ? SizeofResource(hInstance, hInfo) : 0;
    // version, image width, image height, count, then the commands
    if (!words || size < 4 * sizeof(WORD) || words[0] != 1 || size < (4u + words[3]) * sizeof(WORD))
        return {};
    return std::vector<UINT>(words + 4, words + 4 + words[3]);
}

// The strip's button-face grey is the background: masked out, it lets the toolbar draw disabled
// buttons as embossed outlines.
bool CToolBar::AddImages(UINT idResource)
{
    HBITMAP hBitmap = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(idResource));
    if (!hBitmap)
        return false;
    m_hImages = ImageList_Create(ZQ_TOOLBAR_IMAGE_CX, ZQ_TOOLBAR_IMAGE_CY, ILC_COLOR24 | ILC_MASK, 0, 4);
    const bool bAdded = m_hImages && ImageList_AddMasked(m_hImages, hBitmap, RGB(192, 192, 192)) != -1;
    DeleteObject(hBitmap);
    if (bAdded)
        SendMessageW(m_hWnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_hImages));
    return bAdded;
}

void CToolBar::AddButtons(const std::vector<UINT>& commands, std::span<const wchar_t* const> labels)
{
    std::vector<TBBUTTON> items;
    std::size_t image = 0;
    for (UINT command : commands) {
        TBBUTTON item{};
        if (command == 0) {
            item.fsStyle = BTNS_SEP;
        } else {
            item.iBitmap = static_cast<int>(image);
            item.idCommand = static_cast<int>(command);
            item.fsState = TBSTATE_ENABLED;
            item.fsStyle = BTNS_BUTTON;
            item.iString = reinterpret_cast<INT_PTR>(labels[image++]);
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
