// FailingAllocation: lets a test make one of the test program's next allocations fail.
#pragma once

// The test program's operator new counts down from FailAfter(n) and throws std::bad_alloc on
// the allocation after n more have succeeded, once; Disarm stops the count. Not available under
// AddressSanitizer, whose allocator must see every allocation: tests check Available() and skip.
namespace FailingAllocation {

bool Available();
void FailAfter(int allocations);
void Disarm();
// Whether the allocation armed by FailAfter has failed since.
bool Failed();

}  // namespace FailingAllocation
