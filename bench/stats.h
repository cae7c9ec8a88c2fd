#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// How many rounds a figure is measured over: `usual`, or BENCH_ROUNDS when set (the quick
// run of scripts/bench.sh, which shows that everything runs rather than what it measures).
inline int rounds(int usual)
{
    const char* set = std::getenv("BENCH_ROUNDS");
    const int asked = set != nullptr ? std::atoi(set) : 0;
    return asked > 0 ? asked : usual;
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The mean without the lowest and highest tenth: one run can be a third slower than the
// next for reasons outside the program (the X server, Wine's start of a process).
inline double trimmedMean(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t cut = values.size() / 10;
    double sum = 0;
    for (std::size_t i = cut; i < values.size() - cut; ++i) {
        sum += values[i];
    }
    return sum / static_cast<double>(values.size() - 2 * cut);
}

// One row of the benchmark table.
inline void printRow(const std::string& figure, const std::string& value, const std::string& target)
{
    std::printf("| %s | %s | %s |\n", figure.c_str(), value.c_str(), target.c_str());
    std::fflush(stdout);
}

inline std::string format(const char* pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}
