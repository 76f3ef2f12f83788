// Intel HEX records with 32-bit addressing.
//
// Every record is one line: ':' and pairs of upper-case hex digits
//
//   :CCAAAATT<data>SS      CC   byte count (data records carry at most 16)
//                          AAAA low 16 bits of the address
//                          TT   00 data, 01 end of file, 04 extended linear address
//                          SS   two's complement of the 8-bit sum of every
//                               byte before it, so the whole record sums to 0
//
// An extended linear address record ":02000004HHHHSS" sets the upper 16 bits
// of the addresses of the data records that follow. The writer puts one
// before the first data record of every file and wherever the upper half
// changes from the record written before; a block of bytes is cut into
// records of 16 bytes from its own start address, the last one carrying the
// remainder. Blocks never cross a 64 KB boundary inside a record.
#pragma once

#include "appfile/text_file.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace formwick {

inline constexpr std::string_view kHexEndRecord = ":00000001FF";
inline constexpr std::size_t kHexMaxDataBytes = 16;

// Where the records of one file go, and the upper address half written last.
// A fresh output has no segment, so its first data record is always preceded
// by an extended linear address record.
struct HexOutput {
    explicit HexOutput(CTextFile& f) : file(f) {}
    CTextFile& file;
    std::uint32_t segment = 0xFFFF; // no image address has this upper half
};

// Writes `length` bytes at terminal address `address` as data records.
// Nothing is written for a length of 0. False on a write error.
bool write_block(const std::uint8_t* bytes, HexOutput& out, std::uint32_t address, std::size_t length);
// Writes the end-of-file record.
bool write_end(HexOutput& out);

// The text of one record (without line terminator), checksum included.
std::string hex_record(std::uint8_t type, std::uint16_t address, const std::uint8_t* data, std::size_t count);

// Scans `lines` from the first and stores into `out` the data bytes of every
// data record whose address lies in [start, end); returns the number of bytes
// stored. `segment` is the caller's upper address, updated by the extended
// linear address records met. The scan ends at the end record, at the first
// data record at or beyond `end`, or when `out` is full (the surplus is
// dropped). A line too short for what its count promises gives only the
// whole bytes it holds; a line that is not a record is skipped. Checksums and
// other record types are not examined: callers verify files with
// HexFile::parse first.
std::size_t read_range(const std::vector<std::string>& lines, std::uint32_t& segment, std::uint32_t start,
                       std::uint32_t end, std::span<std::uint8_t> out);

} // namespace formwick
