// Reading markup is linear in the input: 1k, 10k and 100k elements, side by side (flat) and
// nested in chains 100 deep; elements per second should stay level across the sizes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "core/Debug.h"
#include "core/Xml.h"

namespace {
// A root holding count elements, each a tag around one number; in chains of depth elements.
std::string markup(int count, int depth) {
  std::string text = "<root> ";
  for (int done = 0; done < count; done += depth) {
    int const chain = std::min(depth, count - done);
    for (int i = 0; i < chain; i++) text += "<e> " + std::to_string(i) + " ";
    for (int i = 0; i < chain; i++) text += "</e> ";
  }
  return text + "</root>\n";
}

void readMarkup(benchmark::State& state, int depth) {
  debugFile = "/dev/null";
  int const count = static_cast<int>(state.range(0));
  std::string const text = markup(count, depth);
  for (auto _ : state) {
    std::istringstream in(text);
    XmlElement root;
    readElement(in, root, "");
    benchmark::DoNotOptimize(root.getArguments().size());
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
}  // namespace

static void BM_ReadFlatMarkup(benchmark::State& state) { readMarkup(state, 1); }
BENCHMARK(BM_ReadFlatMarkup)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_ReadNestedMarkup(benchmark::State& state) { readMarkup(state, 100); }
BENCHMARK(BM_ReadNestedMarkup)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
