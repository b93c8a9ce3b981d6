// Replace and Split over page-sized texts must stay linear: 2 MB should take about twice 1 MB.
#include <benchmark/benchmark.h>

#include <string>

#include "vb/builtins.h"

namespace {

// Mixed ASCII and Chinese text with a comma every few characters, as form values look.
std::string sample_text(std::size_t bytes) {
  const std::string piece = "BiaoDanID=12,字段值中文,";
  std::string text;
  text.reserve(bytes + piece.size());
  while (text.size() < bytes) text += piece;
  return text;
}

void BM_Replace(benchmark::State& state) {
  const vb::Variant text(sample_text(static_cast<std::size_t>(state.range(0))));
  for (auto _ : state) {
    std::string out = vb::Replace(text, ",", "，");
    benchmark::DoNotOptimize(out);
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Replace)->Arg(1 << 20)->Arg(2 << 20)->Complexity(benchmark::oN);

void BM_ReplaceFromAStart(benchmark::State& state) {
  const vb::Variant text(sample_text(static_cast<std::size_t>(state.range(0))));
  for (auto _ : state) {
    std::string out = vb::Replace(text, "中文", "", 1000);
    benchmark::DoNotOptimize(out);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReplaceFromAStart)->Arg(1 << 20)->Arg(2 << 20)->Complexity(benchmark::oN);

void BM_Split(benchmark::State& state) {
  const vb::Variant text(sample_text(static_cast<std::size_t>(state.range(0))));
  for (auto _ : state) {
    vb::Variant parts = vb::Split(text, ",");
    benchmark::DoNotOptimize(parts);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Split)->Arg(1 << 20)->Arg(2 << 20)->Complexity(benchmark::oN);

void BM_CopyShortStringVariant(benchmark::State& state) {
  const vb::Variant value("OAID=12345");
  for (auto _ : state) {
    vb::Variant copy = value;
    benchmark::DoNotOptimize(copy);
  }
}
BENCHMARK(BM_CopyShortStringVariant);

}  // namespace

BENCHMARK_MAIN();
