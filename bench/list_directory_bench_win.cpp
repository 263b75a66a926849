// Times FileList::Rescan on one directory pattern: a fresh list (blocks grown from the
// program's initial sizes) and a list listed again (blocks already grown), several runs each,
// beside one bare FindFirstFileA/FindNextFileA pass in the same run, and reports the median of
// the runs' ratios to that pass. Usage: list_directory_bench PATTERN [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/bench_timing_win.h"
#include "browser/file_list.h"
#include "browser/system_directories.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PATTERN [RUNS]\n", argv[0]);
        return 2;
    }
    const char* pattern = argv[1];
    int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    if (runs < 1) {
        runs = 1;
    }
    SystemDirectories system;
    std::vector<double> bare;
    std::vector<double> fresh;
    std::vector<double> again;
    std::vector<double> freshRatios;
    std::vector<double> againRatios;
    int count = 0;
    for (int run = 0; run < runs; ++run) {
        double start = Now();
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(pattern, &data);
        if (find != INVALID_HANDLE_VALUE) {
            while (FindNextFileA(find, &data)) {
            }
            FindClose(find);
        }
        bare.push_back(Now() - start);

        FileList list(system);
        if (!list.Init(1000, 500, 32000, 16000, pattern)) {
            std::fprintf(stderr, "cannot set up the list\n");
            return 1;
        }
        start = Now();
        list.Rescan();
        fresh.push_back(Now() - start);
        start = Now();
        list.Rescan();
        again.push_back(Now() - start);
        freshRatios.push_back(fresh.back() / bare.back());
        againRatios.push_back(again.back() / bare.back());
        count = list.Count();
    }
    std::printf("%s: %d rows, %d runs\n", pattern, count, runs);
    Report("one FindFirstFileA/FindNextFileA pass", bare, 1);
    Report("Rescan, fresh list", fresh, 1);
    Report("Rescan, listed again", again, 1);
    std::printf(
        "ratio to the bare pass, median of the runs: fresh %.2f, listed again %.2f "
        "(goal: at most 1.2)\n",
        Median(freshRatios), Median(againRatios));
    return 0;
}
