// Fuzz inputs that carry several things at once (a data file, its index and
// a key; a font, a picture and a text) are split at a separator line, so a
// seed stays readable and the mutator can grow or shrink each part alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace formwick::fuzz {

inline constexpr std::string_view kPartSeparator = "\n~~~~\n";

// The parts of the input in order; at least one (possibly empty).
inline std::vector<std::string_view> split_parts(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> parts;
    for (std::size_t at; (at = rest.find(kPartSeparator)) != std::string_view::npos;) {
        parts.push_back(rest.substr(0, at));
        rest.remove_prefix(at + kPartSeparator.size());
    }
    parts.push_back(rest);
    return parts;
}

} // namespace formwick::fuzz
