// Plays a key script into a running virtual-time terminal.
//
// Before every command the executor waits for the runtime to settle in a
// wait, so each key is taken before the next one comes and a run repeats
// exactly. Commands are dispatched through a table, one handler each.
#pragma once

#include "simulator/core/host/terminal_host.h"
#include "simulator/core/runner/expectation_probe.h"
#include "simulator/core/runner/key_script.h"
#include "simulator/core/runner/screen_dump.h"
#include "simulator/core/runner/script_barcodes.h"

#include <chrono>
#include <filesystem>
#include <ostream>

namespace formwick {

struct ExecutorOptions {
    TerminalModel model = TerminalModel::KTM3300;
    ScreenDump* screen = nullptr;          // SCREEN needs it
    std::ostream* out = nullptr;           // printed screens and notes
    std::ostream* warnings = nullptr;      // what the player warns of (else `out`)
    std::filesystem::path outputDir;       // where relative SCREEN files go
    bool numberedPngs = false;             // every printed SCREEN also saved in outputDir
    FileService* files = nullptr;          // the RAM disk, for EXPECT FILE
    ExpectationProbe* probe = nullptr;     // the program's values, for EXPECT VAR
    std::chrono::milliseconds busyLimit{10000}; // real time the runtime may work without waiting
};

// What needs the terminal model: keys it lacks, characters it cannot type.
// Reports "line N: ..." for each; true when there is nothing.
bool check_key_script(const KeyScript& script, TerminalModel model, MessageSink& sink);

class ScriptExecutor {
public:
    ScriptExecutor(CTerminal& terminal, ScriptBarcodes& barcodes, const ExecutorOptions& options);

    // Runs the commands in order; stops at the first that fails (reported
    // to `sink`) and returns false then. Waits for the runtime to settle
    // after the last command.
    bool execute(const KeyScript& script, MessageSink& sink);

private:
    using Handler = bool (ScriptExecutor::*)(const ScriptCommand&, MessageSink&);
    static Handler handler(ScriptOp op);

    bool settle(const ScriptCommand& cmd, MessageSink& sink, bool finishedIsFine);
    bool press(int code, const ScriptCommand& cmd, MessageSink& sink);
    bool commit_pending_letter(const ScriptCommand& cmd, MessageSink& sink);
    bool commit_letter_before(int code, const ScriptCommand& cmd, MessageSink& sink);
    void note(const ScriptCommand& cmd, const std::string& text);
    void warn(const ScriptCommand& cmd, const std::string& text);

    bool do_press(const ScriptCommand& cmd, MessageSink& sink);
    bool do_digits(const ScriptCommand& cmd, MessageSink& sink);
    bool do_type(const ScriptCommand& cmd, MessageSink& sink);
    bool do_scan(const ScriptCommand& cmd, MessageSink& sink);
    bool do_wait(const ScriptCommand& cmd, MessageSink& sink);
    bool do_screen(const ScriptCommand& cmd, MessageSink& sink);
    bool do_alpha(const ScriptCommand& cmd, MessageSink& sink);
    bool do_clock(const ScriptCommand& cmd, MessageSink& sink);
    bool do_expect_screen(const ScriptCommand& cmd, MessageSink& sink);
    bool do_expect_line(const ScriptCommand& cmd, MessageSink& sink);
    bool do_expect_lines(const ScriptCommand& cmd, MessageSink& sink);
    bool do_expect_variable(const ScriptCommand& cmd, MessageSink& sink);
    bool do_expect_no_file(const ScriptCommand& cmd, MessageSink& sink);
    bool do_expect_bytes(const ScriptCommand& cmd, MessageSink& sink);
    bool do_expect_box(const ScriptCommand& cmd, MessageSink& sink);

    // Reports a failed expectation: the line, what was expected, what was
    // found, and the screen as text. Always false.
    bool expectation_failed(const ScriptCommand& cmd, MessageSink& sink, const std::string& expected,
                            const std::string& found);
    // The lines of the RAM disk file of `cmd`; false, reported, when there
    // is no such file.
    bool file_lines(const ScriptCommand& cmd, MessageSink& sink, std::vector<std::string>& lines);
    bool save_numbered_png(const ScriptCommand& cmd, MessageSink& sink);

    CTerminal& terminal_;
    ScriptBarcodes& barcodes_;
    ExecutorOptions options_;
    int printedScreens_ = 0;
};

} // namespace formwick
