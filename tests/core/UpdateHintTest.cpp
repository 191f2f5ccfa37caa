// Update hints: a copy or an assignment never carries the linkage answer flag along.
#include <gtest/gtest.h>

#include "folderdata/CUpdateHint.h"

TEST(UpdateHint, CopiesCarryEverythingButTheAnswerFlagAndResetRestoresThePresets)
{
    CUpdateHint original;
    original.m_strPath = "C:\\new";
    original.m_info.m_nFiles = 7;
    original.m_nParam2 = 0;  // answered
    const CUpdateHint copy(original);
    EXPECT_EQ(copy.m_strPath, "C:\\new");
    EXPECT_EQ(copy.m_info, original.m_info);
    EXPECT_EQ(copy.m_nParam2, 1);  // a copy starts unanswered

    CUpdateHint assigned;
    assigned.m_nParam2 = 5;
    assigned = original;
    EXPECT_EQ(assigned.m_strPath, "C:\\new");
    EXPECT_EQ(assigned.m_nParam2, 5);  // an assignment keeps the target's flag

    assigned.Reset();
    EXPECT_TRUE(assigned.m_strPath.empty());
    EXPECT_EQ(assigned.m_info, CSizeInfo());
    EXPECT_EQ(assigned.m_nParam2, 1);
}
