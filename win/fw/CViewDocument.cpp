// Views, titles and the life of a document.
#include "fw/CViewDocument.h"

#include <algorithm>

#include "fw/CArchive.h"
#include "fw/CFile.h"
#include "fw/CMDIChildWnd.h"
#include "fw/CMultiDocTemplate.h"
#include "fw/CView.h"
#include "text/Utf.h"
#include "Win32Text.h"

void CViewDocument::AddView(CView* pView)
{
    m_views.push_back(pView);
}

void CViewDocument::RemoveView(CView* pView)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), pView), m_views.end());
}

void CViewDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    // A view may close its window in reaction; work on a copy of the list.
    const std::vector<CView*> views = m_views;
    for (CView* pView : views) {
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

std::vector<CMDIChildWnd*> CViewDocument::Frames() const
{
    std::vector<CMDIChildWnd*> frames;
    for (CView* pView : m_views) {
        CMDIChildWnd* pFrame = pView->GetParentFrame();
        if (pFrame && std::find(frames.begin(), frames.end(), pFrame) == frames.end())
            frames.push_back(pFrame);
    }
    return frames;
}

void CViewDocument::SetTitle(const std::string& title)
{
    CDocument::SetTitle(title);
    for (CMDIChildWnd* pFrame : Frames())
        pFrame->OnUpdateFrameTitle();
}

void CViewDocument::SetProgressTitle(const std::string& title)
{
    CDocument::SetTitle(title);
    for (CMDIChildWnd* pFrame : Frames())
        pFrame->UpdateFrameTitleSoon();
}

bool CViewDocument::OnNewDocument()
{
    DeleteContents();
    return true;
}

bool CViewDocument::OnOpenDocument(const std::wstring& path)
{
    CFile file;
    if (!file.Open(FromWide(path), CFile::modeRead))
        return false;
    DeleteContents();
    try {
        CArchive ar(file, CArchive::load);
        Serialize(ar);
        ar.Close();
    } catch (const CArchiveException&) {
        return false;
    }
    return true;
}

void CViewDocument::OnCloseDocument()
{
    for (CMDIChildWnd* pFrame : Frames())
        pFrame->MDIDestroy();
    DeleteContents();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);  // deletes this document
}
