// Creating, listing and removing the documents of a template.
#include "fw/CMultiDocTemplate.h"

#include <algorithm>

#include "fw/CCreateContext.h"
#include "fw/CMDIChildWnd.h"
#include "fw/CMDIFrameWnd.h"
#include "fw/CViewDocument.h"
#include "fw/ResourceText.h"
#include "res/resource.h"
#include "Win32Text.h"

namespace {

// Field index of a "\n"-separated document string: 1 is the document name.
std::wstring DocStringField(const std::wstring& text, int index)
{
    std::size_t start = 0;
    for (int field = 0; field < index; ++field) {
        start = text.find(L'\n', start);
        if (start == std::wstring::npos)
            return std::wstring();
        ++start;
    }
    return text.substr(start, text.find(L'\n', start) - start);
}

}  // namespace

CMultiDocTemplate::CMultiDocTemplate(UINT idResource, DocumentFactory documentFactory, FrameFactory frameFactory)
    : m_documentFactory(std::move(documentFactory)), m_frameFactory(std::move(frameFactory))
{
    m_hMenuShared = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(idResource));
    m_strDocName = DocStringField(LoadResourceString(idResource), 1);
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    m_documents.clear();
    // The menu in use by a window is destroyed with that window.
    if (m_hMenuShared && IsMenu(m_hMenuShared))
        DestroyMenu(m_hMenuShared);
}

CViewDocument* CMultiDocTemplate::OpenDocumentFile(CMDIFrameWnd* pMainFrame, const std::wstring& path)
{
    m_documents.push_back(m_documentFactory());
    CViewDocument* pDocument = m_documents.back().get();
    pDocument->m_pDocTemplate = this;
    CMDIChildWnd* pFrame = CreateNewFrame(pMainFrame, pDocument);
    if (!pFrame) {
        RemoveDocument(pDocument);
        return nullptr;
    }
    if (!PrepareDocument(pDocument, path)) {
        pDocument->OnCloseDocument();
        return nullptr;
    }
    pFrame->InitialUpdateFrame(pDocument);
    return pDocument;
}

CMDIChildWnd* CMultiDocTemplate::CreateNewFrame(CMDIFrameWnd* pMainFrame, CViewDocument* pDocument)
{
    CMDIChildWnd* pFrame = m_frameFactory();
    CCreateContext context;
    context.m_pCurrentDoc = pDocument;
    context.m_pNewDocTemplate = this;
    // A frame that fails has deleted itself.
    return pFrame->Create(pMainFrame, m_strDocName, context) ? pFrame : nullptr;
}

bool CMultiDocTemplate::PrepareDocument(CViewDocument* pDocument, const std::wstring& path)
{
    if (path.empty()) {
        pDocument->SetTitle(FromWide(m_strDocName + std::to_wstring(++m_nUntitledCount)));
        return pDocument->OnNewDocument();
    }
    if (!pDocument->OnOpenDocument(path))
        return false;
    const std::size_t slash = path.find_last_of(L"\\/");
    pDocument->SetTitle(FromWide(slash == std::wstring::npos ? path : path.substr(slash + 1)));
    return true;
}

void CMultiDocTemplate::RemoveDocument(CViewDocument* pDocument)
{
    auto found = std::find_if(m_documents.begin(), m_documents.end(),
                              [pDocument](const auto& owned) { return owned.get() == pDocument; });
    if (found != m_documents.end())
        m_documents.erase(found);
}

std::vector<CViewDocument*> CMultiDocTemplate::GetDocuments() const
{
    std::vector<CViewDocument*> documents;
    for (const auto& owned : m_documents)
        documents.push_back(owned.get());
    return documents;
}

void CMultiDocTemplate::CloseAllDocuments()
{
    for (CViewDocument* pDocument : GetDocuments())
        pDocument->OnCloseDocument();
}

HMENU CMultiDocTemplate::GetWindowMenu() const
{
    const int count = GetMenuItemCount(m_hMenuShared);
    for (int position = 0; position < count; ++position) {
        HMENU hPopup = GetSubMenu(m_hMenuShared, position);
        if (hPopup && GetMenuState(hPopup, ID_WINDOW_TILE_HORZ, MF_BYCOMMAND) != static_cast<UINT>(-1))
            return hPopup;
    }
    return nullptr;
}
