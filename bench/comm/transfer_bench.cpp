// Throughput of a transfer to lrzsz's rb over a socat pseudo-terminal pair at
// 115200 baud, as a fraction of the line rate (11520 bytes/s at 8N1), for an
// application file and for 1 MB.
//
// Two figures per file:
//   Raw      the pty as it is: it does not pace at the baud rate, so the rate
//            is set by how fast the sender, socat and rb take turns on the
//            processors (two hops each way, each a wake-up): on a loaded
//            machine it swings by a factor of ten from run to run.
//   Paced    through PacedLink, which holds each block until a 115200 baud
//            line would have carried it: the figure a cable would give.
// line_fraction counts from the start to the final event, fixed costs
// included (rb waits about a second after the EOT and another before asking
// for the next file; rb does not confirm the end of the batch, so the sender
// waits its batch_end half second); data_fraction counts only from the first block
// sent to the last one acknowledged. load_1m is the load average as the run
// ended; the machine is shared, so read the figures with it.
#include "appfile/build_application.h"
#include "appfile/definition_json.h"
#include "comm/loader.h"
#include "comm/posix_transfer.h"
#include "model/messages.h"
#include "paced_link.h"
#include "pty_peer.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <random>

using namespace formwick;
namespace fs = std::filesystem;

namespace {

constexpr double kLineBytesPerSecond = 115200.0 / 10.0;

double load_average() {
    std::ifstream in("/proc/loadavg");
    double one = -1;
    in >> one;
    return one;
}

// Times of the first block sent and of the last data byte acknowledged.
struct Timing final : LoaderObserver {
    void loader_event(const LoaderEvent& e) override {
        const Millis now = steady_now();
        if (e.status == LoaderStatus::Sending && first_block.count() == 0) first_block = now;
        if (e.status == LoaderStatus::Sending && e.position == 100 && all_acked.count() == 0) all_acked = now;
        last = e;
    }
    Millis first_block{0}, all_acked{0};
    LoaderEvent last;
};

fs::path application_file(const fs::path& folder) {
    std::ifstream in(std::string(FORMWICK_EXAMPLES) + "/stock.json", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    CParameters parameters;
    CollectingSink sink;
    const fs::path path = folder / "STOCK.HIX";
    if (!definition_from_json(text, parameters, sink) || !CBuildApplication(path, sink).build(parameters)) return {};
    return path;
}

fs::path megabyte_file(const fs::path& folder) {
    std::mt19937 random(17);
    std::string bytes(1 << 20, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    const fs::path path = folder / "OS1MB.HEX";
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

void transfer(benchmark::State& state, bool megabyte, bool paced) {
    for (auto _ : state) {
        test::PtyPeer peer;
        std::string why;
        if (!peer.start(why) || !peer.start_receiver({}, why)) {
            state.SkipWithError(why.c_str());
            return;
        }
        const fs::path file = megabyte ? megabyte_file(peer.folder()) : application_file(peer.folder());
        if (file.empty()) {
            state.SkipWithError("cannot build the example application file");
            return;
        }
        PosixSerialPort port;
        bench::PacedLink pacer(port);
        Timing timing;
        Loader loader(paced ? static_cast<SerialLink&>(pacer) : port, timing);
        loader.set_port(peer.sender_end());
        loader.set_path(file);
        const Millis began = steady_now();
        if (loader.start(began)) drive_transfer(loader, port, std::atomic<bool>{false});
        const Millis ended = steady_now();
        if (timing.last.status != LoaderStatus::Complete) {
            state.SkipWithError(timing.last.text.c_str());
            return;
        }
        const double size = static_cast<double>(fs::file_size(file));
        const double whole = (ended - began).count() / 1000.0;
        const double data = (timing.all_acked - timing.first_block).count() / 1000.0;
        state.SetIterationTime(whole);
        state.counters["bytes"] = size;
        state.counters["bytes_per_s"] = size / whole;
        state.counters["line_fraction"] = size / whole / kLineBytesPerSecond;
        state.counters["data_fraction"] = size / data / kLineBytesPerSecond;
        state.counters["load_1m"] = load_average();
    }
}

void BM_RawHix(benchmark::State& state) { transfer(state, false, false); }
void BM_Raw1MB(benchmark::State& state) { transfer(state, true, false); }
void BM_PacedHix(benchmark::State& state) { transfer(state, false, true); }
void BM_Paced1MB(benchmark::State& state) { transfer(state, true, true); }

BENCHMARK(BM_RawHix)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Raw1MB)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_PacedHix)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Paced1MB)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
