// CMDIChildWnd: an MDI child window that frames the views of one document.
#pragma once

#include <string>

#include "fw/CCreateContext.h"
#include "fw/CWnd.h"

class CMDIFrameWnd;
class CView;
class CViewDocument;

// Created by the document template through the MDI client; while its window is created it builds
// its panes in OnCreateClient, and the template then calls InitialUpdateFrame. The pane with id
// AFX_IDW_PANE_FIRST (a splitter or a single view) fills the client area. The frame tracks its
// active view (the one that last had the focus) and routes commands to it first (and through it to
// the document), then to itself. Closing the window closes its document. The object owns itself.
class CMDIChildWnd : public CWnd {
public:
    // construction
    CMDIChildWnd() = default;
    // On failure the object has deleted itself.
    bool Create(CMDIFrameWnd* pMainFrame, const std::wstring& title, CCreateContext& context);
    // Destroys the window the MDI way and brings the main frame's menu and title up to date.
    void MDIDestroy();

    // access
    CView* GetActiveView() const { return m_pActiveView; }
    void SetActiveView(CView* pView) { m_pActiveView = pView; }
    CViewDocument* GetActiveDocument() const { return m_pDocument; }
    CMDIFrameWnd* GetMDIFrame() const { return m_pMainFrame; }

    // routing
    bool OnCmdMsg(UINT id, CCmdUI* pUI) override;

    // overridables
    virtual bool OnCreateClient(CCreateContext& context);
    // Sends OnInitialUpdate to every view of the document in this frame, then shows the frame.
    virtual void InitialUpdateFrame(CViewDocument* pDocument);
    virtual void ActivateFrame();
    virtual void OnUpdateFrameTitle();
    // Retitles the frame now, or when kTitleInterval has passed since it was last retitled. A walk
    // names each folder it enters; retitling the windows costs more than listing a folder.
    void UpdateFrameTitleSoon();
    static constexpr UINT kTitleInterval = 100;  // milliseconds

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override { delete this; }

private:
    void ResizePane();
    void OnMDIActivate(bool bActivating);

    CMDIFrameWnd* m_pMainFrame = nullptr;
    CViewDocument* m_pDocument = nullptr;
    CView* m_pActiveView = nullptr;
    CCreateContext* m_pContext = nullptr;
    DWORD m_dwTitleShown = 0;     // tick count of the last retitling
    bool m_bTitlePending = false;  // the title timer runs
};
