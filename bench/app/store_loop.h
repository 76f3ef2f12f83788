// The record store without the form around it: the values a form would
// leave in Var 1 and Var 2 are set directly and the record is built and
// stored, once per record, so the cost of building and of the database can
// be told apart from the session's.
#pragma once

#include "bench/app/bench_application.h"
#include "bench/app/session_run.h"

#include <filesystem>

namespace formwick::bench {

struct StoreTimes {
    bool ok = false;
    double wall = 0;  // all stores
    double cpu = 0;   // processor time of all stores
    double build = 0; // building the record lines alone, as often again
    Share files;      // RAM disk calls made by the stores
};

StoreTimes run_store_loop(const CParameters& parameters, const std::vector<StoredRecord>& records,
                          const std::filesystem::path& ramdisk, MessageSink& sink);

} // namespace formwick::bench
