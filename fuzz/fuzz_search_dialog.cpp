// Fuzz target: the search dialog file "Dilog Find" (one rectangle).
#include "FuzzSupport.h"
#include "app/CSearchDialogRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    CSearchDialogRecord record;
    LoadInput(data, size, record);
    Require(!record.HasRect() || (record.m_rcNormal.IsPlausible() && !record.m_rcNormal.IsEmpty()), "dialog rectangle");
    Require(record.HasRect() || record.m_rcNormal == CStoreRect(), "rectangle left as it was");
    return 0;
}
