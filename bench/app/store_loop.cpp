#include "bench/app/store_loop.h"

#include "bench/app/cpu_clock.h"
#include "bench/app/timed_services.h"
#include "runtime/app/record_builder.h"
#include "runtime/app/runtime_entry.h"
#include "runtime/app/store_record.h"
#include "runtime/app/value_fit.h"
#include "runtime/app/values.h"
#include "simulator/core/ramdisk/ram_disk.h"

#include <chrono>

namespace formwick::bench {

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

// Var 1 and Var 2 as the form leaves them: each fitted to its line's
// maximum by the line's alignment (left, padded with blanks).
void set_values(const CParameters& p, const StoredRecord& r) {
    const CParamForm& form = p.forms[0];
    for (int i = 0; i < 2; ++i) {
        const CFormLine& line = form.lines[static_cast<std::size_t>(i)];
        const std::string text = i == 0 ? r.article : std::to_string(r.quantity);
        value_set(line.variable, fit_value(text, line.maximum, line.more.alignment, i == 1));
    }
}

} // namespace

StoreTimes run_store_loop(const CParameters& p, const std::vector<StoredRecord>& records,
                          const std::filesystem::path& ramdisk, MessageSink& sink) {
    StoreTimes times;
    std::filesystem::create_directories(ramdisk);
    CRamDisk disk(ramdisk);
    TimedFiles files(disk);
    Terminal terminal;
    terminal.files = &files;
    ScopedServices installed(terminal);
    runtime_take_settings(p);
    delete_index_files();

    times.ok = true;
    const auto wall0 = Clock::now();
    const double cpu0 = thread_cpu_seconds();
    for (std::size_t i = 0; i < records.size(); ++i) {
        set_values(p, records[i]);
        if (store_record(0) != 1) {
            sink.error("store " + std::to_string(i + 1) + " of the store loop failed");
            times.ok = false;
            break;
        }
    }
    times.cpu = thread_cpu_seconds() - cpu0;
    times.wall = seconds_since(wall0);
    times.files = Share{files.seconds(), files.opening.calls + files.reading.calls + files.writing.calls +
                                             files.seeking.calls + files.folder.calls};

    // The same lines built again without storing them.
    const CParamData& data = p.dataFiles[0];
    const DateRecord date{};
    const TimeRecord time{};
    std::size_t length = 0;
    const auto build0 = Clock::now();
    for (const StoredRecord& r : records) {
        set_values(p, r);
        length += build_record(data, date, time).line.size();
    }
    times.build = seconds_since(build0);
    if (length == 0 && !records.empty()) {
        sink.error("the record builder made empty lines");
        times.ok = false;
    }
    return times;
}

} // namespace formwick::bench
