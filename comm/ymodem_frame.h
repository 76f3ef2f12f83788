// The blocks of a YMODEM batch as they go over the line.
//
//   SOH n ~n <128 data bytes> CRChi CRClo     a short block
//   STX n ~n <1024 data bytes> CRChi CRClo    a long block
//
// n is the block number modulo 256 and ~n its complement; the CRC (crc16.h)
// covers the data bytes only. Block 0 of a file is its header: the file name,
// a NUL, the size in decimal, a NUL, the rest zero. Data blocks count from 1;
// the last one is padded with SUB (0x1A) and the receiver cuts the file to
// the size of the header. An all-zero block 0 ends the batch.
//
// The control bytes the receiver answers with: 'C' asks for the next block 0
// or block 1 with CRC-16, ACK accepts a block, NAK asks for it again, two CAN
// in a row cancel. The sender ends a file with EOT and cancels with CANs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace formwick::ymodem {

inline constexpr std::uint8_t kSoh = 0x01;
inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEot = 0x04;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kCan = 0x18;
inline constexpr std::uint8_t kCrcRequest = 'C';
inline constexpr std::uint8_t kPad = 0x1A;

inline constexpr std::size_t kShortBlock = 128;
inline constexpr std::size_t kLongBlock = 1024;
inline constexpr std::size_t kFrameOverhead = 5; // start byte, number, complement, two CRC bytes

using Bytes = std::vector<std::uint8_t>;

// One framed block of `block_size` (kShortBlock or kLongBlock) data bytes:
// `size` bytes of `data`, then `pad` up to the block size.
Bytes frame_block(std::uint8_t number, const std::uint8_t* data, std::size_t size, std::size_t block_size,
                  std::uint8_t pad);

// The header of one file. Short unless the name needs the long block; empty
// when the name is empty, holds a NUL or '/', or does not fit a long block.
Bytes header_block(std::string_view name, std::uint64_t size);

// The all-zero block 0 that ends the batch.
Bytes end_of_batch_block();

// Data block `number` (from 1) of a file of `file_size` bytes: long, except
// that a last piece of at most 128 bytes goes in a short block.
struct DataBlock {
    std::size_t offset;
    std::size_t size;       // file bytes in it
    std::size_t block_size; // kShortBlock or kLongBlock
};
DataBlock data_block(std::size_t number, std::size_t file_size);
// How many data blocks a file of `file_size` bytes takes.
std::size_t data_block_count(std::size_t file_size);

} // namespace formwick::ymodem
