// Creating views and routing their commands and updates.
#include "fw/CView.h"

#include "fw/CMDIChildWnd.h"
#include "fw/CViewDocument.h"

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

bool CView::Create(HWND hParent, UINT id, const RECT& rc, CViewDocument* pDocument)
{
    if (!CreateControl(WS_EX_CLIENTEDGE, GetControlClass(), WS_CHILD | WS_VISIBLE | GetControlStyle(), rc, hParent,
                       id))
        return false;
    m_pDocument = pDocument;
    if (m_pDocument)
        m_pDocument->AddView(this);
    return true;
}

CMDIChildWnd* CView::GetParentFrame() const
{
    for (HWND hWnd = GetParent(m_hWnd); hWnd; hWnd = GetParent(hWnd)) {
        if (auto* pFrame = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandle(hWnd)))
            return pFrame;
    }
    return nullptr;
}

bool CView::OnCmdMsg(UINT id, CCmdUI* pUI)
{
    if (CWnd::OnCmdMsg(id, pUI))
        return true;
    return m_pDocument && m_pDocument->OnCmdMsg(id, pUI);
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETFOCUS) {
        if (CMDIChildWnd* pFrame = GetParentFrame())
            pFrame->SetActiveView(this);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
