// CBlockIndex: an ordered multimap from byte-string keys to pointers, stored in blocks.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fw/Prefetch.h"

// Keeps up to 128 keys per block, their bytes packed in one buffer of the block, and the blocks
// in key order with each block's first key beside it. A search is a binary search
// over the first keys and then inside one block, so it touches a few compact pieces of memory
// instead of a pointer chain through scattered nodes; with a million keys that is several times
// fewer cache misses than a node-based tree. Both searches compare eight-byte numbers cut from
// the keys behind the prefix they all share and read key bytes only when two numbers tie.
// Insertion moves at most one block's slots, and a full block splits in two.
//
// Equal keys are kept in insertion order. Positions (Pos) are valid until the next change.
template <class T>
class CBlockIndex {
public:
    struct Pos {
        std::size_t block = 0;
        std::size_t slot = 0;
        bool operator==(const Pos&) const = default;
    };

    bool Empty() const { return m_blocks.empty(); }
    Pos End() const { return Pos{m_blocks.size(), 0}; }
    Pos Next(Pos pos) const
    {
        if (++pos.slot == m_blocks[pos.block]->Size())
            pos = Pos{pos.block + 1, 0};
        return pos;
    }
    std::string_view KeyAt(Pos pos) const { return m_blocks[pos.block]->Key(pos.slot); }
    T* ValueAt(Pos pos) const { return m_blocks[pos.block]->values[pos.slot]; }
    // The value just before pos (End() included), or nullptr at the start. Beside ValueAt(pos) in
    // memory unless pos starts a block.
    T* ValueBefore(Pos pos) const
    {
        if (pos.slot > 0)
            return m_blocks[pos.block]->values[pos.slot - 1];
        if (pos.block == 0)
            return nullptr;
        const Block& before = *m_blocks[pos.block - 1];
        return before.values[before.Size() - 1];
    }
    // Whether the key at pos is key; most unequal keys are told apart without reading key bytes.
    bool KeyIs(Pos pos, std::string_view key) const { return m_blocks[pos.block]->KeyIs(pos.slot, key); }

    // The first position whose key is not less than key.
    Pos LowerBound(std::string_view key) const { return Bound(key, false); }
    // The first position whose key is greater than key.
    Pos UpperBound(std::string_view key) const { return Bound(key, true); }

    // Adds key after any equal keys.
    void Insert(std::string_view key, T* value) { InsertAt(UpperBound(key), key, value); }

    // Adds key at pos, which must be its lower or upper bound (a search the caller made anyway).
    void InsertAt(Pos pos, std::string_view key, T* value)
    {
        if (m_blocks.empty()) {
            Block* fresh = NewBlock(Block());
            fresh->InsertAt(0, key, value);
            m_blocks.Insert(0, fresh);
            return;
        }
        // The start of a later block is the end of the one before: its first key stays.
        if (pos.slot == 0 && pos.block > 0)
            pos = Pos{pos.block - 1, m_blocks[pos.block - 1]->Size()};
        // A full block is split before the key goes in, so that running out of memory leaves the
        // index as it was: the caller then drops the value, and no key may still point to it.
        if (m_blocks[pos.block]->Size() == kMaxSlots)
            pos = Split(pos);
        m_blocks[pos.block]->InsertAt(pos.slot, key, value);
        if (pos.slot == 0)
            m_blocks.FirstKeyChanged(pos.block);
    }

    // Removes the entry with this key and value; false when there is none.
    bool Erase(std::string_view key, const T* value)
    {
        const Pos pos = Find(key, value);
        if (pos == End())
            return false;
        EraseAt(pos);
        return true;
    }

    // Where the entry with this key and value is, or End().
    Pos Find(std::string_view key, const T* value) const
    {
        Pos pos = LowerBound(key);
        while (pos != End() && KeyAt(pos) == key && ValueAt(pos) != value)
            pos = Next(pos);
        return pos != End() && KeyAt(pos) == key ? pos : End();
    }

    // Never fails: what needs memory here (keeping an emptied block for reuse, packing a block's
    // bytes anew) is left undone when there is none.
    void EraseAt(Pos pos) noexcept
    {
        Block& b = *m_blocks[pos.block];
        b.EraseAt(pos.slot);
        if (b.Size() == 0) {
            m_blocks.Erase(pos.block);
            b = Block();
            try {
                m_spare.push_back(&b);
            } catch (const std::bad_alloc&) {  // the block stays unused
            }
            return;
        }
        if (pos.slot == 0)
            m_blocks.FirstKeyChanged(pos.block);
        // Erased keys leave their bytes behind; repack once they outweigh the live ones.
        if (b.bytes.size() > 2 * b.LiveBytes() + 1024) {
            try {
                b = b.Copy(0, b.Size());
            } catch (const std::bad_alloc&) {  // packed another time
            }
        }
    }

