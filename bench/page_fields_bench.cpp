// The field loop's cost as the form grows: a whole to-do page of a stored record with 50 to 500
// field placeholders, with and without an index on an expression of the fields table, and the
// placeholder fill alone against whole-text Replace per field.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "form_with_fields.h"
#include "stored_record_request.h"
#include "host/request_runner.h"
#include "page/fields/template_text.h"
#include "platform/ado/sqlite_driver.h"
#include "platform/eventlog/event_log.h"
#include "vb/builtins.h"

namespace {

using bench_forms::database_with;

// The page from a warm pooled session, and the statements it prepares. With `index` 1 the fields
// table, which the page reads once per field, has an index on an expression, as a DBA may add.
void BM_RenderStoredRecord(benchmark::State& state) {
  const std::string path = database_with(static_cast<int>(state.range(0)));
  if (state.range(1) != 0) {
    bench_forms::exec(path,
                      "CREATE INDEX FieldNameLower ON OA_Flow_BiaoDan_Fields(lower(FieldName))");
  }
  const host::RenderOptions o = stored_record_request(path);
  host::render_once(o);
  const long prepares = platform::ado::sqlite_prepares();
  for (auto _ : state) {
    const host::Rendered r = host::render_once(o);
    if (r.body.find("</form>") == std::string::npos || !r.event_log.empty()) {
      state.SkipWithError("the page did not render whole");
      break;
    }
    benchmark::DoNotOptimize(r.body.size());
  }
  state.counters["per_field_us"] = benchmark::Counter(
      static_cast<double>(state.range(0)),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["prepares/page"] =
      benchmark::Counter(static_cast<double>(platform::ado::sqlite_prepares() - prepares),
                         benchmark::Counter::kAvgIterations);
  for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
}
BENCHMARK(BM_RenderStoredRecord)
    ->ArgNames({"fields", "index"})
    ->ArgsProduct({{50, 100, 200, 500}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// The template of the whole-page case with `fields` placeholders and a 64 KB tail of markup,
// and the controls that replace them.
struct Filling {
  std::string html;
  std::vector<std::string> found, values;
};
Filling filling(int fields) {
  Filling f;
  for (int i = 1; i <= fields; ++i) {
    const std::string key = std::to_string(i);
    f.found.push_back("{" + key + ":字段" + key + "}");
    f.html += "<TR><TD>字段" + key + "</TD><TD>" + f.found.back() + "</TD></TR>\r\n";
    f.values.push_back("<input style='width:99%'  type=text id='zd" + key + "' name='zd" + key +
                       "' value='值" + key + "'>");
  }
  f.html += std::string(64 * 1024, 'x');
  return f;
}

void BM_FillPlaceholders(benchmark::State& state) {
  const Filling f = filling(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    page::PageState p{std::make_shared<platform::eventlog::RecordingEventLog>()};
    p.BiaoDanHTML = f.html;
    vb::Variant regex, matches;
    page::TemplateText text(p.BiaoDanHTML, p.template_parts, "{.*?:.*?}", regex, matches);
    for (std::size_t i = 0; i < text.found().size(); ++i) text.fill(i, f.values[i]);
    text.finish();
    benchmark::DoNotOptimize(p.BiaoDanHTML);
  }
}
BENCHMARK(BM_FillPlaceholders)->Arg(50)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMicrosecond);

// What one whole-text Replace per placeholder costs on the same template.
void BM_ReplaceWholeTextPerPlaceholder(benchmark::State& state) {
  const Filling f = filling(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::string html = f.html;
    for (std::size_t i = 0; i < f.found.size(); ++i) html = vb::Replace(html, f.found[i], f.values[i]);
    benchmark::DoNotOptimize(html);
  }
}
BENCHMARK(BM_ReplaceWholeTextPerPlaceholder)
    ->Arg(50)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
