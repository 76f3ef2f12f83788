// A scripted form session that stores records through Form 1 on the virtual
// clock, once appending every record and once with "Update record (sorted)"
// over a tenth as many articles (so most stores replace a record); a third
// session updates lines whose length changes, so replacements rewrite the
// file and rebuild the index. Reports records per second in real and
// processor time and where the time goes: the script player, drawing, the
// RAM disk, and (from the same stores made without the form) record
// building and the database. Afterwards Data1.txt must hold exactly the
// expected lines and its index must pass the integrity check; otherwise the
// program fails.
//
// usage: app_bench [RECORDS] [--mode append|update|resized] [--keep]
//   RECORDS  records per session (default 10000, or FORMWICK_BENCH_RECORDS)
//   --mode   run one session only (all three by default)
//   --keep   keep the RAM disk folders (their path is printed)
// The RAM disk folders go under TMPDIR (/tmp by default).
#include "bench/app/data_check.h"
#include "bench/app/player_baseline.h"
#include "bench/app/session_run.h"
#include "bench/app/session_script.h"
#include "bench/app/store_loop.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace formwick;
using namespace formwick::bench;

namespace {

struct ModeName {
    const char* name;
    StoreMode mode;
};
constexpr ModeName kModes[] = {
    {"append", StoreMode::append},
    {"update", StoreMode::update_sorted},
    {"resized", StoreMode::update_resized},
};

class StderrSink final : public MessageSink {
public:
    void error(std::string_view message) override {
        std::fprintf(stderr, "app_bench: %.*s\n", static_cast<int>(message.size()), message.data());
    }
};

std::string load_average() {
    std::ifstream in("/proc/loadavg");
    std::string one, five;
    in >> one >> five;
    return one.empty() ? "unknown" : one + " (1 min), " + five + " (5 min)";
}

struct Row {
    double total;   // the time the shares are measured against
    int records;

