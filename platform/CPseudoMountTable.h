// CPseudoMountTable: the pseudo file systems of the host, read from its mount table when it is needed.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "CPseudoMounts.h"

// A platform holds one, given the way it reads the table. The tree totals a level folder by
// folder, each a walk of its own, so the table is read again only when a walk begins and the last
// reading is a few seconds old; a question before any walk reads it once.
class CPseudoMountTable {
public:
    using Reader = std::function<CPseudoMounts()>;

    explicit CPseudoMountTable(Reader read) : m_read(std::move(read)) {}

    // At the start of an outermost walk.
    void RefreshIfOld()
    {
        const auto now = std::chrono::steady_clock::now();
        if (m_mounts && now - m_readAt < kLife)
            return;
        m_mounts = m_read();
        m_readAt = now;
    }
    bool Contains(const std::string& key)
    {
        if (!m_mounts)
            RefreshIfOld();
        return m_mounts->Contains(key);
    }

    static constexpr std::chrono::seconds kLife{5};

private:
    Reader m_read;
    std::optional<CPseudoMounts> m_mounts;
    std::chrono::steady_clock::time_point m_readAt;
};
