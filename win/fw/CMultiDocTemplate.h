// CMultiDocTemplate: creates documents together with their child frames, and keeps the open ones.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CMDIChildWnd;
class CMDIFrameWnd;
class CViewDocument;

// One template per document class. OpenDocumentFile makes a document with the factory, a child
// frame with the other factory (the frame creates the views in OnCreateClient), gives a new
// document the next untitled name (the document name of the template's string resource and a
// number, "E1", "E2", ...) or reads a named file into it, and shows the frame. The template owns
// its documents until RemoveDocument. Its resource id names the menu shown while one of its
// documents is active; the Window menu is that menu's popup holding the tiling command.
class CMultiDocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<CViewDocument>()>;
    using FrameFactory = std::function<CMDIChildWnd*()>;

    // construction
    CMultiDocTemplate(UINT idResource, DocumentFactory documentFactory, FrameFactory frameFactory);
    ~CMultiDocTemplate();
    CMultiDocTemplate(const CMultiDocTemplate&) = delete;
    CMultiDocTemplate& operator=(const CMultiDocTemplate&) = delete;

    // documents
    // A new untitled document when path is empty; null when the frame or the file failed.
    CViewDocument* OpenDocumentFile(CMDIFrameWnd* pMainFrame, const std::wstring& path);
    void RemoveDocument(CViewDocument* pDocument);
    std::vector<CViewDocument*> GetDocuments() const;
    void CloseAllDocuments();

    // resources
    HMENU GetMenu() const { return m_hMenuShared; }
    HMENU GetWindowMenu() const;
    const std::wstring& GetDocName() const { return m_strDocName; }

private:
    CMDIChildWnd* CreateNewFrame(CMDIFrameWnd* pMainFrame, CViewDocument* pDocument);
    bool PrepareDocument(CViewDocument* pDocument, const std::wstring& path);

    DocumentFactory m_documentFactory;
    FrameFactory m_frameFactory;
    HMENU m_hMenuShared = nullptr;
    std::wstring m_strDocName;
    int m_nUntitledCount = 0;
    std::vector<std::unique_ptr<CViewDocument>> m_documents;
};
