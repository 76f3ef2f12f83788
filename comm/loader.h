// The loader: sends one file to a terminal over a serial port as a YMODEM
// batch, and reports progress events (loader_event.h).
//
// The contract a front end drives:
//
//   set_port(device)   the serial device ("/dev/ttyUSB0")
//   set_path(file)     the file to send
//   start(now)         reads the file, opens the port, waits for the receiver;
//                      false (after its final event) when it cannot start
//   abort(now)         stops a running transfer: the receiver is told (CANs)
//                      at once; the final event (Aborted) follows when the
//                      receiver has gone quiet, about a second later
//
// and, as the owner of the port and of the clock:
//
//   receive(bytes, now)  every byte that arrives on the port
//   tick(now)            when deadline() has passed (a timer)
//   link_failed(reason)  when the port reports an error
//
// until running() turns false. Every call returns at once (but for the
// port's own close, which lets the last bytes leave); all of them come from
// one thread, the one that receives the events. The loader writes to the
// port and closes it when the transfer ends. `now` is any steady clock in
// milliseconds.
//
// Over an event-driven port (a window's QSerialPort): a SerialLink whose
// open/write/close use the port, the port's data-ready signal calling
// receive(), a single-shot timer set to deadline() after every call calling
// tick(), and the port's error signal calling link_failed(). The command
// line uses PosixSerialPort and drive_transfer() (posix_transfer.h).
#pragma once

#include "comm/loader_event.h"
#include "comm/serial_link.h"
#include "comm/ymodem_sender.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace formwick {

inline constexpr int kDefaultBaud = 115200;

struct LoaderSettings {
    int baud = kDefaultBaud;
    YmodemTimeouts timeouts;
};

class Loader {
  public:
    Loader(SerialLink& link, LoaderObserver& observer, LoaderSettings settings = {});
    ~Loader();
    Loader(const Loader&) = delete;
    Loader& operator=(const Loader&) = delete;

    void set_port(std::string device) { device_ = std::move(device); }
    void set_path(std::filesystem::path file) { path_ = std::move(file); }
    void set_settings(const LoaderSettings& settings) { settings_ = settings; }
    bool start(Millis now);
    void abort(Millis now);

    void receive(std::span<const std::uint8_t> bytes, Millis now);
    void tick(Millis now);
    void link_failed(const std::string& reason);

    bool running() const { return sender_ != nullptr; }
    // When tick() is due; meaningful while running.
    Millis deadline() const;
    // The last event sent to the observer.
    const LoaderEvent& last_event() const { return last_; }

  private:
    void after_step();
    void end(LoaderStatus status, std::string text);
    LoaderEvent progress_event() const;
    void emit(LoaderEvent event);

    SerialLink& link_;
    LoaderObserver& observer_;
    LoaderSettings settings_;
    std::string device_;
    std::filesystem::path path_;
    std::unique_ptr<YmodemSender> sender_; // set while a transfer runs
    LoaderEvent last_;
};

} // namespace formwick
