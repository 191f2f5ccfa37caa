// Update hints: presets, and copies that leave the linkage answer with the object answered.
#include <gtest/gtest.h>

#include "folderdata/CUpdateHint.h"

TEST(UpdateHint, CopiesCarryEverythingButTheAnswerFlagAndResetRestoresThePresets)
{
    CUpdateHint original;
    original.m_strOldPath = "C:\\old";
    original.m_strPath = "C:\\new";
    original.m_nCode = 3;
    original.m_info.m_nSize = 12345;
    original.m_info.m_nFiles = 7;
    original.m_nParam1 = 9;
    original.m_nParam2 = 0;
    const CUpdateHint copy(original);
    EXPECT_EQ(copy.m_strOldPath, "C:\\old");
    EXPECT_EQ(copy.m_strPath, "C:\\new");
    EXPECT_EQ(copy.m_nCode, 3);
    EXPECT_EQ(copy.m_info, original.m_info);
    EXPECT_EQ(copy.m_nParam1, 9);
    EXPECT_EQ(copy.m_nParam2, 1);

    CUpdateHint assigned;
    assigned.m_nParam2 = 5;
    assigned = original;
    EXPECT_EQ(assigned.m_strPath, "C:\\new");
    EXPECT_EQ(assigned.m_nParam2, 5);

    assigned.Reset();
    EXPECT_TRUE(assigned.m_strOldPath.empty() && assigned.m_strPath.empty());
    EXPECT_EQ(assigned.m_nCode, 0);
    EXPECT_EQ(assigned.m_info, CSizeInfo());
    EXPECT_EQ(assigned.m_nParam1, 0);
    EXPECT_EQ(assigned.m_nParam2, 1);
}
