#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

/// Milliseconds of \a runs calls of \a work, sorted.
inline std::vector<double> TimeRuns(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times;
}

inline double Median(const std::vector<double>& sorted)
{
    return sorted[sorted.size() / 2];
}

/// One line: median, spread (fastest to slowest) and the ratio to \a baseline's median.
inline void Report(const char* what, const std::vector<double>& sorted, double baseline)
{
    std::printf("  %-34s median %8.1f ms  spread %8.1f - %8.1f ms  ratio %5.2f\n", what, Median(sorted),
                sorted.front(), sorted.back(), Median(sorted) / baseline);
}
