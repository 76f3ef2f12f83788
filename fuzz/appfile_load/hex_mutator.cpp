// A mutator for application files that keeps them well-formed most of the
// time: it decodes one record, changes its bytes (data, address or type),
// or drops, repeats or moves a record, and writes every record back with
// its byte count and checksum right, so mutations get past the record
// checks and reach the block decoders. One mutation in four is libFuzzer's
// own, on the raw text, to keep exercising the record checks too.
#include "appfile/hex_records.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t max_size);

namespace {

struct Record {
    std::uint8_t type = 0;
    std::uint16_t address = 0;
    std::vector<std::uint8_t> data;
};

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A record line (checksum not examined), or nothing.
std::optional<Record> decode(std::string_view line) {
    if (line.size() < 11 || line[0] != ':' || line.size() % 2 == 0) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 1; i + 1 < line.size(); i += 2) {
        int hi = hex_value(line[i]), lo = hex_value(line[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    }
    if (bytes[0] + 5u != bytes.size()) return std::nullopt;
    Record r;
    r.address = static_cast<std::uint16_t>(bytes[1] << 8 | bytes[2]);
    r.type = bytes[3];
    r.data.assign(bytes.begin() + 4, bytes.end() - 1);
    return r;
}

std::vector<std::string> split_lines(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

std::string encode(const Record& r) {
    return formwick::hex_record(r.type, r.address, r.data.data(), r.data.size());
}

} // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t max_size,
                                               unsigned int seed) {
    std::minstd_rand rng(seed);
    if (rng() % 4 == 0) return LLVMFuzzerMutate(data, size, max_size);
    std::vector<std::string> lines = split_lines(data, size);
    // A few random picks find a record line; only that one is decoded.
    std::optional<Record> picked;
    std::size_t at = 0;
    for (int tries = 0; tries < 8 && !picked && !lines.empty(); ++tries) picked = decode(lines[at = rng() % lines.size()]);
    if (!picked) return LLVMFuzzerMutate(data, size, max_size);
    Record r = *picked;
    switch (rng() % 8) {
    case 0: // another address
        r.address = static_cast<std::uint16_t>(r.address + (rng() % 2 ? 1 : -1) * static_cast<int>(rng() % 0x400));
        lines[at] = encode(r);
        break;
    case 1: // another record type
        r.type = static_cast<std::uint8_t>(rng() % 6);
        lines[at] = encode(r);
        break;
    case 2: // drop the record
        lines.erase(lines.begin() + static_cast<long>(at));
        break;
    case 3: // repeat it somewhere else
        lines.insert(lines.begin() + static_cast<long>(rng() % (lines.size() + 1)), lines[at]);
        break;
    default: { // new bytes, at most 255 of them
        std::uint8_t buffer[255];
        std::size_t n = std::min<std::size_t>(r.data.size(), sizeof buffer);
        std::copy_n(r.data.begin(), n, buffer);
        if (n == 0) buffer[n++] = 0; // something to mutate
        n = LLVMFuzzerMutate(buffer, n, sizeof buffer);
        r.data.assign(buffer, buffer + n);
        lines[at] = encode(r);
        break;
    }
    }
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    if (out.size() > max_size) return LLVMFuzzerMutate(data, size, max_size);
    std::memcpy(data, out.data(), out.size());
    return out.size();
}
