// CCompareTally: the counts of one compare for its summary: each letter, all letters, the objects asked about.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// A compare walk counts the verdict of every folder and file it asks the other windows about.
// Each window appends its own letters, so with three windows a file can count "N" twice: the
// letter counts and their total are counts of occurrences ("延べ数"), the objects the number of
// questions. The compare summary form (template 175) shows them.
class CCompareTally {
public:
    // The letters in the order of the form's lines.
    static constexpr std::array<char, 5> kLetters = {'N', 'S', 'U', 'D', 'F'};

    void Reset() { *this = CCompareTally(); }
    // One question and the letters all windows answered it with.
    void Count(const std::string& letters);
    uint64_t CountOf(char letter) const;
    // Every letter counted, however often.
    uint64_t Total() const;
    uint64_t Objects() const { return m_nObjects; }

private:
    std::array<uint64_t, kLetters.size()> m_counts{};
    uint64_t m_nObjects = 0;
};
