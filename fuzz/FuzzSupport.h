// FuzzSupport: what every fuzz target of the store readers shares.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "CPlatformDecorator.h"
#include "fw/CArchive.h"

// Readers may show a message about a damaged file; a fuzzer has nobody to answer it, so every
// box is answered at once (OK, or Cancel where offered) without printing. A reader that tries to
// end the process is a finding.
class SilentPlatform : public CPlatformDecorator {
public:
    int ShowMessageBox(const std::string&, unsigned style) override
    {
        return (style & 0x0F) == kMbOk ? kIdOk : kIdCancel;
    }
    [[noreturn]] void QuitProcess(int exitCode) override
    {
        std::fprintf(stderr, "reader tried to end the process with %d\n", exitCode);
        std::abort();
    }
};

// Installs the silent platform once for the whole fuzzing process.
inline SilentPlatform& InstallSilentPlatform()
{
    static SilentPlatform platform;
    return platform;
}

// Stops the fuzzer with a finding when a reader left a value the program must never see.
inline void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// Loads one record from the fuzz input with the silent platform installed, as a store file is read.
template <class Record>
void LoadInput(const uint8_t* data, std::size_t size, Record& record)
{
    InstallSilentPlatform();
    std::stringstream stream(std::string(reinterpret_cast<const char*>(data), size));
    CArchive ar(stream, CArchive::load);
    record.Serialize(ar);
}
