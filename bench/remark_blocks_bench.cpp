// Taking a script block out of a node's remark: the cutting expression against the scan the
// page uses, on remarks of 1 KB to 100 KB with the block at the start.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "library/bumen.h"
#include "library/page_context.h"
#include "page/scripts/remark_blocks.h"

namespace {

std::string remark_of(long bytes) {
  std::string text = "<VB>";
  while (static_cast<long>(text.size()) < bytes) text += "x=1\r\n";
  return text + "</VB><PRE>select 1</PRE>";
}

void BM_CuttingExpression(benchmark::State& state) {
  library::PageContext ctx(std::make_shared<platform::eventlog::RecordingEventLog>());
  const vb::Variant remark = remark_of(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        library::replacetest(ctx, remark, "((.|\\n)*<VB>)|(</VB>(.|\\n)*)", ""));
  }
}
BENCHMARK(BM_CuttingExpression)->Arg(1 << 10)->Arg(10 << 10)->Arg(100 << 10)->Unit(benchmark::kMillisecond);

void BM_Scan(benchmark::State& state) {
  const vb::Variant remark = remark_of(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(page::remark_block(remark, "VB"));
}
BENCHMARK(BM_Scan)->Arg(1 << 10)->Arg(10 << 10)->Arg(100 << 10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
