// The serial port as a loader needs it: open, write, close. Bytes that arrive
// are not read through this interface: whoever owns the port hands them to
// the loader (Loader::receive), from a read loop or from a port's
// data-ready notification.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace formwick {

class SerialLink {
  public:
    virtual ~SerialLink() = default;
    // Opens `device` at `baud` with 8 data bits, no parity, one stop bit and
    // no flow control. Bytes the receiver sent before the port was opened
    // (its first 'C' while it waits) are kept, not flushed: receivers repeat
    // the request only every several seconds. False with the reason in
    // `error` ("no such device", "in use by another program", ...).
    virtual bool open(const std::string& device, int baud, std::string& error) = 0;
    // Sends every byte in order (or queues them to be sent so). False with
    // the reason when the port fails.
    virtual bool write(std::span<const std::uint8_t> bytes, std::string& error) = 0;
    // Lets what was written go out, within a bounded time, and closes.
    // Does nothing when the port is not open.
    virtual void close() = 0;
};

} // namespace formwick
