// A serial port that keeps the pace of a real line. A pseudo-terminal moves
// bytes as fast as the processes at its ends run, whatever baud rate it is
// set to; a UART shifts out 10 bits per byte (8N1). This link hands each
// write to the port only when its last byte would have left the line, so the
// receiver sees every block when it would have on a cable, and answers then.
#pragma once

#include "comm/posix_serial_port.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace formwick::bench {

class PacedLink final : public SerialLink {
  public:
    explicit PacedLink(PosixSerialPort& port) : port_(port) {}

    bool open(const std::string& device, int baud, std::string& error) override {
        baud_ = baud;
        line_free_ = Clock::now();
        return port_.open(device, baud, error);
    }
    bool write(std::span<const std::uint8_t> bytes, std::string& error) override {
        const auto wire = std::chrono::nanoseconds(static_cast<long long>(bytes.size()) * 10 * 1'000'000'000LL / baud_);
        line_free_ = std::max(line_free_, Clock::now()) + wire;
        std::this_thread::sleep_until(line_free_);
        return port_.write(bytes, error);
    }
    void close() override { port_.close(); }

  private:
    using Clock = std::chrono::steady_clock;
    PosixSerialPort& port_;
    int baud_ = 115200;
    Clock::time_point line_free_;
};

} // namespace formwick::bench
