#include "appfile/hex_file.h"

#include "appfile/hex_digits.h"

#include <algorithm>
#include <cstdio>

namespace formwick {

namespace {

std::string damaged(int line, const char* what) {
    return "Damaged application file: line " + std::to_string(line) + " " + what;
}

// Checks the characters of one line and decodes its bytes. Returns an empty
// string or the fault.
std::string decode_line(std::string_view line, int number, std::vector<std::uint8_t>& bytes) {
    if (line.empty() || line[0] != ':') return damaged(number, "is not a HEX record");
    for (std::size_t i = 1; i < line.size(); ++i) {
        char c = line[i];
        if (hex_digit(c) >= 0) continue;
        if ((c >= 'a' && c <= 'f')) return damaged(number, "has lower-case hexadecimal digits");
        return damaged(number, "holds a character that is not a hexadecimal digit");
    }
    if (line.size() < 11 || line.size() % 2 == 0) return damaged(number, "is truncated");
    std::size_t count = static_cast<std::size_t>(hex_byte_at(line, 1));
    std::size_t expected = 11 + 2 * count;
    if (line.size() < expected) return damaged(number, "is truncated");
    if (line.size() > expected) return damaged(number, "is longer than its byte count says");
    bytes.clear();
    std::uint8_t sum = 0;
    for (std::size_t pos = 1; pos < line.size(); pos += 2) {
        std::uint8_t b = static_cast<std::uint8_t>(hex_byte_at(line, pos));
        bytes.push_back(b);
        sum = static_cast<std::uint8_t>(sum + b);
    }
    if (sum != 0) return damaged(number, "has a wrong checksum");
    return {};
}

} // namespace

bool HexFile::parse(const std::vector<std::string>& lines, std::string& error) {
    records_.clear();
    bytes_.clear();
    std::uint32_t segment = 0;
    std::uint64_t next_free = 0; // first address after the last data record
    bool ended = false;
    std::vector<std::uint8_t> rec; // count, address hi, lo, type, data..., checksum
    for (std::size_t i = 0; i < lines.size(); ++i) {
        int number = static_cast<int>(i) + 1;
        if (lines[i].empty()) continue;
        if (ended) {
            error = damaged(number, "follows the end record");
            return false;
        }
        error = decode_line(lines[i], number, rec);
        if (!error.empty()) return false;
        std::uint16_t count = rec[0];
        std::uint16_t low = static_cast<std::uint16_t>(rec[1] << 8 | rec[2]);
        switch (rec[3]) {
        case 0x00: {
            std::uint32_t address = segment + low;
            if (address < next_free) {
                error = damaged(number, "is out of address order");
                return false;
            }
            if (low + count > 0x10000) {
                error = damaged(number, "crosses a 64 KB boundary");
                return false;
            }
            if (count == 0) break;
            records_.push_back({address, static_cast<std::uint32_t>(bytes_.size()), count, number});
            bytes_.insert(bytes_.end(), rec.begin() + 4, rec.begin() + 4 + count);
            next_free = std::uint64_t{address} + count;
            break;
        }
        case 0x01:
            ended = true;
            break;
        case 0x04:
            if (count != 2 || low != 0) {
                error = damaged(number, "is not a valid extended address record");
                return false;
            }
            segment = static_cast<std::uint32_t>(rec[4] << 8 | rec[5]) << 16;
            break;
        default: {
            char what[48];
            std::snprintf(what, sizeof what, "has an unsupported record type %02X", rec[3]);
            error = damaged(number, what);
            return false;
        }
        }
    }
    error.clear();
    return true;
}

std::vector<HexFile::Record>::const_iterator HexFile::first_at(std::uint32_t address) const {
    return std::lower_bound(records_.begin(), records_.end(), address,
                            [](const Record& r, std::uint32_t a) { return r.address < a; });
}

std::size_t HexFile::collect(std::uint32_t start, std::uint32_t end, std::span<std::uint8_t> out) const {
    std::size_t stored = 0;
    for (auto it = first_at(start); it != records_.end() && it->address < end; ++it) {
        std::size_t n = std::min<std::size_t>(it->count, out.size() - stored);
        std::copy_n(bytes_.begin() + it->offset, n, out.begin() + stored);
        stored += n;
        if (stored == out.size()) break;
    }
    return stored;
}

std::size_t HexFile::bytes_in(std::uint32_t start, std::uint32_t end) const {
    std::size_t total = 0;
    for (auto it = first_at(start); it != records_.end() && it->address < end; ++it) total += it->count;
    return total;
}

} // namespace formwick
