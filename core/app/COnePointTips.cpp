// The start-up tip table and the cycle through it.
#include "app/COnePointTips.h"

#include <array>

#include "app/CAppSettings.h"
#include "app/COnePointState.h"
#include "fw/AfxMessageBox.h"

namespace {

const char* const kEndMarker = "999";

// The tab runs and line breaks lay the text out in the message box; they are part of the tips.
const char* const kTips[] = {
    // 0
    "――――　ワンポイント　――――\t\t\t\t\t\t\n\n\n"
    "・　すべてのウィンドウの　位置と大きさが　保存できます。\t\n\n"
    "　　すべてのウィンドウ　ダイアログ　ツールバー（注１）  カラム（注２）の位置と大きさが　保存できます。\t\n\n\n"
    "・　メニューの「ファイル」の「すべて保存」をクリックして下さい。\n\n\n"
    "（注１）　ツールバー\t=　絵や文字で示した処理を並べたもの\t\t\t\n\n"
    "（注２）　カラム\t=　右側の　項目名（名前　種類･･･）を並べたもの\t\n\n",
    // 1
    "――――　ワンポイント　――――\t\t\t\n\n\n"
    "・　カラムの順番を変えられます。\t\t\t\n\n\n"
    "・　カラムを　左ダブルクリックし　ドラッグして下さい。\t\n\n"
    "　　（ドラッグすると　半透明の薄黒いカラム名が　マウスカーソルと共に動きます。）\t\n\n",
    // 2
    "――――　ワンポイント　――――\t\t\t\n\n\n"
    "・　カラムの横幅を変えられます。\t\t\t\n\n\n"
    "・　カラムとカラムの間に　マウスカーソルを置いて十字マークを出し\t\n\n"
    "　　この十字マークを左ダブルクリックし　ドラッグして下さい。\t\n\n",
    // 3
    "――――　ワンポイント　――――\t\t\t\n\n\n"
    "・　ツールバーの位置を変えられます。\t\t\n\n\n"
    "・　ツールバーのグリップ（注１）を　左ダブルクリックし　ドラッグして下さい。\t\n\n"
    "　　（注１）　グリップ　=　縦の細長い盛り上った線\t\n\n",
    // 4
    "――――　ワンポイント　――――\t\t\t\n\n\n"
    "・　フォルダは　矢印キーでも　開閉できます。\t\n\n\n"
    "・　フォルダは　左ダブルクリックして　開閉できますが\t\n\n"
    "　　左右矢印キーでも　開閉できます。\t\t\n\n",
    // 5
    "――――　ワンポイント　――――\t\n\n\n"
    "・　フォルダ　ファイルの整列順を変えられます。\t\n\n\n"
    "・　メニューの「設定」の「フォルダ　ファイルの順に整列」をクリックして下さい。\t\n\n"
    "　　チェックすると（×を表示すると）　フォルダ　ファイルの順に整列します。\t\n\n",
    // 6
    "――――　ワンポイント　――――\t\n\n\n"
    "・　フォルダ名の順番を変えられます。\t\n\n\n"
    "・　ツールバーの「フォルダの整列・名前順」をクリックして下さい。\t\n\n",
    // 7
    "――――　ワンポイント　――――\t\n\n\n"
    "・　KBytes の単位を変えられます。\t\n\n\n"
    "・　メニューの「表示」の\t\n\n"
    "　　「KBytes=1,000Bytes」 または\t\n\n"
    "　　「KBytes=1,024Bytes」 をクリックして下さい。\t\n\n",
    // 8
    "――――　ワンポイント　――――\t\n\n\n"
    "・　起動時に　１つのウィンドウのみを　表示する様に変えられます。\t\n\n\n"
    "・　メニューの「設定」の「２ウィンドウを並べて表示」をクリックして下さい。\t\n\n"
    "　　チェックすると（×を表示すると）　２つのウィンドウを並べて表示します。\t\n\n",
    // 9
    "――――　ワンポイント　――――\t\t\n\n\n"
    "終わりです。\t\t\n\n\n"
    "「OK」で　最初のワンポイントに戻ります。\t\n\n",
};

std::array<std::string, COnePointTips::kTableSize> BuildTable()
{
    std::array<std::string, COnePointTips::kTableSize> table;
    std::size_t index = 0;
    for (const char* tip : kTips)
        table[index++] = tip;
    table[index] = kEndMarker;
    return table;
}

}  // namespace


const std::string& COnePointTips::GetTip(int index)
{
    static const std::array<std::string, kTableSize> table = BuildTable();
    static const std::string none;
    return index >= 0 && index < kTableSize ? table[static_cast<std::size_t>(index)] : none;
}

bool COnePointTips::EndsCycle(int index)
{
    const std::string& tip = GetTip(index);
    return tip.empty() || tip == kEndMarker;
}

int COnePointTips::NextIndex(int lastShown)
{
    const int next = lastShown >= -1 && lastShown < kTableSize ? lastShown + 1 : 0;
    return EndsCycle(next) ? 0 : next;
}

int COnePointTips::Show(CAppSettings& settings)
{
    COnePointState state;
    settings.SerializeToFile(settings.m_strOnePointPath, CArchive::load, state);
    int index = NextIndex(state.m_nIndex);
    const int answer = ShowUntilAnswered(index);
    settings.EnsureStoreFolder();
    state.m_nIndex = index;
    settings.SerializeToFile(settings.m_strOnePointPath, CArchive::store, state);
    return answer;
}

int COnePointTips::ShowUntilAnswered(int& index)
{
    for (;;) {
        const int answer = AfxMessageBox(GetTip(index), kMbYesNoCancel | kMbIconExclamation);
        if (answer != kIdNo)
            return answer;
        index = NextIndex(index);
    }
}
