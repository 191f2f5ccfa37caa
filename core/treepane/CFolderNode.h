// CFolderNode: the record behind one item of the folder tree.
#pragma once

#include <string>
#include <utility>

#include "folderdata/CSizeInfo.h"

// The window's document makes one for each tree item and owns it (CEDoc::AddFolderNode); the item
// carries its address as item data, so an item knows its folder key and the totals last
// aggregated for it even while its label shows only the name. The label itself is kept here too:
// the control asks for it when it draws, so changing a label never makes the control lay out
// thousands of siblings again. So is its image (a search hit, a compare mark): an image the control
// held itself would make it lay out every item anew at each change. The tree hands a node back to the document (ReleaseFolderNode)
// when it deletes the node's item, and all of them when it goes.
class CFolderNode {
public:
    CFolderNode(std::string path, std::string name, std::wstring label)
        : m_strPath(std::move(path)), m_strName(std::move(name)), m_strLabel(std::move(label))
    {
    }

    std::string m_strPath;  // folder key
    std::string m_strName;  // display name
    std::wstring m_strLabel;  // the text the item shows
    CSizeInfo m_info;       // zero until aggregated
    int m_nImage = 0;       // the index in the tree's image list of the image the item shows
    // Set while the item leaves its expand button for the tree to answer when asked
    // (I_CHILDRENCALLBACK): one of thousands of sub-folders is not listed when its level opens.
    bool m_bButtonPending = false;
    int m_nHasSubFolders = -1;  // what the disk answered, 1 or 0; -1 before it was asked
};
