#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace almanis::bench {

// The median of `runs` timings of `body`, in milliseconds.
inline double medianMs(int runs, const std::function<void()>& body) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        body();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void report(const char* what, double ours, double reference, double goal) {
    const double ratio = ours / reference;
    std::printf("%-48s %10.3f ms  reference %10.3f ms  ratio %5.2fx  goal <= %.1fx  %s\n", what,
                ours, reference, ratio, goal, ratio <= goal ? "ok" : "MISSED");
}

}  // namespace almanis::bench