    void print(const char* name, double seconds, long long calls = -1) const {
        std::printf("    %-38s %8.3f s %8.1f us/record %5.1f %%", name, seconds, 1e6 * seconds / records,
                    total > 0 ? 100.0 * seconds / total : 0.0);
        if (calls >= 0) std::printf("  %lld calls", calls);
        std::printf("\n");
    }
};

// The runtime thread's real time outside every service call: forms, the
// editor, building records and the database's own work.
double runtime_logic(const SessionTimes& t) {
    return t.runtimeWall - t.keyWait.seconds - t.scanWait.seconds - t.keyOther.seconds - t.drawing.seconds -
           t.screenSave.seconds - t.files.seconds;
}

void print_session(const SessionTimes& t, int records) {
    std::printf("  session: %lld ms of terminal time\n", static_cast<long long>(t.terminalMs));
    std::printf("    %-38s %8.3f s   %8.0f records/s\n", "wall", t.wall, records / t.wall);
    std::printf("    %-38s %8.3f s   %8.0f records/s\n", "processor (all threads)", t.processCpu,
                records / t.processCpu);
    std::printf("  runtime thread, real time (share of the run's wall time):\n");
    const Row row{t.wall, records};
    const double rest = runtime_logic(t);
    row.print("waiting for the script (keys)", t.keyWait.seconds, t.keyWait.calls);
    row.print("waiting in barcode reads", t.scanWait.seconds, t.scanWait.calls);
    row.print("other key calls", t.keyOther.seconds, t.keyOther.calls);
    row.print("drawing (display emulation)", t.drawing.seconds, t.drawing.calls);
    row.print("  characters (putc, glyph)", t.text.seconds, t.text.calls);
    row.print("  frames (refresh)", t.frames.seconds, t.frames.calls);
    row.print("  lines, images, fonts", t.shapes.seconds, t.shapes.calls);
    row.print("screen save/restore", t.screenSave.seconds, t.screenSave.calls);
    row.print("RAM disk, all calls", t.files.seconds, t.files.calls);
    row.print("  open/close", t.fileOpens.seconds, t.fileOpens.calls);
    row.print("  read", t.fileReads.seconds, t.fileReads.calls);
    row.print("  write/truncate", t.fileWrites.seconds, t.fileWrites.calls);
    row.print("  seek", t.fileSeeks.seconds, t.fileSeeks.calls);
    row.print("  remove/rename/size/list", t.fileFolder.seconds, t.fileFolder.calls);
    row.print("runtime logic (forms, editor, store)", rest);
    std::printf("  processor time by thread:\n");
    row.print("runtime thread", t.runtimeCpu);
    row.print("script player (driver) thread", t.driverCpu);
    row.print("other threads", t.processCpu - t.runtimeCpu - t.driverCpu);
}

void print_player(const PlayerTimes& b, const SessionTimes& t, int records) {
    const long long keys = t.keyWait.calls;
    if (keys == 0) return;
    std::printf("  the script player alone, %lld keys into a runtime that only takes them:\n", keys);
    std::printf("    %-38s %8.3f s %8.1f us/key    processor %.3f s\n", "wall", b.wall, 1e6 * b.wall / keys,
                b.cpu);
    const Row row{t.wall, records};
    row.print("the same handing-over in the session", b.wall);
}

void print_store(const StoreTimes& s, const SessionTimes& t, int records) {
    std::printf("  the same stores without the form (store_record called directly):\n");
    std::printf("    %-38s %8.3f s   %8.0f records/s (processor %.3f s)\n", "all stores, wall", s.wall,
                records / s.wall, s.cpu);
    const Row row{t.wall, records};
    const double database = s.wall - s.build - s.files.seconds;
    row.print("record building", s.build);
    row.print("database logic (open/find/write/close)", database);
    row.print("RAM disk calls of the stores", s.files.seconds, s.files.calls);
    std::printf("  so the session's runtime logic splits into:\n");
    row.print("record building and database logic", s.build + database);
    // An estimate from two runs: timing noise can take it just below zero.
    row.print("forms and editor logic (the rest)", std::max(0.0, runtime_logic(t) - s.build - database));
}

bool run_mode(const ModeName& m, int records, const fs::path& root, MessageSink& sink) {
    const StoreMode mode = m.mode;
    const CParameters p = bench_application(mode);
    const std::vector<StoredRecord> list = session_records(records, std::max(1, records / 10));
    const std::vector<std::string> expected = expected_lines(list, mode);
    const std::string name = m.name;
    std::printf("== %s: %d records, %zu lines expected\n", store_mode_name(mode), records, expected.size());

    const fs::path sessionDisk = root / (name + "-session");
    const SessionTimes t = run_session(p, session_script(list), sessionDisk, sink);
    bool ok = t.ok;
    if (!ok) sink.error(name + ": the session did not play to its end");
    for (const std::string& f : check_data_file(p, sessionDisk, expected)) {
        sink.error(name + " session: " + f);
        ok = false;
    }

    const fs::path storeDisk = root / (name + "-stores");
    const StoreTimes s = run_store_loop(p, list, storeDisk, sink);
    ok = ok && s.ok;
    for (const std::string& f : check_data_file(p, storeDisk, expected)) {
        sink.error(name + " store loop: " + f);
        ok = false;
    }

    const PlayerTimes b = run_player_baseline(static_cast<int>(t.keyWait.calls), sink);
    ok = ok && b.ok;

    print_session(t, records);
    print_player(b, t, records);
    print_store(s, t, records);
    std::printf("  check: %s\n", ok ? "Data1.txt holds the expected lines, the index is sound" : "FAILED");
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    int records = 10000;
    if (const char* env = std::getenv("FORMWICK_BENCH_RECORDS")) records = std::atoi(env);
    const char* only = nullptr;
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--keep") == 0) keep = true;
        else if (std::strcmp(argv[i], "--mode") == 0 && i + 1 < argc) only = argv[++i];
        else records = std::atoi(argv[i]);
    }
    const auto chosen = [&](const ModeName& m) { return !only || std::strcmp(only, m.name) == 0; };
    if (records < 1 || std::none_of(std::begin(kModes), std::end(kModes), chosen)) {
        std::fprintf(stderr, "usage: app_bench [RECORDS] [--mode append|update|resized] [--keep]\n");
        return 2;
    }

    const fs::path root = fs::temp_directory_path() / ("fw_app_bench_" + std::to_string(::getpid()));
    fs::remove_all(root);
    StderrSink sink;
    std::printf("app_bench: %d records per session over %d articles; load average %s\n", records,
                std::max(1, records / 10), load_average().c_str());
    bool ok = true;
    for (const ModeName& m : kModes)
        if (chosen(m)) ok = run_mode(m, records, root, sink) && ok;
    std::printf("load average afterwards %s\n", load_average().c_str());

    if (keep || !ok) std::printf("RAM disk folders kept in %s\n", root.string().c_str());
    else fs::remove_all(root);
    if (!ok) std::fprintf(stderr, "app_bench: FAILED\n");
    return ok ? 0 : 1;
}
