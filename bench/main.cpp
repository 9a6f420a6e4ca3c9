// Benchmarks: CPU-side work (file loading and saving) and whole operations over
// an emulator that paces its answers like a 19200-baud line.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
