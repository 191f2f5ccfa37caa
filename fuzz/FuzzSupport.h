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
        ++m_nBoxes;
        return (style & 0x0F) == kMbOk ? kIdOk : kIdCancel;
    }
    [[noreturn]] void QuitProcess(int exitCode) override
    {
        std::fprintf(stderr, "reader tried to end the process with %d\n", exitCode);
        std::abort();
    }

    long m_nBoxes = 0;
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

// The fuzz input as a stream that one or more archives read from, one after another.
inline std::stringstream InputStream(const uint8_t* data, std::size_t size)
{
    return std::stringstream(std::string(reinterpret_cast<const char*>(data), size));
}

// Loads one record from the stream with a fresh archive, as SerializeOnFile does on a file.
template <class Record>
void LoadRecord(std::stringstream& stream, Record& record)
{
    CArchive ar(stream, CArchive::load);
    record.Serialize(ar);
}
