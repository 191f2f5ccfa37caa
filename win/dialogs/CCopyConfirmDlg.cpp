// The copy confirmation dialog.
#include "dialogs/CCopyConfirmDlg.h"

#include "fw/CDataExchange.h"
#include "fw/CMDIFrameWnd.h"
#include "fw/CWinApp.h"
#include "res/resource.h"

namespace {

HWND MainWindow()
{
    const CWinApp* pApp = AfxGetApp();
    return pApp && pApp->m_pMainWnd ? pApp->m_pMainWnd->m_hWnd : nullptr;
}

}  // namespace

CCopyConfirmDlg::CCopyConfirmDlg(HWND hParent) : CDialog(IDD_COPY_CONFIRM, hParent ? hParent : MainWindow()) {}

void CCopyConfirmDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Check(dx, IDC_SKIP_SAME_TIME, m_bSkipSameTime);
}
