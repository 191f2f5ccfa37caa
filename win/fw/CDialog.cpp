// Running dialogs and dispatching their messages.
#include "fw/CDialog.h"

#include "fw/CDataExchange.h"
#include "fw/CWinApp.h"

INT_PTR CDialog::DoModal()
{
    m_bModeless = false;
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_idTemplate), m_hParent, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create()
{
    m_bModeless = true;
    HWND hDialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_idTemplate), m_hParent,
                                      DialogProc, reinterpret_cast<LPARAM>(this));
    if (!hDialog)
        return false;
    if (CWinApp* pApp = AfxGetApp())
        pApp->AddModelessDialog(hDialog);
    return true;
}

void CDialog::EndDialog(int result)
{
    if (m_bModeless)
        DestroyWindow();
    else
        ::EndDialog(m_hWnd, result);
}

bool CDialog::UpdateData(bool bSaveAndValidate)
{
    CDataExchange dx(m_hWnd, bSaveAndValidate);
    DoDataExchange(dx);
    return !dx.m_bFailed;
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&)
{
    return false;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = FALSE;
    if (message == WM_INITDIALOG)
        return OnInitDialog() ? TRUE : FALSE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
        OnOK();
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    if (message == WM_NCDESTROY) {
        if (CWinApp* pApp = AfxGetApp(); pApp && m_bModeless)
            pApp->RemoveModelessDialog(m_hWnd);
        Detach();
        PostNcDestroy();
        return FALSE;
    }
    return OnMessage(message, wParam, lParam, result) ? result : FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hDialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        reinterpret_cast<CDialog*>(lParam)->Attach(hDialog);
    auto* pDialog = dynamic_cast<CDialog*>(CWnd::FromHandle(hDialog));
    return pDialog ? pDialog->HandleMessage(message, wParam, lParam) : FALSE;
}
