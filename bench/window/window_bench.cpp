// bench_window: what the simulator window costs, measured on the real
// window with the example application (examples/stock.json):
//   - a synthetic click on a key to the changed frame painted on screen;
//   - a stop and restart of the run, and a change of model;
//   - a stop of a run waiting for a key, and of one rebuilding the index of
//     a 100,000-line lookup file (no wait inside).
// Run it under xvfb-run (or on a desktop); it prints medians and the load.
#include "appfile/definition_json.h"
#include "simulator/window/display_widget.h"
#include "simulator/window/stat_button.h"
#include "simulator/window/terminal_dialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

using namespace formwick;
using Clock = std::chrono::steady_clock;

namespace {

class QuietSink final : public MessageSink {
public:
    void error(std::string_view message) override { std::fprintf(stderr, "%.*s\n", int(message.size()), message.data()); }
};

double ms_since(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double percentile90(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() * 9 / 10];
}

std::string load_average() {
    std::ifstream in("/proc/loadavg");
    std::string a, b, c;
    in >> a >> b >> c;
    return a + " " + b + " " + c;
}

// Runs the event loop until `done` or `limit` passes.
bool spin_until(const std::function<bool()>& done, int limit_ms = 5000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > limit_ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

void press_and_release(QWidget* key) {
    const QPointF at = key->rect().center();
    QMouseEvent press(QEvent::MouseButtonPress, at, key->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, at, key->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(key, &press);
    QApplication::sendEvent(key, &release);
}

void report(const char* what, const std::vector<double>& v) {
    std::printf("%-56s median %7.2f ms  p90 %7.2f ms  (n=%zu, load %s)\n", what, median(v), percentile90(v), v.size(),
                load_average().c_str());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir ramdisk;
    std::ifstream in(FORMWICK_SOURCE_DIR "/examples/stock.json");
    std::stringstream text;
    text << in.rdbuf();
    CParameters definition;
    QuietSink sink;
    if (!definition_from_json(text.str(), definition, sink)) return 1;

    CTerminalDialog window(ramdisk.path().toStdString());
    window.set_zoom(1);
    window.apply_skin(TerminalModel::KTM3300);
    window.show();
    window.start_run(definition);
    TerminalSession& session = window.session();
    DisplayWidget* display = window.display_widget();

    // Through the start-up screen's five-second wait into the main menu.
    spin_until([&] { return session.wait_waiting(std::chrono::milliseconds(0)); });
    session.key_press(KEY_ENTER);
    spin_until([] { return false; }, 400);

    std::vector<double> clicks;
    for (int i = 0; i < 60; ++i) {
        CStatButton* key = window.key_with_code(i % 2 ? KEY_UP : KEY_DOWN);
        const auto shown = display->shown_frame();
        const auto t0 = Clock::now();
        press_and_release(key);
        if (!spin_until([&] { return display->shown_frame() != shown; })) return 1;
        clicks.push_back(ms_since(t0));
        spin_until([] { return false; }, 20);
    }
    report("click on a key to the changed frame painted", clicks);

    // Times `action` until the new run waits again, `n` times.
    const auto until_waiting = [&](int n, const std::function<void(int)>& action) {
        std::vector<double> times;
        for (int i = 0; i < n; ++i) {
            const auto t0 = Clock::now();
            action(i);
            spin_until([&] { return session.wait_waiting(std::chrono::milliseconds(0)); });
            times.push_back(ms_since(t0));
            spin_until([] { return false; }, 20);
        }
        return times;
    };
    report("stop and restart, to the start-up screen waiting", until_waiting(20, [&](int) { session.restart(); }));
    report("change of model (new face, run restarted)", until_waiting(10, [&](int i) {
               window.change_model(i % 2 ? TerminalModel::KTM3300 : TerminalModel::R58);
           }));

    // A stop of a run in each kind of wait: the time stop() holds the
    // window thread, and the time until the runtime thread has left.
    struct WaitKind {
        const char* name;
        TerminalSession::Routine routine;
    };
    const WaitKind waits[] = {
        {"a key", [] { for (;;) key_get(); }},
        {"a time-out", [] { for (;;) key_get_timeout(); }},
        {"the barcode dialog",
         [] {
             scanner_arm(0);
             char buffer[21];
             scanner_read(buffer, 20);
             for (;;) key_get();
         }},
    };
    session.set_trigger_held(true);
    for (const WaitKind& w : waits) {
        std::vector<double> calls, ends;
        for (int i = 0; i < 20; ++i) {
            session.start(w.routine, key_list(window.model()));
            spin_until([&] { return session.wait_waiting(std::chrono::milliseconds(0)) || session.barcode_waiting(); });
            spin_until([] { return false; }, 5);
            const auto t0 = Clock::now();
            session.stop();
            calls.push_back(ms_since(t0));
            session.wait_ended(std::chrono::seconds(5));
            ends.push_back(ms_since(t0));
        }
        report((std::string("stop() call, run waiting for ") + w.name).c_str(), calls);
        report((std::string("stop to the run's end, waiting for ") + w.name).c_str(), ends);
    }
    session.set_trigger_held(false);
    session.start(definition, key_list(window.model()));

    // A 100,000-line lookup file: "Input" rebuilds its index without waiting.
    {
        std::ofstream big(ramdisk.filePath("Articles.txt").toStdString(), std::ios::binary);
        for (int i = 0; i < 100000; ++i) big << (8700000000000LL + i * 7919LL % 100000000LL) << ";Article " << i << ";PCS\r\n";
    }
    {
        // The whole check and rebuild once, for scale: Input to the next wait.
        session.restart();
        spin_until([&] { return session.wait_waiting(std::chrono::milliseconds(0)); });
        session.key_press(KEY_ENTER);
        spin_until([] { return false; }, 300);
        const auto t0 = Clock::now();
        session.key_press(KEY_ENTER);
        spin_until([] { return false; }, 5);
        spin_until([&] { return session.wait_waiting(std::chrono::milliseconds(0)); }, 120000);
        report("Input with 100,000 lookup lines, to the next wait", {ms_since(t0)});
        // And to the end of the check: the runtime waits in the next menu.
        spin_until([&] { return session.wait_waiting(std::chrono::milliseconds(0)) && !session.display().frame().empty() &&
                                session.host().queued_keys() == 0; },
                   120000);
    }
    // Stops at several moments after Input, so one lands inside the rebuild.
    std::vector<double> rebuildStops;
    const int delays[] = {50, 150, 400, 800, 1600};
    for (int delay : delays) {
        session.restart();
        spin_until([&] { return session.wait_waiting(std::chrono::milliseconds(0)); });
        session.key_press(KEY_ENTER); // leave the start-up screen
        spin_until([] { return false; }, 300);
        session.key_press(KEY_ENTER); // Input: check the files, rebuild the index
        spin_until([] { return false; }, delay);
        const auto t0 = Clock::now();
        session.stop();
        session.wait_ended(std::chrono::seconds(120));
        rebuildStops.push_back(ms_since(t0));
        std::printf("  stop %4d ms after Input: ended after %.1f ms\n", delay, rebuildStops.back());
    }
    report("stop during the index rebuild of 100,000 lines", rebuildStops);
    return 0;
}
