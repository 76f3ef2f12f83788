// Writing an 8-bit greyscale picture as a PNG file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace formwick {

// `gray` holds width * height bytes, top row first (0 black, 255 white).
// Returns false with a message in `error` when the file cannot be written.
bool write_gray_png(const std::string& path, int width, int height, const std::vector<std::uint8_t>& gray,
                    std::string& error);

} // namespace formwick
