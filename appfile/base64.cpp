#include "appfile/base64.h"

namespace formwick {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int sextet(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

} // namespace

std::string base64_encode(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t n = std::uint32_t{bytes[i]} << 16;
        std::size_t left = bytes.size() - i;
        if (left > 1) n |= std::uint32_t{bytes[i + 1]} << 8;
        if (left > 2) n |= bytes[i + 2];
        out += kAlphabet[n >> 18 & 63];
        out += kAlphabet[n >> 12 & 63];
        out += left > 1 ? kAlphabet[n >> 6 & 63] : '=';
        out += left > 2 ? kAlphabet[n & 63] : '=';
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> base64_decode(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::vector<std::uint8_t> out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        bool last = i + 4 == text.size();
        int pad = last ? (text[i + 3] == '=') + (text[i + 2] == '=' && text[i + 3] == '=') : 0;
        std::uint32_t n = 0;
        for (int k = 0; k < 4; ++k) {
            int v = k >= 4 - pad ? 0 : sextet(text[i + k]);
            if (v < 0) return std::nullopt;
            n = n << 6 | static_cast<std::uint32_t>(v);
        }
        out.push_back(static_cast<std::uint8_t>(n >> 16));
        if (pad < 2) out.push_back(static_cast<std::uint8_t>(n >> 8));
        if (pad < 1) out.push_back(static_cast<std::uint8_t>(n));
        // Canonical only: the bits a padded group leaves over must be zero.
        if ((pad == 1 && (n & 0xFF)) || (pad == 2 && (n & 0xFFFF))) return std::nullopt;
    }
    return out;
}

} // namespace formwick
