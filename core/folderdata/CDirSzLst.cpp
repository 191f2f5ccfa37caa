// The ordered folder list with its key index.
#include "folderdata/CDirSzLst.h"

#include <new>
#include <vector>

#include "folderdata/CFolderKeys.h"
#include "fw/AfxMessageBox.h"
#include "fw/CArchive.h"
#include "fw/Prefetch.h"
#include "text/Cp932.h"

const char* const kOutOfMemoryMessage =
    "メモリが足りません。\n\n\t\t他のプログラムを終了させてから\n\n\t\tもう一度　実行して下さい。\n";

std::string CDirSzLst::IndexKey(const std::string& key)
{
    return Cp932::LosslessSortKey(key);
}

CDirSzLst::~CDirSzLst()
{
    RemoveAll();
}

CDirSzLst::POSITION CDirSzLst::FirstInListOrder(Index::Pos first, const std::string& sortKey) const
{
    if (first == m_index.End() || !m_index.KeyIs(first, sortKey))
        return nullptr;
    const Index::Pos second = m_index.Next(first);
    if (second == m_index.End() || !m_index.KeyIs(second, sortKey))
        return m_index.ValueAt(first);
    // Duplicate keys only arise from loading into a filled list; the earliest in the list wins.
    for (Node* node = m_head; node; node = node->next)
        for (Index::Pos pos = first; pos != m_index.End() && m_index.KeyAt(pos) == sortKey; pos = m_index.Next(pos))
            if (m_index.ValueAt(pos) == node)
                return node;
    return m_index.ValueAt(first);
}

CDirSzLst::POSITION CDirSzLst::FindEntry(const std::string& key) const
{
    const std::string sortKey = IndexKey(key);
    return FirstInListOrder(m_index.LowerBound(sortKey), sortKey);
}

CDirSzLst::POSITION CDirSzLst::SetEntry(const std::string& key, const CSizeInfo& total,
                                        const CSizeInfo& direct)
{
    try {
        const std::string sortKey = IndexKey(key);
        const Index::Pos notSmaller = m_index.LowerBound(sortKey);
        if (Node* same = FirstInListOrder(notSmaller, sortKey)) {
            same->entry.m_total = total;
            same->entry.m_direct = direct;
            return same;
        }
        return LinkNewEntry(key, total, direct, notSmaller, sortKey);
    } catch (const std::bad_alloc&) {
        AfxMessageBox(kOutOfMemoryMessage);
        return nullptr;
    }
}

CDirSzLst::POSITION CDirSzLst::LinkNewEntry(const std::string& key, const CSizeInfo& total,
                                            const CSizeInfo& direct, Index::Pos at,
                                            const std::string& sortKey)
{
    // In order, the new entry goes between the index's two entries around its place. Only the
    // one before it changes; it lies somewhere in memory: ask for it now and allocate while it
    // arrives.
    Node* before = at == m_index.End() ? nullptr : m_index.ValueAt(at);
    Node* guess = m_index.ValueBefore(at);
    PrefetchLines(guess ? &guess->next : nullptr);
    return Link(new Node(CDirSzEntry(key, total, direct)), before, guess, at, sortKey);
}

CDirSzLst::POSITION CDirSzLst::Link(Node* node, Node* before, Node* guess, Index::Pos at,
                                    const std::string& sortKey)
{
    try {
        m_index.InsertAt(at, sortKey, node);
    } catch (...) {
        delete node;
        throw;
    }
    Node* after = ListPredecessor(before, guess);
    node->next = before;
    (after ? after->next : m_head) = node;
    if (!before)
        m_tail = node;
    ++m_count;
    return node;
}

CDirSzLst::Node* CDirSzLst::ListPredecessor(Node* node, Node* guess) const
{
    // The index's neighbour is the list's unless a rename or a load has set the list out of key
    // order just here; then the list is searched from its head. Checking the guess reads the
    // node that linking or unlinking writes anyway.
    if (node == m_head)
        return nullptr;
    if (guess && guess->next == node)
        return guess;
    if (!node)
        return m_tail;
    Node* before = m_head;
    while (before->next != node)
        before = before->next;
    return before;
}

CDirSzLst::Index::Pos CDirSzLst::IndexPosition(const Node* node) const
{
    return m_index.Find(IndexKey(node->entry.m_strPath), node);
}

CDirSzLst::Node* CDirSzLst::ListPredecessor(Node* node) const
{
    return ListPredecessor(node, m_index.ValueBefore(IndexPosition(node)));
}

void CDirSzLst::Unlink(Node* node)
{
    const Index::Pos at = IndexPosition(node);
    Node* after = ListPredecessor(node, m_index.ValueBefore(at));
    (after ? after->next : m_head) = node->next;
    if (m_tail == node)
        m_tail = after;
    if (at != m_index.End())
        m_index.EraseAt(at);
    --m_count;
    for (Cursor* cursor = m_pCursors; cursor; cursor = cursor->m_pNextCursor)
        if (cursor->pos == node)
            cursor->pos = node->next;
}

void CDirSzLst::RemoveEntry(const std::string& key)
{
    if (POSITION pos = FindEntry(key))
        RemoveAt(pos);
}

