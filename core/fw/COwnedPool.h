// COwnedPool: objects owned in no particular order, each handed back by its address in constant time.
#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

// A pane keeps thousands of small records (tree nodes, list rows) whose addresses its control
// carries as item data; items come and go one by one or all at once. Add makes and keeps an
// object and returns its address, which stays valid until Release or Clear; Release takes the
// address and deletes the object (an address the pool does not hold is left alone). The last
// object takes the released one's slot, so a release costs the same however many there are.
template <class T>
class COwnedPool {
public:
    template <class... Args>
    T* Add(Args&&... args)
    {
        auto pObject = std::make_unique<T>(std::forward<Args>(args)...);
        T* pAdded = pObject.get();
        m_index.emplace(pAdded, m_objects.size());
        m_objects.push_back(std::move(pObject));
        return pAdded;
    }

    void Release(const T* pObject)
    {
        const auto found = m_index.find(pObject);
        if (found == m_index.end())
            return;
        const std::size_t slot = found->second;
        m_index.erase(found);
        if (slot + 1 != m_objects.size()) {
            m_objects[slot] = std::move(m_objects.back());
            m_index[m_objects[slot].get()] = slot;
        }
        m_objects.pop_back();
    }

    void Clear()
    {
        m_index.clear();
        m_objects.clear();
    }

    bool Holds(const T* pObject) const { return m_index.count(pObject) != 0; }
    std::size_t Size() const { return m_objects.size(); }

    // Calls visit with every object held, in no particular order; visit must not add or release.
    template <class Visit>
    void ForEach(Visit visit)
    {
        for (const std::unique_ptr<T>& pObject : m_objects)
            visit(*pObject);
    }

private:
    std::vector<std::unique_ptr<T>> m_objects;
    std::unordered_map<const T*, std::size_t> m_index;
};
