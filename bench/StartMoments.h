#pragma once

// The moments a started program tells bench_startup on its standard output,
// one a line: a name and the monotonic clock in nanoseconds, which the parent
// reads on the same clock just before it starts the program. Plain C++, for
// the bare SQLite program too.
#include <cstdio>
#include <ctime>

namespace almanis::bench {

inline long long monotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

inline void tellMoment(const char* name) {
    std::printf("%s %lld\n", name, monotonicNs());
    std::fflush(stdout);
}

// A figure that is not a moment, such as the number of rows listed.
inline void tellFigure(const char* name, long long value) {
    std::printf("%s %lld\n", name, value);
    std::fflush(stdout);
}

}  // namespace almanis::bench