    void Clear()
    {
        m_blocks.Clear();
        m_pool.clear();
        m_poolUsed = 0;
        m_spare.clear();
    }

private:
    static constexpr std::size_t kMaxSlots = 128;
    static constexpr std::size_t kStride = 16;

    // Where a key's bytes lie in its block.
    struct Ref {
        uint32_t offset;
        uint32_t length;
    };

    // The eight bytes of key from position `from`, zero-padded, as one comparable number: keys
    // that share their first `from` bytes order as their windows do, unless the windows tie.
    static uint64_t WindowOf(std::string_view key, std::size_t from)
    {
        uint64_t window = 0;
        for (std::size_t i = 0; i < 8; ++i)
            window = (window << 8) | (from + i < key.size() ? static_cast<uint8_t>(key[from + i]) : 0u);
        return window;
    }

    static std::size_t CommonPrefix(std::string_view a, std::string_view b)
    {
        const auto mismatch = std::mismatch(a.begin(), a.begin() + std::min(a.size(), b.size()), b.begin());
        return static_cast<std::size_t>(mismatch.first - a.begin());
    }

    // Where key sorts against the keys that start with prefix: -1 before all, 1 after all, 0 when
    // it starts with prefix itself.
    static int AgainstPrefix(std::string_view key, std::string_view prefix)
    {
        if (key.size() >= prefix.size() && key.compare(0, prefix.size(), prefix) == 0)
            return 0;
        return key < prefix ? -1 : 1;
    }

    // The first position in [low, high) whose key is above (upper) or not below (lower) key, or
    // high. The keys there share a prefix that key starts with too, window is key's window behind
    // it and windowAt(i) the window of keyAt(i).
    template <class WindowAt, class KeyAt>
    static std::size_t Search(std::size_t low, std::size_t high, std::string_view key, uint64_t window, bool upper,
                              WindowAt windowAt, KeyAt keyAt)
    {
        while (low < high) {
            const std::size_t mid = (low + high) / 2;
            const uint64_t other = windowAt(mid);
            const int order = window != other ? (window < other ? -1 : 1) : key.compare(keyAt(mid));
            if (order > 0 || (upper && order == 0))
                low = mid + 1;
            else
                high = mid;
        }
        return low;
    }

    struct Block;

    // The blocks in key order, each beside the window of its first key behind the prefix all first
    // keys share. Window and block lie side by side in one small array, so the search for a block
    // stays in the cache and ends on the line that holds the block's address; the first keys
    // themselves are read from their blocks, and only when two windows tie. A split moves sixteen
    // bytes per later block.
    class BlockList {
    public:
        bool empty() const { return m_entries.empty(); }
        std::size_t size() const { return m_entries.size(); }
        Block* operator[](std::size_t i) const { return m_entries[i].block; }

