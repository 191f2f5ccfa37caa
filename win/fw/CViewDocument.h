// CViewDocument: a document shown by views in child frames, and the hub of their updates.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "fw/CCmdTarget.h"
#include "fw/CDocument.h"

class CArchive;
class CMultiDocTemplate;
class CObject;
class CMDIChildWnd;
class CView;

// The document template creates a document together with its child frame and views and owns it
// until OnCloseDocument, which destroys the frames and lets the template delete the document.
// Views register themselves; UpdateAllViews passes an update code and hint object to every view
// but the sender. Commands reach the document after its active view. Setting the title retitles
// the frames that show the document; a progress title reaches them at a readable pace.
class CViewDocument : public CDocument, public CCmdTarget {
public:
    // construction
    CViewDocument() = default;
    ~CViewDocument() override = default;

    // views
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    const std::vector<CView*>& GetViews() const { return m_views; }
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    // title
    void SetTitle(const std::string& title) override;
    void SetProgressTitle(const std::string& title) override;

    // overridables
    virtual bool OnNewDocument();
    // Reads the document's file through Serialize; false when it cannot be read.
    virtual bool OnOpenDocument(const std::wstring& path);
    // Destroys the frames showing the document, then the document itself.
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}
    virtual void Serialize(CArchive&) {}

    CMultiDocTemplate* m_pDocTemplate = nullptr;

private:
    // The frames showing this document's views, each once.
    std::vector<CMDIChildWnd*> Frames() const;

    std::vector<CView*> m_views;
};
