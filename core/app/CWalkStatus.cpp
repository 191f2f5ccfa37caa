// The status-bar text of a running walk and its pace.
#include "app/CWalkStatus.h"

#include <algorithm>

#include "folderdata/CWalkProgress.h"
#include "services/CTextFormat.h"

namespace {

std::string Grouped(int64_t count)
{
    return CTextFormat::FormatGrouped(static_cast<uint64_t>(std::max<int64_t>(count, 0)));
}

}  // namespace

std::string CWalkStatus::Text(const CWalkProgress& progress)
{
    std::string text = Grouped(progress.m_nFolders) + " ﾌｫﾙﾀﾞ  " + Grouped(progress.m_nFiles);
    if (progress.m_nExpectedFiles > 0) {
        // Files added since the record was made may carry the count past it.
        const int64_t percent = std::min<int64_t>(progress.m_nFiles * 100 / progress.m_nExpectedFiles, 100);
        text += " / " + Grouped(progress.m_nExpectedFiles) + " ﾌｧｲﾙ (" + std::to_string(percent) + " %)";
    } else {
        text += " ﾌｧｲﾙ";
    }
    return text;
}

void CWalkStatus::Begin(Clock::time_point now)
{
    m_due = now + m_pace;
    m_bShown = false;
}

bool CWalkStatus::TakeTurn(Clock::time_point now)
{
    if (now < m_due)
        return false;
    m_due = now + m_pace;
    m_bShown = true;
    return true;
}

bool CWalkStatus::End()
{
    const bool bShown = m_bShown;
    m_bShown = false;
    return bShown;
}
