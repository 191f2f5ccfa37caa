// BenchSpread: the median and spread of a benchmark's timed turns, and how they are printed.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

// The median and the lowest and highest of a set of turns (at least one), as the benchmarks
// report every figure they measure by turns.
struct Spread {
    double median = 0;
    double low = 0;
    double high = 0;
};

inline Spread SpreadOf(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    return Spread{median, samples.front(), samples.back()};
}

// "median [low-high]" with three decimals.
inline std::string Format(const Spread& spread)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.3f [%.3f-%.3f]", spread.median, spread.low, spread.high);
    return text;
}
