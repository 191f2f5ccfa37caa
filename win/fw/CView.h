// CView: a pane of a child frame that shows its document through a system control.
#pragma once

#include "fw/CWnd.h"

class CMDIChildWnd;
class CObject;
class CViewDocument;

// A derived view names the control class (tree view, list view) and its styles; Create makes the
// control, takes over its messages and registers the view with its document. The view owns
// itself and is deleted with its window. Commands try the view first, then its document. The
// document calls OnUpdate with numbered updates; OnInitialUpdate runs once when the frame is
// complete.
class CView : public CWnd {
public:
    // construction
    CView() = default;
    ~CView() override;
    bool Create(HWND hParent, UINT id, const RECT& rc, CViewDocument* pDocument);

    // access
    CViewDocument* GetDocument() const { return m_pDocument; }
    CMDIChildWnd* GetParentFrame() const;

    // routing
    bool OnCmdMsg(UINT id, CCmdUI* pUI) override;

    // overridables
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);

protected:
    virtual const wchar_t* GetControlClass() const = 0;
    virtual DWORD GetControlStyle() const = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override { delete this; }

private:
    CViewDocument* m_pDocument = nullptr;
};
