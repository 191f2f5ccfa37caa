// Prefetch: asks the processor for memory the code is about to touch.
#pragma once

#include <cstddef>
#include <cstdint>

// Asks for the cache lines of [at, at + size) at once. Code that would otherwise wait for
// scattered lines one after the other calls this as soon as it knows their addresses, and does
// other work while they arrive. A hint only: any address, null included, is harmless.
inline void PrefetchLines(const void* at, std::size_t size = 1)
{
    constexpr std::uintptr_t kLine = 64;
    const auto first = reinterpret_cast<std::uintptr_t>(at) & ~(kLine - 1);
    const auto last = reinterpret_cast<std::uintptr_t>(at) + (size ? size - 1 : 0);
    for (std::uintptr_t line = first; line <= last; line += kLine)
        __builtin_prefetch(reinterpret_cast<const void*>(line), 1);
}
