// CFolderNode: the record behind one item of the folder tree.
#pragma once

#include <string>

#include "folderdata/CSizeInfo.h"

// The document keeps one per tree item (CEDoc::m_folderNodes) and the item carries its address
// as item data, so an item knows its folder key and the totals last aggregated for it even while
// its label shows only the name. A node lives exactly as long as its item.
class CFolderNode {
public:
    CFolderNode(std::string path, std::string name) : m_strPath(std::move(path)), m_strName(std::move(name)) {}

    std::string m_strPath;  // folder key
    std::string m_strName;  // display name
    CSizeInfo m_info;       // zero until aggregated
};
