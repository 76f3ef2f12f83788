// Base64 (RFC 4648, with padding) for binary data inside JSON texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace formwick {

std::string base64_encode(const std::vector<std::uint8_t>& bytes);
// Nothing for text that is not canonical padded base64 (no whitespace).
std::optional<std::vector<std::uint8_t>> base64_decode(std::string_view text);

} // namespace formwick
