// The ordered folder list with its key index.
#include "folderdata/CDirSzLst.h"

#include <new>

#include "app/CAppCore.h"
#include "fw/AfxMessageBox.h"
#include "fw/CArchive.h"
#include "text/Cp932.h"

const char* const kOutOfMemoryMessage =
    "メモリが足りません。\n\n\t\t他のプログラムを終了させてから\n\n\t\tもう一度　実行して下さい。\n";

std::string CDirSzLst::IndexKey(const std::string& key)
{
    return Cp932::SortKey(Cp932::FromUtf8(key));
}

CDirSzLst::~CDirSzLst()
{
    RemoveAll();
}

CDirSzLst::POSITION CDirSzLst::FirstInListOrder(Index::iterator first, Index::iterator last) const
{
    if (first == last)
        return nullptr;
    if (std::next(first) == last)
        return first->second;
    // Duplicate keys only arise from loading into a filled list; the earliest in the list wins.
    for (Node* node = m_head; node; node = node->next)
        for (auto it = first; it != last; ++it)
            if (it->second == node)
                return node;
    return first->second;
}

CDirSzLst::POSITION CDirSzLst::FindEntry(const std::string& key) const
{
    auto& index = const_cast<Index&>(m_index);
    const auto [first, last] = index.equal_range(IndexKey(key));
    return FirstInListOrder(first, last);
}

CDirSzLst::POSITION CDirSzLst::SetEntry(const std::string& key, const CSizeInfo& total,
                                        const CSizeInfo& direct)
{
    const std::string sortKey = IndexKey(key);
    const auto notSmaller = m_index.lower_bound(sortKey);
    if (notSmaller != m_index.end() && notSmaller->first == sortKey) {
        Node* same = FirstInListOrder(notSmaller, m_index.upper_bound(sortKey));
        same->entry.m_total = total;
        same->entry.m_direct = direct;
        return same;
    }
    Node* before = notSmaller == m_index.end() ? nullptr : notSmaller->second;
    return LinkNewEntry(key, total, direct, before, sortKey);
}

CDirSzLst::POSITION CDirSzLst::LinkNewEntry(const std::string& key, const CSizeInfo& total,
                                            const CSizeInfo& direct, Node* before,
                                            const std::string& sortKey)
{
    try {
        auto* node = new Node(CDirSzEntry(key, total, direct));
        return Link(node, before, sortKey);
    } catch (const std::bad_alloc&) {
        AfxMessageBox(kOutOfMemoryMessage);
        return nullptr;
    }
}

CDirSzLst::POSITION CDirSzLst::Link(Node* node, Node* before, const std::string& sortKey)
{
    try {
        node->indexed = m_index.emplace(sortKey, node);
    } catch (...) {
        delete node;
        throw;
    }
    node->next = before;
    node->prev = before ? before->prev : m_tail;
    (node->prev ? node->prev->next : m_head) = node;
    (before ? before->prev : m_tail) = node;
    ++m_count;
    return node;
}

void CDirSzLst::Unlink(Node* node)
{
    (node->prev ? node->prev->next : m_head) = node->next;
    (node->next ? node->next->prev : m_tail) = node->prev;
    m_index.erase(node->indexed);
    --m_count;
}

void CDirSzLst::RemoveEntry(const std::string& key)
{
    if (POSITION pos = FindEntry(key))
        RemoveAt(pos);
}

void CDirSzLst::RemoveAt(POSITION pos)
{
    Unlink(pos);
    delete pos;
}

void CDirSzLst::RemoveAll()
{
    while (m_head)
        RemoveAt(m_head);
}

std::string CDirSzLst::GetPathAt(POSITION pos) const { return pos->entry.m_strPath; }
CSizeInfo CDirSzLst::GetTotalAt(POSITION pos) const { return pos->entry.m_total; }
CSizeInfo CDirSzLst::GetDirectAt(POSITION pos) const { return pos->entry.m_direct; }
void CDirSzLst::SetTotalAt(POSITION pos, const CSizeInfo& total) { pos->entry.m_total = total; }
void CDirSzLst::SetDirectAt(POSITION pos, const CSizeInfo& direct) { pos->entry.m_direct = direct; }

void CDirSzLst::SetPathAt(POSITION pos, const std::string& key)
{
    // Re-keyed where it stands: the list keeps its place, the index learns the new key.
    auto node = m_index.extract(pos->indexed);
    node.key() = IndexKey(key);
    pos->indexed = m_index.insert(std::move(node));
    pos->entry.m_strPath = key;
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
    pos = pos->prev;
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
            ar << static_cast<int32_t>(m_count);
            for (Node* node = m_head; node; node = node->next)
                node->entry.Serialize(ar);
        } else {
            LoadEntries(ar);
        }
    } catch (const CArchiveException& e) {
        AfxMessageBox(FormatSerializeError("Error on Serialize.", ar.GetFilePath(), e.m_cause));
    }
}

void CDirSzLst::LoadEntries(CArchive& ar)
{
    CAppCore& app = AfxGetAppCore();
    app.m_bSerializeOk = true;
    int32_t count = 0;
    ar >> count;
    for (int32_t i = 0; i < count; ++i) {
        CDirSzEntry entry;
        entry.Serialize(ar);
        if (!app.m_bSerializeOk)
            return;
        try {
            auto* node = new Node(std::move(entry));
            Link(node, nullptr, IndexKey(node->entry.m_strPath));
        } catch (const std::bad_alloc&) {
            AfxMessageBox(kOutOfMemoryMessage);
        }
    }
}
