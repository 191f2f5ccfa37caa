// CWalkSink: what a walk and the drive services ask of the program that runs them.
#pragma once

#include <cstdint>

struct CWalkProgress;

// The application object implements it: it keeps the windows alive while a walk runs, shows how
// far the walk has come and keeps the last system error for the title of the file list. Tools
// and tests implement it with a plain pump. The walk calls PumpMessages once before every folder.
class CWalkSink {
public:
    virtual ~CWalkSink() = default;
    // Lets waiting window messages through; a handler run there may clear the stop flag.
    virtual bool PumpMessages() = 0;
    // The error code of the last listing or free-space query, 0 after a success.
    virtual void RememberLastError(uint32_t code) = 0;

    // progress: between Begin and End (one walk, or all the walks of one command), before every
    // folder, what the walk has counted so far
    virtual void BeginWalkProgress() {}
    virtual void ShowWalkProgress(const CWalkProgress& /*progress*/) {}
    virtual void EndWalkProgress() {}
};
