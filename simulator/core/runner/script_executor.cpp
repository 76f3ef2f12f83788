#include "simulator/core/runner/script_executor.h"

#include "simulator/core/keys/key_names.h"
#include "simulator/core/keys/typing_plan.h"

#include <fstream>

namespace formwick {

namespace {

// Enough terminal time for a pending multi-tap letter to be committed.
constexpr HostClock::Millis kCommitMs = MultiTap::kCommitTicks * CTerminal::kTickMs;
// How long a SCAN keeps the trigger held for a barcode read to pick it up.
constexpr HostClock::Millis kScanHoldMs = 1000;

std::string describe_char(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 32 && u < 127) return std::string("'") + c + "'";
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", u);
    return std::string("the byte ") + hex;
}

} // namespace

bool check_key_script(const KeyScript& script, TerminalModel model, MessageSink& sink) {
    const auto keys = key_list(model);
    bool ok = true;
    std::vector<TypingStep> steps;
    for (const ScriptCommand& cmd : script.commands) {
        if (cmd.op == ScriptOp::press && !find_key(keys, cmd.key)) {
            sink.error(at_line(cmd) + "the " + model_name(model) + " has no " + key_name(cmd.key) + " key");
            ok = false;
        }
        if (cmd.op == ScriptOp::type || cmd.op == ScriptOp::digits) {
            std::size_t bad = 0;
            if (!plan_typing(cmd.text, keys, steps, bad)) {
                sink.error(at_line(cmd) + "no key of the " + model_name(model) + " types " +
                           describe_char(cmd.text[bad]));
                ok = false;
            }
        }
    }
    return ok;
}

ScriptExecutor::ScriptExecutor(CTerminal& terminal, ScriptBarcodes& barcodes, const ExecutorOptions& options)
    : terminal_(terminal), barcodes_(barcodes), options_(options) {}

ScriptExecutor::Handler ScriptExecutor::handler(ScriptOp op) {
    switch (op) {
    case ScriptOp::press: return &ScriptExecutor::do_press;
    case ScriptOp::digits: return &ScriptExecutor::do_digits;
    case ScriptOp::type: return &ScriptExecutor::do_type;
    case ScriptOp::scan: return &ScriptExecutor::do_scan;
    case ScriptOp::wait: return &ScriptExecutor::do_wait;
    case ScriptOp::screen: return &ScriptExecutor::do_screen;
    case ScriptOp::alpha: return &ScriptExecutor::do_alpha;
    case ScriptOp::clock: return &ScriptExecutor::do_clock;
    case ScriptOp::expect_screen: return &ScriptExecutor::do_expect_screen;
    case ScriptOp::expect_line: return &ScriptExecutor::do_expect_line;
    case ScriptOp::expect_lines: return &ScriptExecutor::do_expect_lines;
    case ScriptOp::expect_variable: return &ScriptExecutor::do_expect_variable;
    case ScriptOp::expect_no_file: return &ScriptExecutor::do_expect_no_file;
    case ScriptOp::expect_bytes: return &ScriptExecutor::do_expect_bytes;
    case ScriptOp::expect_box: return &ScriptExecutor::do_expect_box;
    }
    return nullptr;
}

bool ScriptExecutor::execute(const KeyScript& script, MessageSink& sink) {
    for (const ScriptCommand& cmd : script.commands) {
        // Screens and expectations still look at what a run that ended left.
        const bool finishedIsFine = cmd.op == ScriptOp::screen || script_op_checks(cmd.op);
        if (!settle(cmd, sink, finishedIsFine)) return false;
        if (!(this->*handler(cmd.op))(cmd, sink)) return false;
    }
    ScriptCommand end;
    end.line = script.commands.empty() ? 0 : script.commands.back().line;
    return settle(end, sink, true);
}

bool ScriptExecutor::settle(const ScriptCommand& cmd, MessageSink& sink, bool finishedIsFine) {
    switch (terminal_.wait_idle(options_.busyLimit)) {
    case RuntimeState::waiting: return true;
    case RuntimeState::finished:
        if (finishedIsFine) return true;
        sink.error(at_line(cmd) + "the run ended before this line");
        return false;
    case RuntimeState::busy: break;
    }
    sink.error(at_line(cmd) + "the terminal did not wait for input within " +
               std::to_string(options_.busyLimit.count()) + " ms");
    return false;
}

bool ScriptExecutor::press(int code, const ScriptCommand& cmd, MessageSink& sink) {
    if (!settle(cmd, sink, false) || !commit_letter_before(code, cmd, sink)) return false;
    terminal_.key_press(code);
    return true;
}

// Lets the multi-tap second pass, so a pending letter is queued on its own.
bool ScriptExecutor::commit_pending_letter(const ScriptCommand& cmd, MessageSink& sink) {
    if (!terminal_.pending_letter()) return true;
    terminal_.advance(kCommitMs, options_.busyLimit); // a busy terminal is reported by the settle
    return settle(cmd, sink, false);
}

// A key that taps no letter would reach the queue together with the letter
// still pending, and the runtime's read takes only the first of a burst:
// the letter is committed first, so it is taken on its own.
bool ScriptExecutor::commit_letter_before(int code, const ScriptCommand& cmd, MessageSink& sink) {
    const KeyListEntry* key = find_key(key_list(options_.model), code);
    if (key && key->alphaCode == 0 && key->letters && key->letters[0] && terminal_.alpha_mode()) return true;
    return commit_pending_letter(cmd, sink);
}

void ScriptExecutor::note(const ScriptCommand& cmd, const std::string& text) {
    if (options_.out) *options_.out << at_line(cmd) << text << "\n";
}

