// CEDoc: the document of one child window: its folders, and the hub of the update traffic.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "folderdata/CUpdateHint.h"
#include "fw/CViewDocument.h"

class CFileItem;
class CFolderNode;

// Created by the document template with its child frame and the two panes. It holds what the
// panes of one window share: the folder selected in the tree (m_strCurPath), the base folder of
// linkage, the panes' node and row records, and where the next paste goes. Every change a pane
// makes is announced with NotifyAll: to this document's views and, through the application, to
// every other document's OnDocumentHint, which answers the linkage codes itself and passes all
// other codes on to its views. Its commands are refresh, linkage, the kilobyte base and the
// search dialog. The folder totals themselves belong to the application and are shared.
class CEDoc : public CViewDocument {
public:
    // construction
    CEDoc();

    // update traffic
    void NotifyAll(int code, CUpdateHint& hint);
    void OnDocumentHint(CEDoc* pSender, int code, CUpdateHint& hint);
    void SetBasePath(bool bOn);
    // False while the window shows the whole computer rather than a folder.
    bool IsComparable() const;

    // shared by both panes
    void OnUpdateAggregate(CCmdUI& ui);
    // Creates the six 16 x 16 state images once (when hImageList is null); false on failure.
    static bool CreateImageList(HIMAGELIST& hImageList);

    // the document file holds the search dialog's rectangle
    void Serialize(CArchive& ar) override;

    std::string m_strBasePath;
    // the panes' records, filled and freed by the panes
    std::vector<CFolderNode*> m_folderNodes;
    std::string m_strCurPath;
    std::string m_strPasteDest;
    std::vector<CFileItem*> m_fileItems;

private:
    // command handlers
    void OnRefresh();
    void OnLinkage();
    void OnUpdateLinkage(CCmdUI& ui);
    void OnShowSearchDialog();
};
