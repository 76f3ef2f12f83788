#include "skin_layout.h"

namespace formwick::skins {

namespace {

// The 3 x 4 block 1 2 3 / 4 5 6 / 7 8 9 / . 0 ENTER, the same on both models.
void add_number_block(SkinLayout& l, int left, int top, int w, int h, int gapX, int gapY, const QString& pointLetters) {
    static const char* const kLabels[12] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", ".", "0", "ENTER"};
    static const char* const kLetters[12] = {".,?!", "abc", "def", "ghi", "jkl", "mno", "pqrs", "tuv", "wxyz", "", "-+", ""};
    for (int i = 0; i < 12; ++i) {
        KeyShape k;
        k.rect = QRect(left + (i % 3) * (w + gapX), top + (i / 3) * (h + gapY), w, h);
        k.label = kLabels[i];
        k.letters = kLetters[i];
        k.code = i == 11 ? KEY_ENTER : kLabels[i][0];
        if (i == 9) k.letters = pointLetters;
        if (i == 11) k.style = KeyStyle::enter;
        l.keys.push_back(k);
    }
}

KeyShape key(int kind, int code, QRect rect, KeyStyle style, QString label, bool round = false) {
    KeyShape k;
    k.kind = kind;
    k.code = code;
    k.rect = rect;
    k.style = style;
    k.label = std::move(label);
    k.round = round;
    return k;
}

SkinLayout r58() {
    SkinLayout l{.size = QSize(220, 625),
                 .body = QRect(4, 3, 212, 619),
                 .bodyRadius = 34,
                 .bezel = QRect(26, 44, 168, 168),
                 .keypad = QRect(12, 224, 196, 360),
                 .display = QRect(46, 64, 128, 128),
                 .led = QPoint(110, 26),
                 .ledRadius = 6,
                 .bodyColour = QColor(0x2f, 0x33, 0x38),
                 .lcdColour = QColor(0xb8, 0xc9, 0xa3),
                 .keys = {
        key(KEY_KIND_KEY, KEY_UP, QRect(20, 234, 48, 34), KeyStyle::navigation, {}),
        key(KEY_KIND_KEY, KEY_TRIGGER, QRect(74, 234, 72, 34), KeyStyle::trigger, {}),
        key(KEY_KIND_KEY, KEY_DOWN, QRect(152, 234, 48, 34), KeyStyle::navigation, {}),
        key(KEY_KIND_ALPHA_TOGGLE, KEY_ALPHA, QRect(20, 280, 56, 30), KeyStyle::small, "Aa"),
        key(KEY_KIND_KEY, KEY_BS, QRect(82, 280, 56, 30), KeyStyle::small, "BS"),
        key(KEY_KIND_KEY, KEY_CLEAR, QRect(144, 280, 56, 30), KeyStyle::clear, "CLEAR"),
        key(KEY_KIND_KEY, KEY_F1, QRect(20, 554, 40, 24), KeyStyle::function, "F1"),
        key(KEY_KIND_KEY, KEY_F2, QRect(66, 554, 40, 24), KeyStyle::function, "F2"),
        key(KEY_KIND_KEY, KEY_F3, QRect(112, 554, 40, 24), KeyStyle::function, "F3"),
        key(KEY_KIND_MENU, KEY_MENU, QRect(158, 554, 42, 24), KeyStyle::small, "MENU")}};
    // The 3 x 4 block.
    add_number_block(l, 20, 324, 56, 46, 6, 10, "sp");
    return l;
}

SkinLayout ktm3300() {
    SkinLayout l{.size = QSize(231, 566),
                 .body = QRect(4, 3, 223, 560),
                 .bodyRadius = 40,
                 .bezel = QRect(31, 40, 169, 164),
                 .keypad = QRect(11, 214, 209, 338),
                 .display = QRect(51, 58, 128, 128),
                 .led = QPoint(115, 22),
                 .ledRadius = 6,
                 .bodyColour = QColor(0x35, 0x3d, 0x4a),
                 .lcdColour = QColor(0xc4, 0xd0, 0xb4),
                 .keys = {
        key(KEY_KIND_KEY, KEY_UP, QRect(20, 252, 52, 34), KeyStyle::navigation, {}),
        key(KEY_KIND_KEY, KEY_TRIGGER, QRect(86, 240, 58, 58), KeyStyle::trigger, {}, true),
        key(KEY_KIND_KEY, KEY_DOWN, QRect(159, 252, 52, 34), KeyStyle::navigation, {}),
        key(KEY_KIND_ALPHA_TOGGLE, KEY_ALPHA, QRect(22, 224, 50, 22), KeyStyle::small, "Aa"),
        key(KEY_KIND_KEY, KEY_BS, QRect(22, 292, 50, 22), KeyStyle::small, "BS"),
        key(KEY_KIND_KEY, KEY_CLEAR, QRect(159, 292, 50, 22), KeyStyle::clear, "CLEAR"),
        key(KEY_KIND_MENU, KEY_MENU, QRect(159, 224, 50, 22), KeyStyle::small, "MENU"),
        key(KEY_KIND_KEY, KEY_F1, QRect(22, 516, 42, 22), KeyStyle::function, "F1"),
        key(KEY_KIND_KEY, KEY_F2, QRect(69, 516, 42, 22), KeyStyle::function, "F2"),
        key(KEY_KIND_KEY, KEY_F3, QRect(116, 516, 42, 22), KeyStyle::function, "F3"),
        key(KEY_KIND_KEY, KEY_F4, QRect(163, 516, 46, 22), KeyStyle::function, "F4")}};
    // The 3 x 4 block.
    add_number_block(l, 22, 322, 58, 40, 8, 8, ",");
    return l;
}

} // namespace

SkinLayout skin_layout(TerminalModel model) { return model == TerminalModel::R58 ? r58() : ktm3300(); }

} // namespace formwick::skins
