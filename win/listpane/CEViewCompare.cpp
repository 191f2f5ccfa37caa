// CEView, part four: the compare pass over the rows and the answers to other lists.
#include "listpane/CEView.h"

#include "app/CAppSettings.h"
#include "folderdata/CCompareVerdict.h"
#include "folderdata/CEDoc.h"
#include "folderdata/CUpdateHint.h"
#include "listpane/CFileItem.h"
#include "listpane/CListColumns.h"

namespace {

std::string NameOf(const std::string& path)
{
    std::string name;
    CFolderKeys::SplitPath(path, name);
    return name;
}

}  // namespace

// ---- asking ----

void CEView::OnCompareRow(const CUpdateHint& hint)
{
    if (GetEDoc()->m_strBasePath.empty())
        return;
    if (hint.m_strPath.empty()) {
        ComparePass();
        return;
    }
    if (const int row = FindRowOfName(hint.m_strPath); row >= 0)
        ListView_EnsureVisible(m_hWnd, row, FALSE);
}

// A stop asked for while the pass lets messages through (a new selection) ends it: the rows
// asked about so far keep their marks.
void CEView::ComparePass()
{
    CEDoc* pDocument = GetEDoc();
    for (int row = 0; row < GetRowCount(); ++row) {
        if (!Settings().m_walk.PumpAndCheckStop())
            return;
        const CFileItem* pItem = GetItem(row);
        if (!pItem)
            continue;
        CUpdateHint hint;
        hint.m_strPath = pItem->m_strPath;
        hint.m_info = pItem->m_info;
        pDocument->CompareNoAnswer() = 1;
        pDocument->CompareVerdict().clear();
        pDocument->NotifyOthers(kHintCompareList, hint);
        ShowCompareMark(row, pDocument->CompareNoAnswer() ? std::string() : pDocument->CompareVerdict());
    }
    if (m_nSortColumn == CListColumns::kMark)
        SortByColumn(CListColumns::kMark);
}

void CEView::ShowCompareMark(int row, const std::string& mark)
{
    CFileItem* pItem = GetItem(row);
    if (!pItem)
        return;
    pItem->m_strMark = mark;
    SetRowImage(row, ImageOf(*pItem));
    ShowRecord(row);
}

void CEView::SendSelectedRow(const NMLISTVIEW& info)
{
    CEDoc* pDocument = GetEDoc();
    if (!(info.uChanged & LVIF_STATE) || !(info.uNewState & LVIS_SELECTED) || !pDocument ||
        !pDocument->IsCompareOn())
        return;
    const CFileItem* pItem = GetItem(info.iItem);
    if (!pItem)
        return;
    CUpdateHint hint;
    hint.m_strPath = pItem->m_strPath;
    pDocument->NotifyOthers(kHintCompareRow, hint);
}

// ---- answering ----

// A folder row answers with the totals stored for it and gives no answer without them; a
// window without a base folder takes no part.
void CEView::AnswerCompare(const CUpdateHint& hint)
{
    CEDoc* pDocument = GetEDoc();
    if (pDocument->m_strBasePath.empty())
        return;
    const int row = FindRowOfName(hint.m_strPath);
    const CFileItem* pItem = GetItem(row);
    if (!pItem) {
        CCompareVerdict::Answer(nullptr, hint.m_info, pDocument->CompareVerdict(), pDocument->CompareNoAnswer());
        return;
    }
    CSizeInfo counterpart = pItem->m_info;
    CSizeInfo direct;
    if (pItem->IsFolder() && !Settings().m_walk.GetStoredTotals(pItem->m_strPath, counterpart, direct))
        return;
    CCompareVerdict::Answer(&counterpart, hint.m_info, pDocument->CompareVerdict(), pDocument->CompareNoAnswer());
}

// Another list asks about every one of its rows: a search through all rows for each would make
// a pass over two folders of 100,000 files take hours. A row found through the index is checked
// against its name, and a name the index does not know is looked for once more in an index
// built afresh, so the answer is always that of the rows as they are now.
int CEView::FindRowOfName(const std::string& path)
{
    const std::string name = NameOf(path);
    const auto indexed = [this, &name] {
        const auto found = m_rowOfName.find(name);
        const CFileItem* pItem = found == m_rowOfName.end() ? nullptr : GetItem(found->second);
        return pItem && NameOf(pItem->m_strPath) == name ? found->second : -1;
    };
    if (const int row = indexed(); row >= 0)
        return row;
    m_rowOfName.clear();
    for (int row = GetRowCount() - 1; row >= 0; --row) {
        if (const CFileItem* pItem = GetItem(row))
            m_rowOfName[NameOf(pItem->m_strPath)] = row;  // the first row of a name wins
    }
    return indexed();
}
