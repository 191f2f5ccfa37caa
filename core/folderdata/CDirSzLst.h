// CDirSzLst: the process-wide list of stored folder totals.
#pragma once

#include <string>

#include "folderdata/CBlockIndex.h"
#include "folderdata/CDirSzEntry.h"

class CArchive;

// Every folder the walk has completed, one entry per key, in ascending key order (keys compare
// as code page 932 strings do with _mbscmp: case-sensitive, byte-exact; a key with characters
// CP932 lacks sorts after the CP932 keys it agrees with up to there, and is never merged with
// another key). Positions are handles
// to entries that stay valid until their entry is removed; walking from GetHeadPosition with
// GetNext visits the keys in order.
//
// An index beside the list keeps insertion and lookup at O(log n), so that a drive with hundreds
// of thousands of folders fills quickly. SetPathAt renames an entry in place without moving it;
// the list may then be out of order, which lookups tolerate. Entries are linked forwards only:
// GetPrev and removal learn the entry before from the index, in O(log n), which spares every
// insertion a write to one more entry lying anywhere in memory.
class CDirSzLst {
    struct Node;

public:
    using POSITION = Node*;

    // construction
    CDirSzLst() = default;
    ~CDirSzLst();
    CDirSzLst(const CDirSzLst&) = delete;
    CDirSzLst& operator=(const CDirSzLst&) = delete;

    // keyed operations
    POSITION FindEntry(const std::string& key) const;
    // Replaces the totals of the entry with this key, or inserts a new entry in key order.
    // Returns its position, or nullptr when memory ran out (the user has been told).
    POSITION SetEntry(const std::string& key, const CSizeInfo& total, const CSizeInfo& direct);
    void RemoveEntry(const std::string& key);
    // A folder was renamed: the records of oldKey and of every folder below it take the same
    // places below newKey, and records that newKey and its folders held before (of a folder of
    // that name that is gone) are removed first. Nothing changes when no record lies at or below
    // oldKey, so that every window may report the same rename. Returns the records re-keyed.
    int RenameFolder(const std::string& oldKey, const std::string& newKey);

    // positional access
    std::string GetPathAt(POSITION pos) const;
    CSizeInfo GetTotalAt(POSITION pos) const;
    CSizeInfo GetDirectAt(POSITION pos) const;
    // Running out of memory shows the message and leaves the entry as it was.
    void SetPathAt(POSITION pos, const std::string& key);
    void SetTotalAt(POSITION pos, const CSizeInfo& total);
    void SetDirectAt(POSITION pos, const CSizeInfo& direct);

    // list traversal
    POSITION GetHeadPosition() const { return m_head; }
    POSITION GetTailPosition() const { return m_tail; }
    CDirSzEntry& GetNext(POSITION& pos) const;
    CDirSzEntry& GetPrev(POSITION& pos) const;
    CDirSzEntry& GetAt(POSITION pos) const;
    int GetCount() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    void RemoveAt(POSITION pos);
    void RemoveAll();

    // A position that stays valid while entries are removed: removing its entry moves it on to
    // the next one. A walker that lets other code run between entries (a message pump, a tree
    // expansion that drops the records of vanished folders) keeps its place in one.
    class Cursor {
    public:
        // at the head of the list
        explicit Cursor(CDirSzLst& list);
        ~Cursor();
        Cursor(const Cursor&) = delete;
        Cursor& operator=(const Cursor&) = delete;

        POSITION pos;

    private:
        friend class CDirSzLst;
        CDirSzLst& m_list;
        Cursor* m_pNextCursor;
    };

    // The entry count, then every entry whose key code page 932 can hold (the file's keys are in
    // CP932); loading appends to what the list holds.
    void Serialize(CArchive& ar);

    // TRUE unless the last load stopped at an entry that could not be read (the entries read
    // before it stay).
    bool m_bSerializeOk = true;

private:
    struct Node {
        explicit Node(CDirSzEntry e) : entry(std::move(e)) {}
        CDirSzEntry entry;
        Node* next = nullptr;
    };
    // Keyed by Cp932::LosslessSortKey of the folder key, so plain byte order is _mbscmp order and
    // keys that differ only outside CP932 stay apart.
    using Index = CBlockIndex<Node>;

    POSITION FirstInListOrder(Index::Pos first, const std::string& sortKey) const;
    static std::string IndexKey(const std::string& key);
    // Links node into the index at `at` and into the list before `before` (nullptr: at the tail);
    // guess is what the index held just before `at`, most likely the list's neighbour too.
    POSITION Link(Node* node, Node* before, Node* guess, Index::Pos at, const std::string& sortKey);
    POSITION LinkNewEntry(const std::string& key, const CSizeInfo& total, const CSizeInfo& direct,
                          Index::Pos at, const std::string& sortKey);
    // The node before `node` in the list (before nullptr: the tail), given the index's idea of it,
    // or finding the index's idea first.
    Node* ListPredecessor(Node* node, Node* guess) const;
    Node* ListPredecessor(Node* node) const;
    // Where the index holds node (End() if it does not, which only a fault could cause).
    Index::Pos IndexPosition(const Node* node) const;
    void Unlink(Node* node);
    void StoreEntries(CArchive& ar) const;
    void LoadEntries(CArchive& ar);

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
    Cursor* m_pCursors = nullptr;
    Index m_index;
};

// The message shown when memory runs out while a record is added.
extern const char* const kOutOfMemoryMessage;
