// The compare walk of the folder tree.
#include "treepane/CCompareWalk.h"

#include "CPlatform.h"
#include "folderdata/CCompareVerdict.h"
#include "folderdata/CFolderKeys.h"
#include "folderdata/CFolderWalk.h"
#include "fw/CFileFind.h"

struct CCompareWalk::Level {
    std::string path;
    std::string letters;
    bool bAllSame = true;
    // the listing has an entry not yet handled
    bool bMore = false;
    CFileFind finder;
};

CCompareWalk::CCompareWalk(CFolderWalk& walk, Asker& asker) : m_walk(walk), m_asker(asker) {}

CCompareWalk::~CCompareWalk() = default;

CCompareWalk::Result CCompareWalk::Run(const std::string& path)
{
    m_open.clear();
    m_open.reserve(64);
    if (const Result entered = Enter(path); entered != kSame)
        return entered;
    for (;;) {
        Level& level = m_open.back();
        if (!level.bMore) {
            const Result result = Leave();
            if (m_open.empty())
                return result;
            if (result == kDifferent)
                m_open.back().bAllSame = false;
            continue;
        }
        level.bMore = level.finder.FindNextFile();
        if (level.finder.IsDots())
            continue;
        if (!m_walk.PumpAndCheckStop()) {
            m_open.clear();
            return kStopped;
        }
        // The level may move when a sub-folder is pushed: take what it needs first.
        Level& current = m_open.back();
        const std::string entryPath = CFolderKeys::JoinPath(current.path, current.finder.GetFileName());
        if (!current.finder.IsDirectory()) {
            const CSizeInfo info =
                CCompareVerdict::FileTotals(current.finder.GetLength(), current.finder.GetLastWriteTime());
            if (!m_asker.CompareFile(entryPath, info))
                current.bAllSame = false;
            continue;
        }
        const std::size_t depth = m_open.size();
        const Result entered = Enter(entryPath);
        if (entered == kStopped) {
            m_open.clear();
            return kStopped;
        }
        if (entered == kDifferent)
            m_open[depth - 1].bAllSame = false;
    }
}

CCompareWalk::Result CCompareWalk::Enter(const std::string& path)
{
    std::string letters;
    const bool bSame = m_asker.CompareFolder(path, letters);
    if (!bSame && CCompareVerdict::HasMissing(letters)) {
        m_asker.MarkDifferent(path, letters);
        return kDifferent;
    }
    Level& level = m_open.emplace_back();
    level.path = path;
    level.letters = std::move(letters);
    level.bAllSame = bSame;
    // A folder with no entry at all (an empty drive) lists nothing and is no failure.
    level.bMore = m_walk.FindFileRetry(level.finder, path);
    if (!level.bMore && level.finder.GetLastError() != kErrorFileNotFound) {
        m_open.pop_back();
        return kStopped;
    }
    return kSame;
}

CCompareWalk::Result CCompareWalk::Leave()
{
    Level& level = m_open.back();
    level.finder.Close();
    const std::string path = std::move(level.path);
    const std::string letters = std::move(level.letters);
    const bool bAllSame = level.bAllSame;
    m_open.pop_back();
    if (bAllSame) {
        m_asker.MarkSame(path);
        return kSame;
    }
    m_asker.MarkDifferent(path, letters);
    return kDifferent;
}
