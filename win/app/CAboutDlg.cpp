// The about box.
#include "app/CAboutDlg.h"

#include "res/resource.h"

CAboutDlg::CAboutDlg(HWND hParent) : CDialog(IDD_ABOUTBOX, hParent) {}
