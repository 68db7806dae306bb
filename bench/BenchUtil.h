#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace almanis::bench {

// Points HOME and the XDG folders at `home`, so a benchmark never touches the
// user's own files.
inline void useHome(const QString& home) {
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_DATA_HOME", (home + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_CACHE_HOME", (home + QStringLiteral("/cache")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.toUtf8());
}

// The middle of `values` (the upper one of an even count).
inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median of `runs` timings of `body`, in milliseconds.
inline double medianMs(int runs, const std::function<void()>& body) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        body();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

// One figure beside its reference, with their ratio against `goal`; a goal of
// 0 prints the figure for information. True unless the goal was missed.
inline bool report(const char* what, double ours, double reference, double goal,
                   const char* unit = "ms") {
    const double ratio = ours / reference;
    const bool ok = goal <= 0 || ratio <= goal;
    std::printf("%-48s %10.3f %s  reference %10.3f %s  ratio %5.2fx  ", what, ours, unit, reference,
                unit, ratio);
    if (goal > 0) {
        std::printf("goal <= %.1fx  %s\n", goal, ok ? "ok" : "MISSED");
    } else {
        std::printf("(for information)\n");
    }
    return ok;
}

// One time beside its reference, against a goal of at most `limitMs`.
inline bool reportWithin(const char* what, double ours, double reference, double limitMs) {
    const bool ok = ours < limitMs;
    std::printf("%-48s %10.3f ms  reference %10.3f ms  ratio %5.2fx  goal < %.0f ms  %s\n", what,
                ours, reference, ours / reference, limitMs, ok ? "ok" : "MISSED");
    return ok;
}

}  // namespace almanis::bench
