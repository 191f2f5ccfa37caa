// CAboutDlg: the about box, "フォルダ ZQ のﾊﾞｰｼﾞｮﾝ情報".
#pragma once

#include "fw/CDialog.h"

// Shown modally by the application's about command; template 100 holds the icon, the version text
// and the OK button, so the box needs nothing beyond the dialog's own behaviour.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(HWND hParent);
};
