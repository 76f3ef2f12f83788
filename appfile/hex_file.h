// An Intel HEX file read into memory and verified, for loading.
//
// parse() checks every line before anything is taken from the file: a colon,
// upper-case hex digits only, a length that matches the byte count, a known
// record type, a correct checksum, data records in ascending address order
// without overlaps, and nothing after the end record. The first fault is
// reported with its line number (1-based, as an editor shows it).
//
// collect() then serves any address range by binary search over the data
// records, so loading many ranges does not rescan the file for each one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace formwick {

class HexFile {
public:
    struct Record {
        std::uint32_t address; // full 32-bit address
        std::uint32_t offset;  // first byte in bytes()
        std::uint16_t count;
        int line;              // 1-based line number
    };

    // False, with `error` set to a message naming the line, when a line is
    // damaged. Empty lines are ignored.
    bool parse(const std::vector<std::string>& lines, std::string& error);

    // Stores the bytes of every data record whose address lies in
    // [start, end) into `out`, in address order; returns how many were
    // stored. Never stores more than `out` holds.
    std::size_t collect(std::uint32_t start, std::uint32_t end, std::span<std::uint8_t> out) const;
    // How many data bytes the records starting in [start, end) carry.
    std::size_t bytes_in(std::uint32_t start, std::uint32_t end) const;

    const std::vector<Record>& records() const { return records_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<Record>::const_iterator first_at(std::uint32_t address) const;

    std::vector<Record> records_;
    std::vector<std::uint8_t> bytes_;
};

} // namespace formwick
