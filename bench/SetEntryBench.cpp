// Times SetEntry with random keys; run at two list sizes, the ratio shows how insertion scales.
//
//   zq_setentry_bench N [list|map|alloc]
//
// prints the seconds N inserts take. Beside the folder list itself ("list") it measures two
// peers on the same keys: a std::map from the keys' code page 932 form to the same records
// ("map"), and merely allocating the records ("alloc"), which shows what memory alone costs
// as the working set outgrows the caches. Each size runs in a process of its own, so that one
// run's freed memory does not shape the next one's allocations.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/CAppCore.h"
#include "folderdata/CDirSzLst.h"
#include "text/Cp932.h"

namespace {

std::vector<std::string> RandomKeys(int count)
{
    std::mt19937_64 random(12345);
    std::vector<std::string> keys;
    keys.reserve(count);
    for (int i = 0; i < count; ++i)
        keys.push_back("C:\\bench\\" + std::to_string(random() % 1000000000000ull) + "\\フォルダ");
    return keys;
}

template <class Insert>
double SecondsFor(const std::vector<std::string>& keys, Insert insert)
{
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& key : keys)
        insert(key);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const std::vector<std::string> keys = RandomKeys(std::atoi(argv[1]));
    const std::string mode = argc > 2 ? argv[2] : "list";
    CAppCore app;
    CSizeInfo totals;
    double seconds = 0;
    if (mode == "list") {
        CDirSzLst list;
        seconds = SecondsFor(keys, [&](const std::string& key) { list.SetEntry(key, totals, totals); });
    } else if (mode == "map") {
        std::map<std::string, std::unique_ptr<CDirSzEntry>> map;
        seconds = SecondsFor(keys, [&](const std::string& key) {
            map.emplace(Cp932::FromUtf8(key), std::make_unique<CDirSzEntry>(key, totals, totals));
        });
    } else {
        std::vector<std::unique_ptr<CDirSzEntry>> records;
        seconds = SecondsFor(keys, [&](const std::string& key) {
            records.push_back(std::make_unique<CDirSzEntry>(key, totals, totals));
        });
    }
    std::printf("%.3f\n", seconds);
    return 0;
}
