// Tests of the compiled resources (win/res/ZQ.rc linked into this executable), read back the way the program reads them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resource.h"

namespace {

const HINSTANCE kModule = GetModuleHandleW(nullptr);

std::wstring LoadText(UINT id)
{
    const wchar_t* text = nullptr;
    int length = LoadStringW(kModule, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

// The command ids of a menu at any depth, separators and popups left out.
void CollectCommands(HMENU menu, std::vector<UINT>& ids)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i))
            CollectCommands(sub, ids);
        else if (const UINT id = GetMenuItemID(menu, i); id != 0)
            ids.push_back(id);
    }
}

std::vector<UINT> MenuCommands(UINT id)
{
    HMENU menu = LoadMenuW(kModule, MAKEINTRESOURCEW(id));
    std::vector<UINT> ids;
    if (menu != nullptr) {
        CollectCommands(menu, ids);
        DestroyMenu(menu);
    }
    return ids;
}

std::vector<WORD> ToolbarCommands(UINT id)
{
    std::vector<WORD> commands;
    HRSRC found = FindResourceW(kModule, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(ZQ_RT_TOOLBAR));
    if (found == nullptr)
        return commands;
    const WORD* data = static_cast<const WORD*>(LockResource(LoadResource(kModule, found)));
    if (data[0] != 1 || data[1] != 16 || data[2] != 15)
        return commands;
    for (WORD i = 0; i < data[3]; ++i)
        commands.push_back(data[4 + i]);
    return commands;
}

SIZE BitmapSize(UINT id)
{
    HBITMAP bitmap = LoadBitmapW(kModule, MAKEINTRESOURCEW(id));
    BITMAP info{};
    if (bitmap != nullptr) {
        GetObjectW(bitmap, sizeof info, &info);
        DeleteObject(bitmap);
    }
    return SIZE{info.bmWidth, info.bmHeight};
}

// Both menus load, and every command in them has a status-bar prompt. Their words are the
// resource file's own and are not copied here.
TEST(ResourceTest, EveryMenuCommandHasAPrompt)
{
    for (const auto& [id, commands] : {std::pair{IDR_MAINFRAME, 7u}, {IDR_ETYPE, 55u}}) {
        const std::vector<UINT> ids = MenuCommands(id);
        EXPECT_EQ(ids.size(), commands) << id;
        for (const UINT command : ids) {
            const std::wstring prompt = LoadText(command);
            EXPECT_FALSE(prompt.empty() || prompt[0] == L'\n') << "no prompt for " << command;
        }
    }
}

