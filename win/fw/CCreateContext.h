// CCreateContext: what a child frame needs to know while it creates its views.
#pragma once

class CMultiDocTemplate;
class CViewDocument;

// Passed by the document template to the new child frame and on to OnCreateClient, so that the
// views the frame creates are attached to the right document.
struct CCreateContext {
    CViewDocument* m_pCurrentDoc = nullptr;
    CMultiDocTemplate* m_pNewDocTemplate = nullptr;
};
