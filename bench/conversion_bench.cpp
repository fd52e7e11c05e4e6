// build_direct_link on a typical share link and on large pasted texts with the
// marker near the end, beside a floor over the same bytes: memchr for the
// marker's first byte and for "/", plus a copy of the key. Prints the ratio.
#include <cstdio>
#include <cstring>
#include <string>

#include <benchmark/benchmark.h>

#include "build_config.h"
#include "convert/share_link.h"
#include "convert/text_memory.h"

namespace {

std::string typical_link() { return "https://" WDL_SHARE_HOST "/s/6qK3bYzWl0Fa1xYz"; }

// Filler that holds neither the marker's first byte nor "/", then a link at the end.
std::string large_text(size_t bytes) {
  std::string tail = "http://" WDL_SHARE_HOST "/abcdefgh";
  std::string text;
  text.reserve(bytes);
  const char filler[] = "Lorem ipum dolor it amet, conectetur adipicing elit. ";
  while (text.size() + tail.size() < bytes) text += filler[text.size() % (sizeof filler - 1)];
  text += tail;
  return text;
}

void convert(benchmark::State& state, const std::string& link) {
  for (auto _ : state) {
    ConversionResult r = build_direct_link(link.c_str(), ".mp3");
    benchmark::DoNotOptimize(r.direct_link);
    release_text(r.share_key);
    release_text(r.direct_link);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(link.size()));
}

// What any conversion has to do at least: find the marker's first byte, find a
// "/", copy the key.
void floor(benchmark::State& state, const std::string& link) {
  const char first = WDL_SHARE_HOST[0];
  std::string key(64, '\0');
  for (auto _ : state) {
    const void* marker = std::memchr(link.data(), first, link.size());
    const void* slash = std::memchr(link.data() + 9, '/', link.size() - 9);
    benchmark::DoNotOptimize(marker);
    const char* from = slash ? static_cast<const char*>(slash) + 1 : link.data();
    size_t n = link.data() + link.size() - from;
    std::memcpy(key.data(), from, n < key.size() ? n : key.size());
    benchmark::DoNotOptimize(key.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(link.size()));
}

const std::string& text_of(const std::string& which) {
  static const std::string typical = typical_link();
  static const std::string one_mib = large_text(1 << 20);
  static const std::string sixteen_mib = large_text(16 << 20);
  if (which == "typical") return typical;
  if (which == "1MiB") return one_mib;
  return sixteen_mib;
}

// Measured time per iteration of each benchmark, to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
        times_[run.benchmark_name()] = run.GetAdjustedRealTime();
        units_[run.benchmark_name()] = run.time_unit;
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nratio of build_direct_link to the floor (target: 16MiB within 4x; typical under 1 us):\n");
    for (const char* which : {"typical", "1MiB", "16MiB"}) {
      auto c = times_.find(std::string("convert/") + which);
      auto f = times_.find(std::string("floor/") + which);
      if (c == times_.end() || f == times_.end() || f->second <= 0) continue;
      std::printf("  %-8s convert %10.3f %s   floor %10.3f %s   ratio %.2f\n", which, c->second,
                  benchmark::GetTimeUnitString(units_[c->first]), f->second,
                  benchmark::GetTimeUnitString(units_[f->first]), c->second / f->second);
    }
  }

 private:
  std::map<std::string, double> times_;
  std::map<std::string, benchmark::TimeUnit> units_;
};

}  // namespace

int main(int argc, char** argv) {
  for (const char* which : {"typical", "1MiB", "16MiB"}) {
    benchmark::RegisterBenchmark((std::string("convert/") + which).c_str(),
                                 [which](benchmark::State& s) { convert(s, text_of(which)); })
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("floor/") + which).c_str(),
                                 [which](benchmark::State& s) { floor(s, text_of(which)); })
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