// The accelerators load, and every command they reach has a status-bar prompt. Their keys are the
// resource file's own and are not copied here; a key reaching its command is the GUI tests' business.
TEST(ResourceTest, EveryAcceleratorReachesACommandWithAPrompt)
{
    HACCEL table = LoadAcceleratorsW(kModule, MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(table, nullptr);
    ACCEL entries[32] = {};
    const int count = CopyAcceleratorTableW(table, entries, 32);
    EXPECT_EQ(count, 15);
    for (int i = 0; i < count; ++i) {
        EXPECT_TRUE(entries[i].fVirt & FVIRTKEY) << i;
        EXPECT_FALSE(LoadText(entries[i].cmd).empty()) << "no prompt for " << entries[i].cmd;
    }
    DestroyAcceleratorTable(table);
}

// Each toolbar reads back in the word format the framework expects, with one picture per button in
// its strip and a tooltip for each button (the separators, 0, have neither).
TEST(ResourceTest, ToolbarStripsHoldOnePicturePerButtonAndEachButtonHasATooltip)
{
    for (const auto& [id, buttons] : {std::pair{IDR_MAINFRAME, 5}, {IDR_TOOLBAR_AGGREGATE, 12}, {IDR_TOOLBAR_EDIT, 6},
                                      {IDR_TOOLBAR_SORT, 2}, {IDR_TOOLBAR_FILESORT, 3}, {IDR_TOOLBAR_SEARCH, 5}}) {
        const std::vector<WORD> commands = ToolbarCommands(id);
        EXPECT_EQ(std::count_if(commands.begin(), commands.end(), [](WORD command) { return command != 0; }), buttons)
            << "toolbar " << id;
        for (WORD command : commands) {
            const std::wstring text = LoadText(command);
            const size_t newline = text.find(L'\n');
            EXPECT_TRUE(command == 0 || (newline != std::wstring::npos && newline + 1 < text.size()))
                << "no tooltip for " << command;
        }
        const SIZE size = BitmapSize(id);
        EXPECT_EQ(size.cx, 16 * buttons) << "toolbar " << id;
        EXPECT_EQ(size.cy, 15) << "toolbar " << id;
    }
}

TEST(ResourceTest, ImagesIconAndManifest)
{
    for (UINT id = IDB_IMAGE_QUESTION; id <= IDB_IMAGE_MARK_U; ++id) {
        SIZE size = BitmapSize(id);
        EXPECT_EQ(size.cx, 16) << id;
        EXPECT_EQ(size.cy, 16) << id;
    }
    for (int side : {16, 32}) {
        HANDLE icon = LoadImageW(kModule, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, side, side, 0);
        EXPECT_NE(icon, nullptr) << side;
        DestroyIcon(static_cast<HICON>(icon));
    }
    EXPECT_NE(FindResourceW(kModule, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)), nullptr);
}

// ---- Dialog templates: captions, control texts, and no text wider than its control -------------

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// A window's text; for a static control, button, check box or radio button as drawn: without its '&'.
std::wstring WindowText(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    std::wstring shown(text);
    std::erase(shown, L'&');
    return shown;
}

// How many pixels a control of this class and style gives its text.
LONG TextRoom(HWND control, const std::wstring& kind)
{
    RECT rect{};
    GetClientRect(control, &rect);
    if (kind != L"Button")
        return rect.right;
    // A check box or radio button gives about 16 pixels to its box; a group box's caption sits on
    // its frame with some room at either end.
    const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return rect.right - (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON || type == BS_GROUPBOX ? 16 : 6);
}

// Static texts, buttons, check boxes and radio buttons whose text is wider than they are.
std::vector<std::wstring> ClippedControls(HWND dialog)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (font == nullptr)
        return {L"the dialog has no font of its own"};
    std::vector<std::wstring> clipped;
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, font);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[64] = {};
        GetClassNameW(child, cls, 64);
        const std::wstring kind(cls), shown = WindowText(child);
        if (shown.empty() || (kind != L"Static" && kind != L"Button"))
            continue;
        SIZE extent{};
        GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &extent);
        const LONG room = TextRoom(child, kind);
        if (extent.cx > room)
            clipped.push_back(shown + L" (" + std::to_wstring(extent.cx) + L" > " + std::to_wstring(room) + L")");
    }
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    return clipped;
}

TEST(ResourceTest, DialogsShowTheirTextsUnclipped)
{
    const std::pair<UINT, std::wstring> dialogs[] = {
        {IDD_ABOUTBOX, L"フォルダ ZQ のﾊﾞｰｼﾞｮﾝ情報"},
        {IDD_COPY_CONFIRM, L"ファイルのコピーの確認"},
        {IDD_SEARCH, L"フォルダ ZQ　フォルダの検索"},
        {IDD_COMPARE_SUMMARY, L"フォルダ ZQ　照合結果（件数）"},
    };
    for (const auto& [id, caption] : dialogs) {
        SCOPED_TRACE(id);
        HWND dialog = CreateDialogParamW(kModule, MAKEINTRESOURCEW(id), nullptr, QuietProc, 0);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(WindowText(dialog), caption);
        EXPECT_EQ(ClippedControls(dialog), std::vector<std::wstring>{});
        DestroyWindow(dialog);
    }
}

}  // namespace
