// Frames per second of the bench with 100 toggles placed: the host's frame
// loop, element engine and the toggles' tables, without drawing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/bench.h"

namespace {

void BM_HundredToggles(benchmark::State& state) {
  panelbench::Host host;
  panelbench::Module& module = host.load(std::string(PANEL_MODULE_DIR) + "/Tarnel_Instr.gau");
  const char* gauges[] = {"GPS_Toggle", "Radios_Toggle", "Kneeboard_Toggle", "Fuel_Zoom"};
  for (int i = 0; i < 100; ++i) {
    char parameters[32];
    std::snprintf(parameters, sizeof parameters, "b%d h43000 t50", 1000 + 10 * (i % 14));
    host.add(module, gauges[i % 4], parameters);
  }
  host.frame();
  for (auto _ : state) host.frame();
  state.counters["frames_per_second"] =
      benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_HundredToggles);

}  // namespace

BENCHMARK_MAIN();
