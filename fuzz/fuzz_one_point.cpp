// Fuzz target: the start-up tip file "One Point Number" and the choice of the next tip.
#include "FuzzSupport.h"
#include "app/COnePointState.h"
#include "app/COnePointTips.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    COnePointState state;
    LoadInput(data, size, state);
    Require(state.m_nIndex >= -1 && state.m_nIndex <= COnePointState::kLastIndex, "stored tip index");
    const int next = COnePointTips::NextIndex(state.m_nIndex);
    Require(next >= 0 && next <= 9 && !COnePointTips::EndsCycle(next), "next tip");
    return 0;
}
