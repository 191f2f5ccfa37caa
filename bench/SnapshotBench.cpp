// Times a compare with a saved "Dir Info" of 1,000,000 records against the walk of the same folder alone.
//
//   zq_snapshot_bench FOLDER [ROUNDS] [RECORDS]
//
// The snapshot is the folder's own walk, written to a Dir Info file together with records of
// other places (as a snapshot of a whole disk holds them) up to RECORDS (default 1,000,000) and
// read back. Then, by turns, ROUNDS times each: the walk of the folder into an empty list alone,
// and the same walk followed by the compare with the snapshot (one lookup a folder, one pass
// through the snapshot for the folders gone). Prints the median and spread of each, the ratio of
// the medians and the median of the rounds' ratios (goal: at most 1.2), and how long reading the
// file took. Not a test: it only prints. The machine is shared, so read the spread.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchSpread.h"
#include "CPlatform.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirInfoFile.h"
#include "folderdata/CDirSzLst.h"
#include "folderdata/CSnapshotCompare.h"
#include "fw/CArchive.h"
#include "fw/CFile.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A walk of its own into list, as the program's compare walks: every folder afresh.
bool Walk(CAppCore& app, const std::string& key, CDirSzLst& list)
{
    CFolderWalk walk(app.m_settings.m_keys, app.m_settings.m_bWalkRunning);
    walk.Attach(list, app);
    CSizeInfo total;
    CSizeInfo direct;
    return walk.AggregateFolder(key, total, direct, nullptr, true, false);
}

bool WriteSnapshot(CAppCore& app, const std::string& key, int records, const std::string& file)
{
    CDirSzLst list;
    if (!Walk(app, key, list))
        return false;
    CSizeInfo padding;
    padding.m_nSize = 4096;
    for (int i = 0; list.GetCount() < records; ++i)
        list.SetEntry("Z:\\elsewhere\\" + std::to_string(i / 1000) + "\\" + std::to_string(i % 1000), padding, padding);
    CFile out;
    if (!out.Open(file, CFile::modeCreate | CFile::modeWrite))
        return false;
    CArchive ar(out, CArchive::store);
    list.Serialize(ar);
    ar.Close();
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    CAppCore app;
    const std::string key = GetPlatform().WindowsPathOf(std::filesystem::absolute(argv[1]));
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    const int records = argc > 3 ? std::atoi(argv[3]) : 1000000;
    const std::string file = key + ".snapshot-bench";
    if (!WriteSnapshot(app, key, records, file))
        return 1;
    CDirSzLst snapshot;
    const Clock::time_point readStart = Clock::now();
    const CDirInfoFile::Shape shape = CDirInfoFile::Read(file, snapshot);
    const double readSeconds = SecondsSince(readStart);
    std::filesystem::remove(GetPlatform().NativePath(file));
    if (!CDirInfoFile::IsSound(shape))
        return 1;
    std::vector<double> walkAlone, withCompare, compareOnly, ratios;
    std::size_t changes = 0;
    for (int round = 0; round < rounds; ++round) {
        for (const bool bCompare : {round % 2 == 0, round % 2 != 0}) {
            CDirSzLst now;
            const Clock::time_point start = Clock::now();
            Walk(app, key, now);
            if (bCompare) {
                const Clock::time_point compareStart = Clock::now();
                CSnapshotCompare compare;
                compare.Run(now, snapshot, key);
                changes = compare.Changes().size();
                compareOnly.push_back(SecondsSince(compareStart));
            }
            (bCompare ? withCompare : walkAlone).push_back(SecondsSince(start));
        }
        ratios.push_back(withCompare.back() / walkAlone.back());
    }
    const Spread alone = SpreadOf(walkAlone);
    const Spread compared = SpreadOf(withCompare);
    std::printf("snapshot of %d records read in %.3f s\n", snapshot.GetCount(), readSeconds);
    std::printf("walk alone           %s s\n", Format(alone).c_str());
    std::printf("walk + compare       %s s (%zu changes)\n", Format(compared).c_str(), changes);
    std::printf("  of it the compare  %s s\n", Format(SpreadOf(compareOnly)).c_str());
    std::printf("ratio of medians     %.3f; rounds' ratios %s (goal <= 1.2)\n", compared.median / alone.median,
                Format(SpreadOf(ratios)).c_str());
    return 0;
}
