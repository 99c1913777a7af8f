#include <benchmark/benchmark.h>

#include "MovingLoadCases.h"

namespace {

// Stepped by distance, in decimetres.
void MovingLoadTwoSpans(benchmark::State& state)
{
    qelbench::MovingLoadTwoSpans(state, state.range(0) / 10.0);
}

} // namespace

BENCHMARK(MovingLoadTwoSpans)->Arg(1)->Arg(5)->ArgName("step_dm")->Unit(benchmark::kMillisecond);
