// The three pictures of a terminal model (face, pressed face, mask) and the
// regions the windows take from the mask.
//
// The pictures are drawn by tools/skins and compiled in as resources. A zoom
// enlarges all three with nearest-neighbour scaling, so the mask colours stay
// exact and every child keeps its place.
#pragma once

#include "simulator/core/keys/key_list.h"
#include "simulator/core/regions/bitmap_region.h"

#include <QImage>
#include <QRegion>

namespace formwick {

struct TerminalSkin {
    TerminalModel model = TerminalModel::KTM3300;
    QImage face, pressed, mask; // Format_RGB32, all of one size
    bool valid() const { return !face.isNull() && !pressed.isNull() && !mask.isNull(); }
};

inline constexpr QRgb kSkinTransparent = 0xFF00FF; // magenta: see-through

// Loads the model's pictures, enlarged `zoom` times; an invalid skin when a
// picture is missing or the three differ in size.
TerminalSkin load_skin(TerminalModel model, int zoom = 1);

// The mask pixels of `colour` inside the outline, in the mask's own
// coordinates.
BitmapRegion mask_region(const TerminalSkin& skin, MaskColour colour);
// Every pixel of a face that is not magenta: the window's shape.
QRegion outline_region(const QImage& face);
QRegion to_qregion(const BitmapRegion& region);
QRect to_qrect(const RegionRect& rect);

} // namespace formwick
