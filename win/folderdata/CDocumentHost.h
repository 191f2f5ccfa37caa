// CDocumentHost: what a window's document needs of the application: the one search dialog of all windows.
#pragma once

#include <functional>

class CArchive;

// The search dialog belongs to the application, which fills these callbacks and hands them to
// every document it creates. So the document never reaches up to the application (the window
// layer includes one way: application -> frames -> document -> panes), and a document with its
// panes can be built without one; with empty callbacks the search command does nothing. The
// other windows' documents a document reaches through its template, as the application does.
class CDocumentHost {
public:
    // Creates the search dialog on first use and shows it.
    std::function<void()> m_showSearchDialog;
    // The search dialog's store content, "Dilog Find", read or written through a document.
    std::function<void(CArchive&)> m_serializeSearchDialog;
};
