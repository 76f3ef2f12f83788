// Paints the three pictures of a terminal face from its layout: the face,
// the face with every key pressed, and the mask in the key list's colours.
#pragma once

#include "skin_layout.h"

#include <QImage>

#include <span>

namespace formwick::skins {

// The outline alone: kMaskBody inside, magenta outside, not smoothed.
QImage paint_outline(const SkinLayout& layout);
// Magenta outside the outline; inside, every part in its key-list colour
// and the rest of the body in kMaskBody. No smoothing: the colours are exact.
// (The KTM3300's ENTER key is magenta too: the faces, not the mask, say
// what is see-through.)
QImage paint_mask(const SkinLayout& layout, std::span<const KeyListEntry> keys);
// The face, smoothed inside, magenta exactly outside the outline.
QImage paint_face(const SkinLayout& layout, bool pressed);

inline constexpr QRgb kMagenta = 0xFFFF00FF;
inline constexpr QRgb kMaskBody = 0xFF808080; // a colour no key list uses

} // namespace formwick::skins
