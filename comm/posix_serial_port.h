// A serial port of this machine (a tty device) as a SerialLink, with reads
// that wait at most a given time. The port is opened non-blocking in raw
// mode: 8N1, no flow control, no echo, no line editing, every byte as it
// comes. An exclusive lock (flock) on the device tells a port in use by
// another program that honours it from a free one.
#pragma once

#include "comm/serial_link.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace formwick {

class PosixSerialPort final : public SerialLink {
  public:
    PosixSerialPort() = default;
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    bool open(const std::string& device, int baud, std::string& error) override;
    bool write(std::span<const std::uint8_t> bytes, std::string& error) override;
    void close() override;

    // Waits at most `timeout` for bytes and reads up to `capacity` of them.
    // The count read (0 when none came in time), or -1 with the reason.
    long read(std::uint8_t* buffer, std::size_t capacity, std::chrono::milliseconds timeout, std::string& error);

    bool is_open() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

// True when `baud` is a rate the serial driver accepts.
bool is_supported_baud(int baud);

} // namespace formwick