// One pass over the list: a rename is rare, and the records below a folder need not lie side by
// side in the index's order once keys hold characters outside code page 932.
int CDirSzLst::RenameFolder(const std::string& oldKey, const std::string& newKey)
{
    std::vector<POSITION> moving;
    std::vector<POSITION> stale;
    for (POSITION pos = m_head; pos; pos = pos->next) {
        if (CFolderKeys::IsSameOrBelow(pos->entry.m_strPath, oldKey))
            moving.push_back(pos);
        else if (CFolderKeys::IsSameOrBelow(pos->entry.m_strPath, newKey))
            stale.push_back(pos);
    }
    if (moving.empty())
        return 0;
    for (POSITION pos : stale)
        RemoveAt(pos);
    for (POSITION pos : moving)
        SetPathAt(pos, CFolderKeys::Rebase(pos->entry.m_strPath, oldKey, newKey));
    return static_cast<int>(moving.size());
}

void CDirSzLst::RemoveAt(POSITION pos)
{
    Unlink(pos);
    delete pos;
}

void CDirSzLst::RemoveAll()
{
    m_index.Clear();
    while (Node* node = m_head) {
        m_head = node->next;
        delete node;
    }
    m_tail = nullptr;
    m_count = 0;
    for (Cursor* cursor = m_pCursors; cursor; cursor = cursor->m_pNextCursor)
        cursor->pos = nullptr;
}

CDirSzLst::Cursor::Cursor(CDirSzLst& list) : pos(list.m_head), m_list(list), m_pNextCursor(list.m_pCursors)
{
    list.m_pCursors = this;
}

CDirSzLst::Cursor::~Cursor()
{
    Cursor** link = &m_list.m_pCursors;
    while (*link != this)
        link = &(*link)->m_pNextCursor;
    *link = m_pNextCursor;
}

std::string CDirSzLst::GetPathAt(POSITION pos) const { return pos->entry.m_strPath; }
CSizeInfo CDirSzLst::GetTotalAt(POSITION pos) const { return pos->entry.m_total; }
CSizeInfo CDirSzLst::GetDirectAt(POSITION pos) const { return pos->entry.m_direct; }
void CDirSzLst::SetTotalAt(POSITION pos, const CSizeInfo& total) { pos->entry.m_total = total; }
void CDirSzLst::SetDirectAt(POSITION pos, const CSizeInfo& direct) { pos->entry.m_direct = direct; }

void CDirSzLst::SetPathAt(POSITION pos, const std::string& key)
{
    // Re-keyed where it stands: the list keeps its place, the index learns the new key. All that
    // needs memory comes before the old key leaves the index, so that running out of it leaves
    // the entry as it was.
    try {
        const std::string oldSortKey = IndexKey(pos->entry.m_strPath);
        std::string path = key;
        m_index.Insert(IndexKey(key), pos);
        m_index.Erase(oldSortKey, pos);
        pos->entry.m_strPath.swap(path);
    } catch (const std::bad_alloc&) {
        AfxMessageBox(kOutOfMemoryMessage);
    }
}

CDirSzEntry& CDirSzLst::GetNext(POSITION& pos) const
{
    CDirSzEntry& entry = pos->entry;
    pos = pos->next;
    return entry;
}

CDirSzEntry& CDirSzLst::GetPrev(POSITION& pos) const
{
    CDirSzEntry& entry = pos->entry;
    pos = ListPredecessor(pos);
    return entry;
}

CDirSzEntry& CDirSzLst::GetAt(POSITION pos) const
{
    return pos->entry;
}

void CDirSzLst::Serialize(CArchive& ar)
{
    try {
        if (ar.IsStoring()) {
            StoreEntries(ar);
        } else {
            LoadEntries(ar);
        }
    } catch (const CArchiveException& e) {
        AfxMessageBox(FormatSerializeError("Error on Serialize.", ar.GetFilePath(), e.m_cause));
    }
}

void CDirSzLst::StoreEntries(CArchive& ar) const
{
    // The file holds keys in code page 932: a key with a character it lacks would be written as
    // "?" and could then stand twice in the file, so such records stay out of it.
    int32_t count = 0;
    for (const Node* node = m_head; node; node = node->next)
        count += Cp932::IsRepresentable(node->entry.m_strPath) ? 1 : 0;
    ar << count;
    for (Node* node = m_head; node; node = node->next)
        if (Cp932::IsRepresentable(node->entry.m_strPath))
            node->entry.Serialize(ar);
}

void CDirSzLst::LoadEntries(CArchive& ar)
{
    m_bSerializeOk = true;
    int32_t count = 0;
    ar >> count;
    for (int32_t i = 0; i < count; ++i) {
        CDirSzEntry entry;
        m_bSerializeOk = entry.SerializeOk(ar);
        if (!m_bSerializeOk)
            return;
        try {
            // In file order: at the tail.
            const std::string sortKey = IndexKey(entry.m_strPath);
            Link(new Node(std::move(entry)), nullptr, m_tail, m_index.UpperBound(sortKey), sortKey);
        } catch (const std::bad_alloc&) {
            AfxMessageBox(kOutOfMemoryMessage);
        }
    }
}
