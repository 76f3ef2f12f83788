// formwick-cli transmit FILE --port DEVICE [--baud N] [--wait SECONDS]: sends
// a file to a terminal waiting to receive it (YMODEM batch), with a progress
// line; Ctrl-C aborts and tells the terminal.
#include "cli/command.h"
#include "comm/loader.h"
#include "comm/posix_transfer.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>

#include <unistd.h>

namespace formwick::cli {

namespace {

constexpr const char* kUsage = "FILE --port DEVICE [--baud N] [--wait SECONDS]";

const HelpRegistration help("transmit",
                                "Sends FILE (an application file or any other file) over the serial port\n"
                                "DEVICE to a terminal or program that receives YMODEM (1K blocks, CRC-16).\n"
                                "\n"
                                "options:\n"
                                "  --port DEVICE   the serial device, e.g. /dev/ttyUSB0 or /dev/ttyS0\n"
                                "  --baud N        the line speed (default 115200; 8 data bits, no parity, 1 stop bit)\n"
                                "  --wait SECONDS  how long to wait for the receiver to start (default 60)\n"
                                "\n"
                                "Ctrl-C aborts the transfer and tells the receiver.\n"
                                "\n"
                                "exit status: 0 the file was sent, 1 it was not (the reason is on stderr), 2 usage\n");

std::atomic<bool> g_stop{false};

extern "C" void request_stop(int) { g_stop.store(true); }

struct TransmitArgs {
    std::string file, port;
    int baud = kDefaultBaud;
    int wait_seconds = 60;
};

bool usage(const std::string& why) {
    std::fprintf(stderr, "transmit: %s\nusage: formwick-cli transmit %s\n", why.c_str(), kUsage);
    return false;
}

bool parse_number(const std::string& text, int low, int high, int& value) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    value = std::stoi(text);
    return value >= low && value <= high;
}

bool parse_args(const Args& args, TransmitArgs& t) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!a.starts_with("--")) {
            if (!t.file.empty()) return usage("one file only, not also " + a);
            t.file = a;
            continue;
        }
        if (i + 1 == args.size()) return usage("option " + a + " needs a value or is unknown");
        const std::string& v = args[++i];
        if (a == "--port") {
            t.port = v;
        } else if (a == "--baud") {
            if (!parse_number(v, 1, 99999999, t.baud) || !is_supported_baud(t.baud))
                return usage("unsupported baud rate " + v);
        } else if (a == "--wait") {
            if (!parse_number(v, 1, 86400, t.wait_seconds)) return usage("--wait takes 1 to 86400 seconds, not " + v);
        } else {
            return usage("unknown option " + a);
        }
    }
    if (t.file.empty()) return usage("names no file");
    if (t.port.empty()) return usage("needs --port DEVICE");
    return true;
}

// The progress line: rewritten in place on a terminal, else one line per
// tenth of the file so that logs stay short.
class ProgressLine final : public LoaderObserver {
  public:
    ProgressLine() : tty_(::isatty(STDOUT_FILENO) != 0) {}

    void loader_event(const LoaderEvent& e) override {
        if (!is_under_way(e.status)) {
            end_line();
            std::FILE* to = is_failure(e.status) ? stderr : stdout;
            std::fprintf(to, "%s\n", e.text.c_str());
            return;
        }
        if (tty_) {
            std::printf("\r%-70s %3d%%", e.text.c_str(), e.position);
            std::fflush(stdout);
            open_ = true;
        } else if (e.status != shown_status_ || e.position / 10 != shown_position_ / 10) {
            std::printf("%3d%% %s\n", e.position, e.text.c_str());
            std::fflush(stdout);
        }
        shown_status_ = e.status;
        shown_position_ = e.position;
    }

  private:
    void end_line() {
        if (!open_) return;
        std::printf("\n");
        open_ = false;
    }

    bool tty_;
    bool open_ = false;
    LoaderStatus shown_status_ = LoaderStatus::Complete;
    int shown_position_ = -1;
};

int run_transmit(const Args& args) {
    TransmitArgs t;
    if (!parse_args(args, t)) return kExitUsage;

    LoaderSettings settings;
    settings.baud = t.baud;
    settings.timeouts.start = std::chrono::seconds(t.wait_seconds);
    PosixSerialPort port;
    ProgressLine progress;
    Loader loader(port, progress, settings);
    loader.set_port(t.port);
    loader.set_path(t.file);

    std::signal(SIGINT, request_stop);
    std::signal(SIGTERM, request_stop);
    if (loader.start(steady_now())) drive_transfer(loader, port, g_stop);
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    return loader.last_event().status == LoaderStatus::Complete ? kExitOk : kExitRefused;
}

const Registration reg({"transmit", "FILE --port DEVICE [options]", "send a file to a terminal over a serial port (YMODEM)", 80, 1, 7,
                        run_transmit});

} // namespace

} // namespace formwick::cli
