// CWalkStatus: the status-bar text of a running walk and the pace at which it changes.
#pragma once

#include <chrono>
#include <string>

struct CWalkProgress;

// A walk reports how far it has come before every folder, thousands of times a second; the status
// bar takes a new text only a few times a second, and the first only once the walk (or the
// command running several) has lasted one pace, so that the many short walks that follow file
// changes never touch it. Text is what it shows: the folders and files counted so far and, when
// the walked folder had a stored record, how far the files are against it.
class CWalkStatus {
public:
    using Clock = std::chrono::steady_clock;

    // "1,234 ﾌｫﾙﾀﾞ  12,345 / 147,240 ﾌｧｲﾙ (8 %)"; without a record (or one of no files) the count
    // of files alone.
    static std::string Text(const CWalkProgress& progress);

    // pace
    // A walk or command begins: the first text falls due one pace from now.
    void Begin(Clock::time_point now);
    // True when a new text is due now; the next one is then due one pace later.
    bool TakeTurn(Clock::time_point now);
    // The walk or command has ended: true when a text was shown since Begin, which the status bar
    // then replaces with its idle text.
    bool End();

    // how long the status bar keeps one text
    Clock::duration m_pace = std::chrono::milliseconds(250);

private:
    Clock::time_point m_due;
    bool m_bShown = false;
};
