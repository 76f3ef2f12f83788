// CRC-16 of the transfer blocks: polynomial 0x1021 (x^16 + x^12 + x^5 + 1),
// initial value 0, no reflection, no final XOR. The receiver checks it over
// the data of a block and expects it high byte first after the data.
// The CRC of "123456789" is 0x31C3.
#pragma once

#include <cstddef>
#include <cstdint>

namespace formwick {

std::uint16_t crc16(const std::uint8_t* data, std::size_t size, std::uint16_t crc = 0);

} // namespace formwick
