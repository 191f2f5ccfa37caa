// CCopyConfirmDlg: the question asked before a paste copies, with the choice to leave files of the same time alone.
#pragma once

#include <windows.h>

#include "fw/CDialog.h"

class CDataExchange;

// The document's paste dispatcher shows it modally before every copy (never before a move or a
// delete): "はい" copies, "いいえ", the close box and Esc copy nothing. Its one field is the check
// box "更新日時が同じファイルは　上書きしない。", ticked each time the dialog is made, whatever was
// chosen the last time; m_bSkipSameTime holds the box's state after "はい".
class CCopyConfirmDlg : public CDialog {
public:
    // construction: owned by hParent, the main window when null
    explicit CCopyConfirmDlg(HWND hParent = nullptr);

    void DoDataExchange(CDataExchange& dx) override;

    int m_bSkipSameTime = TRUE;
};
