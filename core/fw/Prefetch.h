// Prefetch: asks the processor for memory the code is about to touch.
#pragma once

#include <cstddef>

// Asks for the cache lines of [at, at + size) at once. Code that would otherwise wait for
// scattered lines one after the other calls this as soon as it knows their addresses, and does
// other work while they arrive. A hint only: any address, null included, is harmless.
inline void PrefetchLines(const void* at, std::size_t size = 1)
{
    const char* line = static_cast<const char*>(at);
    for (std::size_t done = 0; done < size; done += 64)
        __builtin_prefetch(line + done, 1);
}
