#include "appfile/hex_records.h"

#include "appfile/hex_digits.h"

#include <algorithm>

namespace formwick {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

void append_byte(std::string& s, std::uint8_t b) {
    s += kDigits[b >> 4];
    s += kDigits[b & 15];
}

} // namespace

std::string hex_record(std::uint8_t type, std::uint16_t address, const std::uint8_t* data, std::size_t count) {
    std::string s;
    s.reserve(11 + 2 * count);
    s += ':';
    std::uint8_t sum = static_cast<std::uint8_t>(count + (address >> 8) + (address & 0xFF) + type);
    append_byte(s, static_cast<std::uint8_t>(count));
    append_byte(s, static_cast<std::uint8_t>(address >> 8));
    append_byte(s, static_cast<std::uint8_t>(address));
    append_byte(s, type);
    for (std::size_t i = 0; i < count; ++i) {
        append_byte(s, data[i]);
        sum = static_cast<std::uint8_t>(sum + data[i]);
    }
    append_byte(s, static_cast<std::uint8_t>(-sum));
    return s;
}

bool write_block(const std::uint8_t* bytes, HexOutput& out, std::uint32_t address, std::size_t length) {
    while (length > 0) {
        std::uint32_t upper = address >> 16;
        if (upper != out.segment) {
            const std::uint8_t half[2] = {static_cast<std::uint8_t>(upper >> 8), static_cast<std::uint8_t>(upper)};
            if (!out.file.appendLine(hex_record(0x04, 0, half, 2))) return false;
            out.segment = upper;
        }
        std::size_t n = std::min(length, kHexMaxDataBytes);
        if (!out.file.appendLine(hex_record(0x00, static_cast<std::uint16_t>(address), bytes, n))) return false;
        address += static_cast<std::uint32_t>(n);
        bytes += n;
        length -= n;
    }
    return true;
}

bool write_end(HexOutput& out) { return out.file.appendLine(kHexEndRecord); }

std::size_t read_range(const std::vector<std::string>& lines, std::uint32_t& segment, std::uint32_t start,
                       std::uint32_t end, std::span<std::uint8_t> out) {
    std::size_t stored = 0;
    for (const std::string& text : lines) {
        std::string_view line = text;
        if (line == kHexEndRecord) break;
        if (line.starts_with(":02000004")) {
            long upper = hex_word_at(line, 9);
            if (upper >= 0) segment = static_cast<std::uint32_t>(upper) << 16;
            continue;
        }
        int count = hex_byte_at(line, 1);
        long low = hex_word_at(line, 3);
        if (line.empty() || line[0] != ':' || count < 0 || low < 0) continue;
        std::uint32_t address = segment + static_cast<std::uint32_t>(low);
        if (address >= end) break;
        if (address < start) continue;
        for (int i = 0; i < count; ++i) {
            int b = hex_byte_at(line, 9 + 2 * static_cast<std::size_t>(i));
            if (b < 0) break; // short line: only the whole bytes it holds
            if (stored == out.size()) return stored;
            out[stored++] = static_cast<std::uint8_t>(b);
        }
    }
    return stored;
}

} // namespace formwick
