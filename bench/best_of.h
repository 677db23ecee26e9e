// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The best of several runs of a piece of work in this process, elapsed and
// processor time apart: on a machine shared with other work the processor
// time varies far less than the elapsed time.

#include <QElapsedTimer>

#include <algorithm>
#include <ctime>

struct Timing
{
    double ms = -1;
    double cpuMs = -1;
};

// The processor time of this process (all threads), in milliseconds.
inline double processCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

template <typename F> Timing bestOf(int runs, F f)
{
    Timing best;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        const double cpuStart = processCpuMs();
        t.start();
        f();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        const double cpu = processCpuMs() - cpuStart;
        best.ms = best.ms < 0 ? ms : std::min(best.ms, ms);
        best.cpuMs = best.cpuMs < 0 ? cpu : std::min(best.cpuMs, cpu);
    }
    return best;
}
