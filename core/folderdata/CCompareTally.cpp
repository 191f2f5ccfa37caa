// Counting the verdicts of a compare.
#include "folderdata/CCompareTally.h"

#include <algorithm>
#include <numeric>

void CCompareTally::Count(const std::string& letters)
{
    ++m_nObjects;
    for (const char letter : letters) {
        const auto found = std::find(kLetters.begin(), kLetters.end(), letter);
        if (found != kLetters.end())
            ++m_counts[static_cast<std::size_t>(found - kLetters.begin())];
    }
}

uint64_t CCompareTally::CountOf(char letter) const
{
    const auto found = std::find(kLetters.begin(), kLetters.end(), letter);
    return found == kLetters.end() ? 0 : m_counts[static_cast<std::size_t>(found - kLetters.begin())];
}

uint64_t CCompareTally::Total() const
{
    return std::accumulate(m_counts.begin(), m_counts.end(), uint64_t{0});
}
