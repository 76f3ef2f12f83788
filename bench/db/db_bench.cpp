// Index rebuild and point lookups of the database layer, and SQLite doing
// the same work on the same data: a CSV lookup file with 13-character keys
// and two more fields, generated in a temporary folder.
//
// The 1,000,000-line case runs only when FORMWICK_BENCH_LARGE is set.
#include "runtime/db/database.h"
#include "runtime/db/block_cache.h"
#include "runtime/services/terminal.h"
#include "simulator/core/host/terminal_host.h"
#include "simulator/core/ramdisk/ram_disk.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <thread>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace formwick;

namespace {

struct Data {
    fs::path folder;
    std::vector<std::string> keys;
    std::unique_ptr<CRamDisk> disk;
};

fs::path bench_root() {
    static fs::path root = fs::temp_directory_path() / ("fw_db_bench_" + std::to_string(::getpid()));
    return root;
}

// One generated lookup file per size, made on first use.
Data& data(long lines) {
    static std::map<long, Data> made;
    auto it = made.find(lines);
    if (it != made.end()) return it->second;
    Data& d = made[lines];
    d.folder = bench_root() / std::to_string(lines);
    fs::create_directories(d.folder);
    std::mt19937_64 rng(42);
    std::ofstream out(d.folder / "LOOK1.TXT", std::ios::binary);
    // One key in each of `lines` equal slots of the 13-digit range keeps
    // them unique; the shuffle gives a random insertion order.
    std::vector<unsigned long long> values(static_cast<std::size_t>(lines));
    unsigned long long slot = 10000000000000ULL / static_cast<unsigned long long>(lines);
    for (long i = 0; i < lines; ++i) values[static_cast<std::size_t>(i)] = static_cast<unsigned long long>(i) * slot + rng() % slot;
    std::shuffle(values.begin(), values.end(), rng);
    d.keys.reserve(values.size());
    char key[14];
    for (long i = 0; i < lines; ++i) {
        std::snprintf(key, sizeof key, "%013llu", values[static_cast<std::size_t>(i)]);
        d.keys.emplace_back(key);
        out << key << ",Article number " << i << "," << (rng() % 10000) / 100.0 << "\r\n";
    }
    d.disk = std::make_unique<CRamDisk>(d.folder);
    return d;
}

DatabaseDescriptor descriptor() {
    DatabaseDescriptor d;
    db_set_names(d, "LOOK1.TXT", "LOOK1.IDX");
    d.flags = DB_SEPARATED | DB_KEYED;
    d.record_length = DB_LINE_MAX;
    d.key_field = 0;
    d.separator = ',';
    return d;
}

void install(Data& d) {
    Terminal t;
    t.files = d.disk.get();
    services_install(t);
    db_runtime_start();
}

void BM_IndexRebuild(benchmark::State& state) {
    Data& d = data(state.range(0));
    install(d);
    IndexIoCounters before = index_io_counters();
    long long rebuilds = 0;
    for (auto _ : state) {
        if (index_rebuild(descriptor()) != 0) state.SkipWithError("rebuild failed");
        ++rebuilds;
    }
    IndexIoCounters after = index_io_counters();
    double keys = static_cast<double>(rebuilds) * static_cast<double>(d.keys.size());
    state.counters["reads_per_key"] = static_cast<double>(after.block_reads - before.block_reads) / keys;
    state.counters["writes_per_key"] = static_cast<double>(after.block_writes - before.block_writes) / keys;
    DatabaseHandle h;
    if (db_open(descriptor(), h) == 0) {
        state.counters["levels"] = h.index.levels;
        db_close(h);
    }
    services_uninstall();
}

void BM_OpenFindClose(benchmark::State& state) {
    Data& d = data(state.range(0));
    install(d);
    if (!fs::exists(d.folder / "LOOK1.IDX")) index_rebuild(descriptor());
    std::mt19937 rng(7);
    IndexIoCounters before = index_io_counters();
    long long finds = 0;
    for (auto _ : state) {
        DatabaseHandle h;
        long long pos;
        const std::string& key = d.keys[rng() % d.keys.size()];
        if (db_open(descriptor(), h) != 0 || db_find(h, key.c_str(), pos) != 0) state.SkipWithError("find failed");
        db_close(h);
        ++finds;
    }
    state.counters["reads_per_find"] =
        static_cast<double>(index_io_counters().block_reads - before.block_reads) / static_cast<double>(finds);
    services_uninstall();
}

// A run stopped while it rebuilds the index: the time from the stop to the
// end of the run (the half-built index deleted), on a real-time terminal as
// under the window. The stop comes after a third of a rebuild's time.
void BM_StopDuringRebuild(benchmark::State& state) {
    Data& d = data(state.range(0));
    const auto into = std::chrono::milliseconds(state.range(0) / 3000);
    double worst = 0;
    for (auto _ : state) {
        fs::remove(d.folder / "LOOK1.IDX");
        CTerminal terminal(ClockMode::real);
        RunSetup setup;
        setup.files = d.disk.get();
        RunEnd end = RunEnd::returned;
        std::thread runtime([&] {
            end = terminal.run(setup, [] {
                db_runtime_start();
                index_rebuild(descriptor());
            });
        });
        std::this_thread::sleep_for(into);
        const auto stop = std::chrono::steady_clock::now();
        terminal.stop();
        runtime.join();
        const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - stop).count();
        worst = std::max(worst, took);
        state.SetIterationTime(took);
        if (end != RunEnd::stopped) state.SkipWithError("the rebuild ended before the stop");
        if (fs::exists(d.folder / "LOOK1.IDX")) state.SkipWithError("a half-built index was left");
    }
    state.counters["worst_ms"] = worst * 1000;
}

void exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: %s\n", error ? error : "?");
        sqlite3_free(error);
        std::abort();
    }
}

// Reads the same CSV file, inserts every line in one transaction and builds
// a unique index on the key. Durability is off on both sides.
void sqlite_import(const Data& d, const fs::path& file) {
    fs::remove(file);
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    exec(db, "PRAGMA synchronous=OFF; PRAGMA journal_mode=OFF;");
    exec(db, "CREATE TABLE look(k TEXT, name TEXT, price TEXT); BEGIN;");
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO look VALUES(?,?,?)", -1, &insert, nullptr);
    std::ifstream in(d.folder / "LOOK1.TXT", std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        std::size_t a = line.find(','), b = line.find(',', a + 1);
        sqlite3_bind_text(insert, 1, line.data(), static_cast<int>(a), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, line.data() + a + 1, static_cast<int>(b - a - 1), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, line.data() + b + 1, static_cast<int>(line.size() - b - 1), SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    exec(db, "COMMIT; CREATE UNIQUE INDEX look_k ON look(k);");
    sqlite3_close(db);
}

void BM_SqliteImport(benchmark::State& state) {
    Data& d = data(state.range(0));
    for (auto _ : state) sqlite_import(d, d.folder / "look.sqlite");
}

void BM_SqliteOpenFindClose(benchmark::State& state) {
    Data& d = data(state.range(0));
    fs::path file = d.folder / "look.sqlite";
    if (!fs::exists(file)) sqlite_import(d, file);
    std::mt19937 rng(7);
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_stmt* q = nullptr;
        const std::string& key = d.keys[rng() % d.keys.size()];
        sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_prepare_v2(db, "SELECT name, price FROM look WHERE k = ?", -1, &q, nullptr);
        sqlite3_bind_text(q, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
        if (sqlite3_step(q) != SQLITE_ROW) state.SkipWithError("sqlite find failed");
        benchmark::DoNotOptimize(sqlite3_column_text(q, 0));
        sqlite3_finalize(q);
        sqlite3_close(db);
    }
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(100000);
    if (std::getenv("FORMWICK_BENCH_LARGE")) b->Arg(1000000);
    b->Unit(benchmark::kMillisecond);
}

void find_sizes(benchmark::internal::Benchmark* b) {
    sizes(b);
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_IndexRebuild)->Apply(sizes)->Iterations(3);
BENCHMARK(BM_SqliteImport)->Apply(sizes)->Iterations(3);
BENCHMARK(BM_OpenFindClose)->Apply(find_sizes);
BENCHMARK(BM_SqliteOpenFindClose)->Apply(find_sizes);
BENCHMARK(BM_StopDuringRebuild)->Apply(sizes)->UseManualTime()->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(bench_root());
    return 0;
}
