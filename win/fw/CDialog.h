// CDialog: a dialog box from a template of the resources, modal or modeless, with data exchange.
#pragma once

#include "fw/CWnd.h"

class CDataExchange;

// DoModal runs the dialog until EndDialog; Create shows it modeless and registers it with the
// application so that its keyboard navigation works from the main message loop. OnInitDialog
// fills the controls through DoDataExchange; OK reads them back and closes only when they could
// be read. A modeless dialog is destroyed on OK and Cancel unless the derived class keeps it.
class CDialog : public CWnd {
public:
    // construction
    CDialog(UINT idTemplate, HWND hParent) : m_idTemplate(idTemplate), m_hParent(hParent) {}
    INT_PTR DoModal();
    bool Create();
    void EndDialog(int result);

    // data exchange
    bool UpdateData(bool bSaveAndValidate = true);

    // overridables
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange&) {}
    // Any other message; true when handled, with the dialog procedure's result in result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

protected:
    bool IsModeless() const { return m_bModeless; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hDialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    const UINT m_idTemplate;
    HWND m_hParent;
    bool m_bModeless = false;
};