void ScriptExecutor::warn(const ScriptCommand& cmd, const std::string& text) {
    if (std::ostream* to = options_.warnings ? options_.warnings : options_.out) *to << at_line(cmd) << text << "\n";
}

bool ScriptExecutor::do_press(const ScriptCommand& cmd, MessageSink& sink) {
    for (int i = 0; i < cmd.repeat; ++i)
        if (!press(cmd.key, cmd, sink)) return false;
    return true;
}

// Digits and text go through the same plan; only alpha mode differs, and
// the mode the script had set is restored afterwards.
bool ScriptExecutor::do_type(const ScriptCommand& cmd, MessageSink& sink) {
    std::vector<TypingStep> steps;
    std::size_t bad = 0;
    if (!plan_typing(cmd.text, key_list(options_.model), steps, bad)) {
        sink.error(at_line(cmd) + "no key types " + describe_char(cmd.text[bad]));
        return false;
    }
    const bool alphaBefore = terminal_.alpha_mode();
    // A letter left pending by the keys before is not part of the text.
    if (!commit_pending_letter(cmd, sink)) return false;
    int lastTapped = 0;
    for (const TypingStep& step : steps) {
        if (terminal_.alpha_mode() != step.alpha) {
            if (!settle(cmd, sink, false)) return false;
            terminal_.set_alpha_mode(step.alpha);
        }
        // Another letter of the same key: let the pending one commit first.
        if (step.alpha && step.code == lastTapped && !commit_pending_letter(cmd, sink)) return false;
        for (int i = 0; i < step.taps; ++i)
            if (!press(step.code, cmd, sink)) return false;
        lastTapped = step.alpha ? step.code : 0;
    }
    if (!commit_pending_letter(cmd, sink)) return false;
    if (terminal_.alpha_mode() != alphaBefore) {
        if (!settle(cmd, sink, false)) return false;
        terminal_.set_alpha_mode(alphaBefore);
    }
    return true;
}

bool ScriptExecutor::do_digits(const ScriptCommand& cmd, MessageSink& sink) { return do_type(cmd, sink); }

// The trigger stays held until a read takes the barcode, or for at most a
// second of terminal time; a barcode nobody read is withdrawn with a note.
bool ScriptExecutor::do_scan(const ScriptCommand& cmd, MessageSink& sink) {
    if (!commit_letter_before(KEY_TRIGGER, cmd, sink)) return false;
    barcodes_.offer(cmd.text);
    terminal_.set_trigger_held(true);
    terminal_.key_press(KEY_TRIGGER);
    bool ok = true;
    for (HostClock::Millis held = 0; ok && !barcodes_.taken() && held < kScanHoldMs; held += CTerminal::kTickMs) {
        const RuntimeState state = terminal_.wait_idle(options_.busyLimit);
        if (state == RuntimeState::finished || barcodes_.taken()) break;
        ok = state == RuntimeState::waiting && terminal_.advance(CTerminal::kTickMs, options_.busyLimit);
    }
    if (ok) ok = settle(cmd, sink, false);
    terminal_.set_trigger_held(false);
    if (barcodes_.withdraw()) warn(cmd, "no barcode read took \"" + cmd.text + "\"; the trigger acted as a key");
    if (const int limit = barcodes_.refused_limit(); limit >= 0)
        warn(cmd, "the terminal refused \"" + cmd.text + "\": " + std::to_string(cmd.text.size()) +
                      " characters, longer than the " + std::to_string(limit) + " the read takes");
    return ok;
}

bool ScriptExecutor::do_wait(const ScriptCommand& cmd, MessageSink& sink) {
    if (terminal_.advance(cmd.ms, options_.busyLimit)) return true;
    return settle(cmd, sink, false);
}

bool ScriptExecutor::do_screen(const ScriptCommand& cmd, MessageSink& sink) {
    if (!options_.screen) {
        sink.error(at_line(cmd) + "SCREEN: this run has no screen to show");
        return false;
    }
    const auto view = [&] { return cmd.pixels ? options_.screen->pixel_view() : options_.screen->text_view(); };
    if (cmd.text.empty()) {
        if (options_.out) *options_.out << view();
        return !options_.numberedPngs || save_numbered_png(cmd, sink);
    }
    std::filesystem::path path(cmd.text);
    if (path.is_relative() && !options_.outputDir.empty()) path = options_.outputDir / path;
    std::string ext = path.extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".png") {
        std::string error;
        if (options_.screen->write_png(path.string(), error)) return true;
        sink.error(at_line(cmd) + "SCREEN: " + error);
        return false;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << view();
    if (file.flush()) return true;
    sink.error(at_line(cmd) + "SCREEN: cannot write " + path.string());
    return false;
}

// Printed screens are numbered in the order they are printed, with the
// script line: screen-03-line12.png.
bool ScriptExecutor::save_numbered_png(const ScriptCommand& cmd, MessageSink& sink) {
    char name[48];
    std::snprintf(name, sizeof name, "screen-%02d-line%d.png", ++printedScreens_, cmd.line);
    std::string error;
    const std::string path = (options_.outputDir / name).string();
    if (options_.screen->write_png(path, error)) {
        note(cmd, "saved " + path);
        return true;
    }
    sink.error(at_line(cmd) + "SCREEN: " + error);
    return false;
}

bool ScriptExecutor::do_alpha(const ScriptCommand& cmd, MessageSink&) {
    terminal_.set_alpha_mode(cmd.alpha < 0 ? !terminal_.alpha_mode() : cmd.alpha == 1);
    return true;
}

bool ScriptExecutor::do_clock(const ScriptCommand& cmd, MessageSink& sink) {
    if (terminal_.calendar().set_now(cmd.date, cmd.time)) return true;
    sink.error(at_line(cmd) + "CLOCK: no such date or time");
    return false;
}

} // namespace formwick
