// Throughput of the LZSS codec against the plain bit-at-a-time reference of the same format.
// Run: build/bench/lzss_bench  (bytes_per_second is the input size for compression and the
// output size for expansion, i.e. MB of text per second in both directions).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/LzssReference.h"  // tests/platform
#include "platform/LzssStreams.h"
#include "platform/MemoryStream.h"
#include "support/TestSupport.h"

namespace {

constexpr std::size_t kSize = 4 << 20;

std::string LongRuns() {
  std::string out;
  for (int i = 0; out.size() < kSize; ++i)
    out.append(1000 + i % 3000, static_cast<char>('a' + i % 5));
  out.resize(kSize);
  return out;
}

const std::string& Input(int kind) {
  static const std::string inputs[] = {testsupport::StoreLikeText(kSize),
                                       testsupport::RandomBytes(kSize, 88172645463325252ull),
                                       LongRuns()};
  return inputs[kind];
}

const char* KindName(int kind) {
  return kind == 0 ? "text" : kind == 1 ? "random" : "runs";
}

std::string Compress(const std::string& input) {
  CTMemoryStream target;
  CTLZSSCompressorStream compressor(target);
  for (std::size_t i = 0; i < input.size(); i += 16384) {
    compressor.Write(input.data() + i, std::min<std::size_t>(16384, input.size() - i));
  }
  compressor.Finish();
  return target.Text();
}

void BM_Compress(benchmark::State& state) {
  const std::string& input = Input(static_cast<int>(state.range(0)));
  state.SetLabel(KindName(static_cast<int>(state.range(0))));
  std::size_t packed = 0;
  for (auto _ : state) packed = Compress(input).size();
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
  state.counters["ratio"] = static_cast<double>(packed) / static_cast<double>(input.size());
}

void BM_Expand(benchmark::State& state) {
  const std::string& input = Input(static_cast<int>(state.range(0)));
  state.SetLabel(KindName(static_cast<int>(state.range(0))));
  const std::string packed = Compress(input);
  std::vector<char> buffer(16384);
  for (auto _ : state) {
    CTMemoryStream source(packed);
    CTLZSSExpanderStream expander(source);
    std::size_t total = 0, n;
    while ((n = expander.Read(buffer.data(), buffer.size())) > 0) total += n;
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

void BM_ReferenceCompress(benchmark::State& state) {
  const std::string& input = Input(static_cast<int>(state.range(0)));
  state.SetLabel(KindName(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(ReferenceLzssCompress(input));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

void BM_ReferenceExpand(benchmark::State& state) {
  const std::string& input = Input(static_cast<int>(state.range(0)));
  state.SetLabel(KindName(static_cast<int>(state.range(0))));
  const std::string packed = Compress(input);
  for (auto _ : state) benchmark::DoNotOptimize(ReferenceLzssExpand(packed));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

}  // namespace

BENCHMARK(BM_Compress)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Expand)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceCompress)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceExpand)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
