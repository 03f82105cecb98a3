#pragma once

// Prints the milliseconds since the launcher spawned this process (CLOCK_MONOTONIC nanoseconds
// in TOLVANE_BENCH_SPAWN_NS).
void ReportStartupTime();
