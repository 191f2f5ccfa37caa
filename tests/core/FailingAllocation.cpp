// The test program's operator new, able to fail on request.
#include "FailingAllocation.h"

#include <cstdlib>
#include <new>

namespace {

int g_allocationsBeforeFailure = -1;  // -1: none fails
bool g_failed = false;

}  // namespace

namespace FailingAllocation {

bool Available()
{
#if defined(__SANITIZE_ADDRESS__) || defined(ZQ_SANITIZE)
    return false;
#else
    return true;
#endif
}

void FailAfter(int allocations)
{
    g_allocationsBeforeFailure = allocations;
    g_failed = false;
}

void Disarm() { g_allocationsBeforeFailure = -1; }

bool Failed() { return g_failed; }

}  // namespace FailingAllocation

#if !defined(__SANITIZE_ADDRESS__) && !defined(ZQ_SANITIZE)
void* operator new(std::size_t size)
{
    if (g_allocationsBeforeFailure == 0) {
        g_allocationsBeforeFailure = -1;
        g_failed = true;
        throw std::bad_alloc();
    }
    if (g_allocationsBeforeFailure > 0)
        --g_allocationsBeforeFailure;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

// The compiler takes any operator new for its own and warns when free() meets its memory.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
#pragma GCC diagnostic pop
#endif
