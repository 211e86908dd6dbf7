// Nanoseconds per report for a mix of the receivers' reports, against a loop that only
// reads their leading bytes.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "decoder_report_mix.h"
#include "device/report_decoder.h"

namespace {

using corvan::bench::CountingSink;

void BM_DecodeVendorReport(benchmark::State& state) {
  const auto mix = corvan::bench::DecoderReportMix();
  CountingSink sink;
  for (auto _ : state) {
    for (const auto& report : mix) {
      corvan::DecodeVendorReport(report.data(), report.size(), sink);
    }
    benchmark::DoNotOptimize(sink.total);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(mix.size()));
  state.counters["ns_per_report"] = benchmark::Counter(
      static_cast<double>(state.iterations() * mix.size()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DecodeVendorReport);

// Reads the three bytes every layout starts with and decides nothing.
void BM_BaselineReadBytes(benchmark::State& state) {
  const auto mix = corvan::bench::DecoderReportMix();
  uint32_t total = 0;
  for (auto _ : state) {
    for (const auto& report : mix) {
      if (report.size() >= 3) total += report[0] + report[1] + report[2];
      benchmark::DoNotOptimize(total);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(mix.size()));
  state.counters["ns_per_report"] = benchmark::Counter(
      static_cast<double>(state.iterations() * mix.size()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BaselineReadBytes);

}  // namespace

BENCHMARK_MAIN();
