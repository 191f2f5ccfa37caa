// The direction rule of the tree's and the list's sorts.
#include "services/CSortDirection.h"

void CSortDirection::Choose(int32_t key, int32_t& direction)
{
    if (!m_bLastKeySet) {
        m_bLastKeySet = true;
        m_nLastKey = key;
    }
    if (key == m_nLastKey) {
        direction = direction ? 0 : 1;
        return;
    }
    direction = 1;
    m_nLastKey = key;
}
