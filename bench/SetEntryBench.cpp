// Times SetEntry with random keys; run at two list sizes, the ratio shows how insertion scales.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "app/CAppCore.h"

namespace {

double SecondsForInserts(int count)
{
    std::mt19937_64 random(12345);
    std::vector<std::string> keys;
    keys.reserve(count);
    for (int i = 0; i < count; ++i)
        keys.push_back("C:\\bench\\" + std::to_string(random() % 1000000000000ull) + "\\フォルダ");
    CDirSzLst list;
    CSizeInfo totals;
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& key : keys)
        list.SetEntry(key, totals, totals);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

// zq_setentry_bench N: prints the seconds N inserts take. Each size runs in a process of its own,
// so that one run's freed memory does not shape the next one's allocations.
int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    CAppCore app;
    std::printf("%.3f\n", SecondsForInserts(std::atoi(argv[1])));
    return 0;
}
