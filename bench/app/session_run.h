// One scripted session of the benchmark application on the virtual clock,
// on the display emulation and a RAM disk folder, with the time of every
// display, file and key call counted.
#pragma once

#include "model/messages.h"
#include "model/parameters.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace formwick::bench {

struct Share {
    double seconds = 0;
    long long calls = 0;
};

struct SessionTimes {
    bool ok = false;
    std::int64_t terminalMs = 0; // virtual time the session took
    double wall = 0;             // real time of the whole run
    double processCpu = 0;       // processor time of all threads
    double runtimeCpu = 0;       // processor time of the runtime thread
    double driverCpu = 0;        // processor time of the thread playing the script
    double runtimeWall = 0;      // real time from the runtime's start to its stop
    Share keyWait;    // the runtime waiting for a key, i.e. for the script
    Share scanWait;   // the runtime waiting in a barcode read
    Share keyOther;   // key calls that do not wait
    Share drawing;    // the display emulation: text + frames + shapes
    Share text, frames, shapes;
    Share screenSave; // screen save and restore around index rebuilds
    Share files;      // every RAM disk call
    Share fileReads, fileWrites, fileOpens, fileSeeks, fileFolder;
};

SessionTimes run_session(const CParameters& parameters, const std::string& script, const std::filesystem::path& ramdisk,
                         MessageSink& sink);

} // namespace formwick::bench
