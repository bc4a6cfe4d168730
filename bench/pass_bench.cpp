// One complete recalculation pass with every caption written, as the 50 ms
// tick runs it.
#include "recalculation_pass.h"

BENCHMARK(quillet::RecalculationPassBenchmark)->Name("RecalculationPass");

BENCHMARK_MAIN();
