// Build and load of a fully populated definition: every text at full
// length, all translated texts that reach the image, a 20 KB extended
// custom font. BM_ScanEveryRange is the cost a loader would pay scanning
// the lines once per range, for comparison with the indexed load.
#include "appfile/build_application.h"
#include "appfile/hex_records.h"
#include "appfile/image_map.h"
#include "appfile/text_file.h"
#include "full_definition.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

using namespace formwick;

namespace {

std::filesystem::path bench_file(const char* name) {
    return std::filesystem::temp_directory_path() / (std::string(name) + std::to_string(getpid()) + ".HIX");
}

void BM_Build(benchmark::State& state) {
    CParameters p = testing::full_definition();
    auto path = bench_file("formwick-bench-build");
    CollectingSink sink;
    for (auto _ : state) benchmark::DoNotOptimize(CBuildApplication(path, sink).build(p));
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}

void BM_Load(benchmark::State& state) {
    auto path = bench_file("formwick-bench-load");
    CollectingSink sink;
    CBuildApplication(path, sink).build(testing::full_definition());
    CParameters p;
    for (auto _ : state) benchmark::DoNotOptimize(CBuildApplication(path, sink).load(p));
    std::filesystem::remove(path);
}

void BM_ScanEveryRange(benchmark::State& state) {
    auto path = bench_file("formwick-bench-scan");
    CollectingSink sink;
    CBuildApplication(path, sink).build(testing::full_definition());
    std::vector<std::string> lines;
    CTextFile("HIX").readAllLines(path, lines);
    std::vector<image::Slot> slots = image::image_slots(20 * 1024);
    std::vector<std::uint8_t> out(64 * 1024);
    for (auto _ : state) {
        std::size_t total = 0;
        for (const image::Slot& s : slots) {
            std::uint32_t segment = 0;
            total += read_range(lines, segment, s.start, s.end, std::span(out).first(s.end - s.start));
        }
        benchmark::DoNotOptimize(total);
    }
    std::filesystem::remove(path);
}

BENCHMARK(BM_Build)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Load)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScanEveryRange)->Unit(benchmark::kMicrosecond);

} // namespace