        // The number of blocks whose first key is below key (upper: not above it).
        std::size_t Bound(std::string_view key, bool upper) const
        {
            if (m_entries.empty())
                return 0;
            if (const int side = AgainstPrefix(key, Key(0).substr(0, m_shared)))
                return side < 0 ? 0 : m_entries.size();
            return Search(
                0, m_entries.size(), key, WindowOf(key, m_shared), upper,
                [this](std::size_t i) { return m_entries[i].window; }, [this](std::size_t i) { return Key(i); });
        }
        // Adds a block holding keys at i.
        void Insert(std::size_t i, Block* block)
        {
            m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(i), Entry{0, block});
            Rewindow(i);
        }
        // Block i has a new first key.
        void FirstKeyChanged(std::size_t i) { Rewindow(i); }
        void Erase(std::size_t i)
        {
            m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(i));
            if (!m_entries.empty())
                Rewindow(0);
        }
        void Clear()
        {
            m_entries.clear();
            m_shared = 0;
        }

    private:
        struct Entry {
            uint64_t window;
            Block* block;
        };

        std::string_view Key(std::size_t i) const { return m_entries[i].block->Key(0); }

        // Key i is new: a new first or last key may change the shared prefix, and then every
        // window moves. Allocates nothing, so that erasing cannot fail.
        void Rewindow(std::size_t i)
        {
            const std::string_view first = Key(0);
            const std::size_t shared =
                m_entries.size() == 1 ? first.size() : CommonPrefix(first, Key(m_entries.size() - 1));
            if (shared == m_shared) {
                m_entries[i].window = WindowOf(Key(i), shared);
                return;
            }
            m_shared = shared;
            for (std::size_t k = 0; k < m_entries.size(); ++k)
                m_entries[k].window = WindowOf(Key(k), shared);
        }

        std::vector<Entry> m_entries;
        std::size_t m_shared = 0;  // how many bytes every first key shares
    };

    // Up to kMaxSlots keys in order. Every key starts with the block's first `shared` bytes, so a
    // search compares the windows behind them (eight key bytes from the shared prefix on, most
    // significant first), held in order in one array, and reads a key's bytes only when two
    // windows tie. Values are kept by rank too, so that the neighbours of a position are read
    // from the lines the search has just fetched. Where each key's bytes lie (Ref) stays where it
    // was added; `order` maps each rank to it. An insertion thus moves eighteen bytes per later
    // entry instead of a whole entry.
    struct Block {
        std::size_t Size() const { return count; }
        const Ref& RefAt(std::size_t rank) const { return refs[order[rank]]; }
        std::string_view Key(std::size_t rank) const
        {
            const Ref& ref = RefAt(rank);
            return std::string_view(bytes.data() + ref.offset, ref.length);
        }
        bool KeyIs(std::size_t rank, std::string_view key) const
        {
            return windows[rank] == WindowOf(key, shared) && RefAt(rank).length == key.size() && Key(rank) == key;
        }
        // Position of the first key above (upper) or not below (lower) key. The fences narrow the
        // search to one stretch of kStride entries before the windows themselves are read.
        std::size_t Bound(std::string_view key, bool upper) const
        {
            if (Size() == 0)
                return 0;
            if (const int side = AgainstPrefix(key, Prefix()))
                return side < 0 ? 0 : Size();
            const uint64_t window = WindowOf(key, shared);
            const std::size_t fence = Search(
                0, FenceCount(), key, window, upper, [this](std::size_t k) { return fences[k]; },
                [this](std::size_t k) { return Key(k * kStride); });
            const std::size_t low = fence == 0 ? 0 : (fence - 1) * kStride + 1;
            // Everything the rest of a search and an insertion read is fetched at once rather than
            // line after line: the stretch's windows; the values of [low - 1, low + kStride], as a
            // position's value and the one before it come next; where an insertion writes its
            // entry and its key; and the ranks it moves.
            PrefetchLines(&windows[low], kStride * sizeof windows[0]);
            PrefetchLines(&values[low == 0 ? 0 : low - 1], (kStride + 2) * sizeof values[0]);
            PrefetchLines(refs.data() + count);
            PrefetchLines(bytes.data() + bytes.size());
            PrefetchLines(&order[low], (count - low + 1) * sizeof order[0]);
            return Search(
                low, std::min(Size(), fence * kStride), key, window, upper,
                [this](std::size_t i) { return windows[i]; }, [this](std::size_t i) { return Key(i); });
        }
        std::string_view Prefix() const
        {
            return shared <= head.size() ? std::string_view(head.data(), shared) : Key(0).substr(0, shared);
        }
        std::size_t FenceCount() const { return (Size() + kStride - 1) / kStride; }
        // The windows from rank on have moved.
        void SetFences(std::size_t rank)
        {
            for (std::size_t k = (rank + kStride - 1) / kStride; k < FenceCount(); ++k)
                fences[k] = windows[k * kStride];
        }
        std::size_t UpperBound(std::string_view key) const { return Bound(key, true); }
        std::size_t LowerBound(std::string_view key) const { return Bound(key, false); }
        void InsertAt(std::size_t rank, std::string_view key, T* value)
        {
            const auto offset = static_cast<uint32_t>(bytes.size());
            bytes.insert(bytes.end(), key.begin(), key.end());
            refs[count] = Ref{offset, static_cast<uint32_t>(key.size())};
            std::copy_backward(order.begin() + rank, order.begin() + count, order.begin() + count + 1);
            std::copy_backward(windows.begin() + rank, windows.begin() + count, windows.begin() + count + 1);
            std::copy_backward(values.begin() + rank, values.begin() + count, values.begin() + count + 1);
            order[rank] = static_cast<uint16_t>(count);
            values[rank] = value;
            ++count;
            // A key in the middle shares the prefix of its neighbours; a new first or last key
            // may shorten it, and then every window moves.
            const bool atEdge = rank == 0 || rank == Size() - 1;
            std::size_t newShared = shared;
            if (Size() == 1)
                newShared = key.size();
            else if (atEdge)
                newShared = std::min(shared, CommonPrefix(Key(0), Key(Size() - 1)));
            if (newShared != shared || Size() == 1) {
                shared = newShared;
                const std::string_view prefix = key.substr(0, std::min(shared, head.size()));
                std::copy(prefix.begin(), prefix.end(), head.begin());
                for (std::size_t i = 0; i < Size(); ++i)
                    windows[i] = WindowOf(Key(i), shared);
                rank = 0;
            } else {
                windows[rank] = WindowOf(key, shared);
            }
            SetFences(rank);
        }
        // The entry's bytes stay behind until the block is packed anew.
        void EraseAt(std::size_t rank)
        {
            const uint16_t gone = order[rank];
            const auto last = static_cast<uint16_t>(count - 1);
            std::copy(order.begin() + rank + 1, order.begin() + count, order.begin() + rank);
            std::copy(windows.begin() + rank + 1, windows.begin() + count, windows.begin() + rank);
            std::copy(values.begin() + rank + 1, values.begin() + count, values.begin() + rank);
            --count;
            if (gone != last) {
                refs[gone] = refs[last];
                *std::find(order.begin(), order.begin() + count, last) = gone;
            }
            SetFences(rank);
        }
        std::size_t LiveBytes() const
        {
            std::size_t live = 0;
            for (std::size_t i = 0; i < count; ++i)
                live += refs[i].length;
            return live;
        }
        // A block holding only the ranks [from, to) of this one, its key bytes packed anew.
        Block Copy(std::size_t from, std::size_t to) const
        {
            Block copy;
            copy.bytes.reserve(bytes.size());
            for (std::size_t i = from; i < to; ++i)
                copy.InsertAt(copy.Size(), Key(i), values[i]);
            return copy;
        }

        // In the block itself, so that a block's bookkeeping lies on a page or two: a search of a
        // large index then meets few pages it has not met lately. What every search reads comes
        // first: the count, the shared prefix's length and first bytes, and every kStride-th window.
        std::size_t count = 0;
        std::size_t shared = 0;
        std::array<char, 24> head{};
        std::vector<char> bytes;
        std::array<uint64_t, kMaxSlots / kStride + 2> fences{};
        std::array<uint64_t, kMaxSlots> windows;  // by rank
        std::array<T*, kMaxSlots> values;         // by rank
        std::array<uint16_t, kMaxSlots> order;    // by rank: the index of its Ref
        std::array<Ref, kMaxSlots> refs;          // the first `count`, in the order they were added
    };

    // The block a key belongs in: the last one whose first key is below it (or, for inserting,
    // not above it), else the first.
    std::size_t BlockFor(std::string_view key, bool afterEqual) const
    {
        const std::size_t index = m_blocks.Bound(key, afterEqual);
        return index == 0 ? 0 : index - 1;
    }

    Pos Bound(std::string_view key, bool upper) const
    {
        if (m_blocks.empty())
            return End();
        const std::size_t block = BlockFor(key, upper);
        const Block& b = *m_blocks[block];
        PrefetchLines(&b, offsetof(Block, windows));
        const std::size_t slot = upper ? b.UpperBound(key) : b.LowerBound(key);
        return slot < b.Size() ? Pos{block, slot} : Pos{block + 1, 0};
    }

    // Blocks live in a pool of their own rather than among the records: a search then finds the
    // block's bookkeeping in a small, warm piece of memory.
    Block* NewBlock(Block content)
    {
        Block* block = nullptr;
        if (m_spare.empty()) {
            if (m_poolUsed % kPoolChunk == 0)
                m_pool.push_back(std::make_unique<std::array<Block, kPoolChunk>>());
            block = &(*m_pool.back())[m_poolUsed++ % kPoolChunk];
        } else {
            block = m_spare.back();
            m_spare.pop_back();
        }
        *block = std::move(content);
        return block;
    }

    // Splits pos's block into two halves and returns where pos lies now. Everything that allocates
    // comes before the first change.
    Pos Split(Pos pos)
    {
        Block& full = *m_blocks[pos.block];
        const std::size_t half = full.Size() / 2;
        Block low = full.Copy(0, half);
        Block* high = NewBlock(full.Copy(half, full.Size()));
        m_blocks.Insert(pos.block + 1, high);
        full = std::move(low);
        return pos.slot <= half ? pos : Pos{pos.block + 1, pos.slot - half};
    }

    BlockList m_blocks;
    // Every block, at a fixed address, kPoolChunk of them side by side.
    static constexpr std::size_t kPoolChunk = 16;
    std::vector<std::unique_ptr<std::array<Block, kPoolChunk>>> m_pool;
    std::size_t m_poolUsed = 0;
    std::vector<Block*> m_spare;   // emptied blocks of the pool
};
