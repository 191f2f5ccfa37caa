// COnePointTips: the start-up tips, a cycle of ten usage hints shown one per start.
#pragma once

#include <string>

class CAppSettings;

// A table of 100 texts: the ten tips, the end marker "999" behind them and empty entries. Each
// start shows the tip after the one shown last time (kept in "One Point Number"); No pages on
// through the cycle, wrapping to the first tip at the end marker, and Yes or Cancel closes it.
// The tip on screen when the box closed is stored for the next start.
class COnePointTips {
public:
    static constexpr int kTableSize = 100;

    // The table entry at index; empty outside the table.
    static const std::string& GetTip(int index);
    // True where the cycle starts again with the first tip: the end marker, an entry with no
    // text (a damaged store can point behind the marker) and anything outside the table.
    static bool EndsCycle(int index);
    // The index of the tip to show after lastShown.
    static int NextIndex(int lastShown);
    // Shows the tips as described above and stores the last one; returns the last answer.
    static int Show(CAppSettings& settings);

private:
    static int ShowUntilAnswered(int& index);
};
