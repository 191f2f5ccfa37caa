// CBlockIndex: an ordered multimap from byte-string keys to pointers, stored in blocks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Keeps up to a few hundred keys per block, their bytes packed in one buffer of the block, and
// the blocks in key order with each block's first key beside it. A search is a binary search
// over the first keys and then inside one block, so it touches a few compact pieces of memory
// instead of a pointer chain through scattered nodes; with a million keys that is several times
// fewer cache misses than a node-based tree. Insertion moves at most one block's slots, and a
// full block splits in two.
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
    T* ValueAt(Pos pos) const { return m_blocks[pos.block]->slots[pos.slot].value; }

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
            m_blocks.push_back(std::make_unique<Block>());
            m_firstKeys.emplace_back(key);
        }
        // The start of a later block is the end of the one before: its first key stays.
        if (pos.slot == 0 && pos.block > 0)
            pos = Pos{pos.block - 1, m_blocks[pos.block - 1]->Size()};
        Block& b = *m_blocks[pos.block];
        b.InsertAt(pos.slot, key, value);
        if (pos.slot == 0)
            m_firstKeys[pos.block] = std::string(key);
        if (b.Size() > kMaxSlots)
            Split(pos.block);
    }

    // Removes the entry with this key and value; false when there is none.
    bool Erase(std::string_view key, const T* value)
    {
        for (Pos pos = LowerBound(key); pos != End() && KeyAt(pos) == key; pos = Next(pos)) {
            if (ValueAt(pos) == value) {
                EraseAt(pos);
                return true;
            }
        }
        return false;
    }

    void Clear()
    {
        m_blocks.clear();
        m_firstKeys.clear();
    }

private:
    static constexpr std::size_t kMaxSlots = 256;

    struct Slot {
        uint64_t window;  // eight key bytes from the block's shared prefix on, most significant first
        uint32_t offset;
        uint32_t length;
        T* value;
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

    // Up to kMaxSlots keys in order. Every key starts with the block's first `shared` bytes, so a
    // search compares the windows behind them, held in the slots, and reads a key's bytes only
    // when two windows tie: most of a search stays inside the compact slot array.
    struct Block {
        std::size_t Size() const { return slots.size(); }
        std::string_view Key(std::size_t slot) const
        {
            return std::string_view(bytes.data() + slots[slot].offset, slots[slot].length);
        }
        // -1, 0 or 1 as key is below, equal to or above the key of slot s.
        int CompareTo(std::string_view key, uint64_t window, const Slot& s) const
        {
            if (window != s.window)
                return window < s.window ? -1 : 1;
            const int order = key.compare(std::string_view(bytes.data() + s.offset, s.length));
            return (order > 0) - (order < 0);
        }
        // Position of the first key above (upper) or not below (lower) key.
        std::size_t Bound(std::string_view key, bool upper) const
        {
            if (slots.empty())
                return 0;
            if (key.size() < shared || key.compare(0, shared, Key(0).substr(0, shared)) != 0)
                return key < Key(0) ? 0 : slots.size();  // outside the shared prefix: before or after all
            const uint64_t window = WindowOf(key, shared);
            std::size_t low = 0, high = slots.size();
            while (low < high) {
                const std::size_t mid = (low + high) / 2;
                const int order = CompareTo(key, window, slots[mid]);
                if (order > 0 || (upper && order == 0))
                    low = mid + 1;
                else
                    high = mid;
            }
            return low;
        }
        std::size_t UpperBound(std::string_view key) const { return Bound(key, true); }
        std::size_t LowerBound(std::string_view key) const { return Bound(key, false); }
        void InsertAt(std::size_t slot, std::string_view key, T* value)
        {
            const auto offset = static_cast<uint32_t>(bytes.size());
            bytes.insert(bytes.end(), key.begin(), key.end());
            slots.insert(slots.begin() + static_cast<std::ptrdiff_t>(slot),
                         Slot{0, offset, static_cast<uint32_t>(key.size()), value});
            // A key in the middle shares the prefix of its neighbours; a new first or last key
            // may shorten it, and then every window moves.
            const std::size_t newShared =
                slots.size() == 1 ? key.size() : std::min(shared, CommonPrefix(Key(0), Key(slots.size() - 1)));
            if (newShared != shared || slots.size() == 1) {
                shared = newShared;
                for (Slot& s : slots)
                    s.window = WindowOf(std::string_view(bytes.data() + s.offset, s.length), shared);
            } else {
                slots[slot].window = WindowOf(key, shared);
            }
        }
        // A block holding only the slots [from, to) of this one, its key bytes packed anew.
        std::unique_ptr<Block> Copy(std::size_t from, std::size_t to) const
        {
            auto copy = std::make_unique<Block>();
            copy->slots.reserve(to - from);
            copy->bytes.reserve(bytes.size());
            for (std::size_t i = from; i < to; ++i)
                copy->InsertAt(copy->Size(), Key(i), slots[i].value);
            return copy;
        }

        std::vector<char> bytes;
        std::vector<Slot> slots;
        std::size_t shared = 0;
    };

    // The block a key belongs in: the last one whose first key is below it (or, for inserting,
    // not above it), else the first.
    std::size_t BlockFor(std::string_view key, bool afterEqual) const
    {
        auto it = afterEqual ? std::upper_bound(m_firstKeys.begin(), m_firstKeys.end(), key,
                                                [](std::string_view k, const std::string& f) { return k < std::string_view(f); })
                             : std::lower_bound(m_firstKeys.begin(), m_firstKeys.end(), key,
                                                [](const std::string& f, std::string_view k) { return std::string_view(f) < k; });
        const auto index = static_cast<std::size_t>(it - m_firstKeys.begin());
        return index == 0 ? 0 : index - 1;
    }

    Pos Bound(std::string_view key, bool upper) const
    {
        if (m_blocks.empty())
            return End();
        const std::size_t block = BlockFor(key, upper);
        const Block& b = *m_blocks[block];
        const std::size_t slot = upper ? b.UpperBound(key) : b.LowerBound(key);
        return slot < b.Size() ? Pos{block, slot} : Pos{block + 1, 0};
    }

    void Split(std::size_t block)
    {
        const Block& full = *m_blocks[block];
        const std::size_t half = full.Size() / 2;
        auto low = full.Copy(0, half);
        auto high = full.Copy(half, full.Size());
        const std::string highFirst(high->Key(0));
        m_blocks[block] = std::move(low);
        m_blocks.insert(m_blocks.begin() + static_cast<std::ptrdiff_t>(block) + 1, std::move(high));
        m_firstKeys.insert(m_firstKeys.begin() + static_cast<std::ptrdiff_t>(block) + 1, highFirst);
    }

    void EraseAt(Pos pos)
    {
        Block& b = *m_blocks[pos.block];
        b.slots.erase(b.slots.begin() + static_cast<std::ptrdiff_t>(pos.slot));
        if (b.slots.empty()) {
            m_blocks.erase(m_blocks.begin() + static_cast<std::ptrdiff_t>(pos.block));
            m_firstKeys.erase(m_firstKeys.begin() + static_cast<std::ptrdiff_t>(pos.block));
            return;
        }
        if (pos.slot == 0)
            m_firstKeys[pos.block] = std::string(b.Key(0));
        // Erased keys leave their bytes behind; repack once they outweigh the live ones.
        std::size_t live = 0;
        for (const Slot& s : b.slots)
            live += s.length;
        if (b.bytes.size() > 2 * live + 1024)
            m_blocks[pos.block] = b.Copy(0, b.Size());
    }

    std::vector<std::unique_ptr<Block>> m_blocks;
    std::vector<std::string> m_firstKeys;
};
