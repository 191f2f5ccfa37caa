// Comparing the folders of now with a saved "Dir Info".
#include "folderdata/CSnapshotCompare.h"

#include <algorithm>
#include <cstdlib>

#include "folderdata/CDirSzLst.h"
#include "text/Cp932.h"

namespace {

// The folder above key ("Z:\a" is above "Z:\a\b", "Z:\" above "Z:\a"); empty above a root.
std::string ParentOf(const std::string& key)
{
    const std::size_t slash = key.rfind('\\');
    if (slash == std::string::npos || slash + 1 == key.size())
        return std::string();
    return key.substr(0, slash == 2 && key[1] == ':' ? 3 : slash);
}

// The key in the common form, copied only when it is in the native form: a snapshot of a whole
// disk holds a million keys, and the compare runs through all of them.
const std::string& Common(const std::string& key, std::string& buffer)
{
    if (key.empty() || key.front() != '/')
        return key;
    buffer = CSnapshotCompare::CommonKey(key);
    return buffer;
}

}  // namespace

int64_t CSnapshotCompare::Change::SizeChange() const
{
    return static_cast<int64_t>(now.m_nSize) - static_cast<int64_t>(before.m_nSize);
}

std::string CSnapshotCompare::CommonKey(const std::string& key)
{
    if (key.empty() || key.front() != '/')
        return key;
    std::string windows = "Z:\\" + key.substr(1);
    std::replace(windows.begin() + 3, windows.end(), '/', '\\');
    while (windows.size() > 3 && windows.back() == '\\')
        windows.pop_back();
    return windows;
}

bool CSnapshotCompare::IsAtOrBelow(const std::string& key, const std::string& base)
{
    if (base.empty() || key == base)
        return true;
    if (key.size() <= base.size() || key.compare(0, base.size(), base) != 0)
        return false;
    return base.back() == '\\' || key[base.size()] == '\\';
}

bool CSnapshotCompare::HasAnyAtOrBelow(const CDirSzLst& list, const std::string& base)
{
    const std::string commonBase = CommonKey(base);
    std::string buffer;
    for (auto pos = list.GetHeadPosition(); pos;) {
        if (IsAtOrBelow(Common(list.GetNext(pos).m_strPath, buffer), commonBase))
            return true;
    }
    return false;
}

void CSnapshotCompare::Run(const CDirSzLst& now, const CDirSzLst& snapshot, const std::string& base,
                           const std::vector<std::string>& leftOut)
{
    *this = CSnapshotCompare();
    const std::string commonBase = CommonKey(base);
    std::string buffer;
    for (auto pos = now.GetHeadPosition(); pos;) {
        const CDirSzEntry& entry = now.GetNext(pos);
        const std::string& key = Common(entry.m_strPath, buffer);
        if (!IsAtOrBelow(key, commonBase))
            continue;
        if (!Cp932::IsRepresentable(key)) {
            ++m_nUnrecorded;
            continue;
        }
        const CDirSzLst::POSITION before = snapshot.FindEntry(key);
        if (!before && InsideReported(key, commonBase))
            continue;
        Change change{key, before ? Kind::kChanged : Kind::kNew, before ? "" : "N", entry.m_total, {}};
        if (before) {
            change.before = snapshot.GetTotalAt(before);
            CompareTotals(change.now, change.before, change.letters);
        }
        m_tally.Count(change.letters);
        if (!change.letters.empty())
            Add(std::move(change), commonBase);
    }
    for (auto pos = snapshot.GetHeadPosition(); pos;) {
        const CDirSzEntry& entry = snapshot.GetNext(pos);
        const std::string& key = Common(entry.m_strPath, buffer);
        if (!IsAtOrBelow(key, commonBase) || now.FindEntry(key) || InsideReported(key, commonBase) ||
            std::any_of(leftOut.begin(), leftOut.end(),
                        [&key](const std::string& folder) { return IsAtOrBelow(key, CommonKey(folder)); }))
            continue;
        ++m_nGone;
        Add(Change{key, Kind::kGone, "", {}, entry.m_total}, commonBase);
    }
    std::stable_sort(m_changes.begin(), m_changes.end(), [](const Change& a, const Change& b) {
        const uint64_t aSize = static_cast<uint64_t>(std::llabs(a.SizeChange()));
        const uint64_t bSize = static_cast<uint64_t>(std::llabs(b.SizeChange()));
        return aSize != bSize ? aSize > bSize : a.path < b.path;
    });
}

void CSnapshotCompare::Add(Change change, const std::string& base)
{
    if (change.kind != Kind::kChanged)
        m_reported.insert(change.path);
    if (change.kind != Kind::kGone)
        m_verdicts.emplace(change.path, change.letters);
    MarkUpTo(change.path, base);
    m_changes.push_back(std::move(change));
}

bool CSnapshotCompare::InsideReported(const std::string& key, const std::string& base) const
{
    if (m_reported.empty())
        return false;
    for (std::string folder = ParentOf(key); !folder.empty() && IsAtOrBelow(folder, base); folder = ParentOf(folder)) {
        if (m_reported.count(folder))
            return true;
    }
    return false;
}

void CSnapshotCompare::MarkUpTo(const std::string& key, const std::string& base)
{
    for (std::string folder = key; !folder.empty() && IsAtOrBelow(folder, base); folder = ParentOf(folder)) {
        if (!m_differing.insert(folder).second)
            return;
    }
}

std::vector<CSnapshotCompare::Change> CSnapshotCompare::Biggest(std::size_t count) const
{
    return std::vector<Change>(m_changes.begin(), m_changes.begin() + std::min(count, m_changes.size()));
}

std::string CSnapshotCompare::Verdict(const std::string& key) const
{
    const auto found = m_verdicts.find(CommonKey(key));
    return found == m_verdicts.end() ? std::string() : found->second;
}
