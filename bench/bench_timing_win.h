// Timing helpers of the benchmarks that run under Wine: a millisecond clock, the median of
// runs, and a line of report.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

// Milliseconds from the performance counter.
inline double Now() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::size_t middle = times.size() / 2;
    return times.size() % 2 != 0 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

// "what  median M ms  ( each run )", the times with `decimals` decimals.
inline void Report(const char* what, const std::vector<double>& times, int decimals) {
    std::printf("%-36s median %9.*f ms   (", what, decimals, Median(times));
    for (double t : times) {
        std::printf(" %.*f", decimals, t);
    }
    std::printf(" )\n");
}
