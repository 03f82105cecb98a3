#include "bench/app/StartupReport.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

void ReportStartupTime() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const char* spawn = std::getenv("TOLVANE_BENCH_SPAWN_NS");
    const long long spawnNs = spawn ? std::atoll(spawn) : 0;
    const long long nowNs = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
    std::printf("%.3f\n", static_cast<double>(nowNs - spawnNs) / 1e6);
    std::fflush(stdout);
}
