#include "tools/icon/icon_shapes.h"

namespace formwick::icon {

namespace {

constexpr std::uint32_t kBody = 0x3a4650;
constexpr std::uint32_t kBodyEdge = 0x222a31;
constexpr std::uint32_t kScanWindow = 0xb8323a;
constexpr std::uint32_t kBezel = 0x1b2126;
constexpr std::uint32_t kLcd = 0xbcd4a4;
constexpr std::uint32_t kLcdInk = 0x33432c;
constexpr std::uint32_t kLed = 0x52d273;
constexpr std::uint32_t kKey = 0xdde2e6;
constexpr std::uint32_t kEnterKey = 0xf0a23a;

std::vector<Shape> build() {
    std::vector<Shape> s;
    // Scan window on the top edge, behind the body so only its top shows.
    s.push_back({92, 4, 72, 24, 8, kScanWindow});
    // Body: a dark edge with the face inset by 4 units.
    s.push_back({52, 14, 152, 236, 32, kBodyEdge});
    s.push_back({56, 18, 144, 228, 28, kBody});
    // Status LED above the screen.
    s.push_back({122, 26, 12, 12, 6, kLed});
    // Screen in its bezel.
    s.push_back({70, 44, 116, 96, 10, kBezel});
    s.push_back({78, 52, 100, 80, 4, kLcd});
    // Text lines on the screen: a title, a rule and two prompts.
    s.push_back({88, 60, 56, 10, 2, kLcdInk, Detail::Large});
    s.push_back({88, 78, 80, 4, 1, kLcdInk, Detail::Large});
    s.push_back({88, 92, 72, 10, 2, kLcdInk, Detail::Large});
    s.push_back({88, 110, 48, 10, 2, kLcdInk, Detail::Large});
    s.push_back({86, 62, 60, 16, 2, kLcdInk, Detail::Small});
    s.push_back({86, 96, 76, 16, 2, kLcdInk, Detail::Small});
    // Keypad: three columns of four keys, the last one the Enter key.
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col) {
            const bool enter = row == 3 && col == 2;
            s.push_back({74.0 + col * 38, 154.0 + row * 20, 32, 14, 5, enter ? kEnterKey : kKey, Detail::Large});
        }
    // At the small sizes the keypad is two rows of three larger keys.
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col) {
            const bool enter = row == 1 && col == 2;
            s.push_back({72.0 + col * 40, 156.0 + row * 40, 32, 28, 6, enter ? kEnterKey : kKey, Detail::Small});
        }
    return s;
}

} // namespace

const std::vector<Shape>& terminal_icon() {
    static const std::vector<Shape> shapes = build();
    return shapes;
}

bool drawn_at(const Shape& shape, int size) {
    const bool small = size > 0 && size <= kSmallUpTo;
    switch (shape.detail) {
    case Detail::Always: return true;
    case Detail::Large: return !small;
    case Detail::Small: return small;
    }
    return true;
}

} // namespace formwick::icon
