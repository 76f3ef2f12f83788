// Loading a picture file (BMP, PNG or any format Qt reads, any depth) as
// black-and-white pixels for the packed monochrome slots.
#pragma once

#include "editors/mono_bitmap.h"

#include <QString>

namespace formwick {

// Larger files are refused before decoding.
inline constexpr qint64 kMaxPictureFileSize = 100ll * 1024 * 1024;

// Decodes `path` into `pixels`. Only the top-left `limitWidth` x
// `limitHeight` pixels are kept (no slot shows more), but `pixels` keeps the
// file's own size in width and height. Returns "" on success, else the
// message to show: "Cannot load bitmap image" or "Cannot get BMP image info".
QString load_picture_file(const QString& path, int limitWidth, int limitHeight, MonoPixels& pixels);

// Converts `path` for `slot` into `buffer` (the page's conversion buffer).
// Returns the number of bytes written, or 0 with the message in `error`.
std::size_t convert_picture_file(const QString& path, PictureSlot slot, std::span<std::uint8_t> buffer,
                                 QString& error);

} // namespace formwick
