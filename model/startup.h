// The start-up record: start-up screen, main-menu look, security settings,
// constants, protocol and the custom font.
#pragma once

#include "model/fixed_text.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace formwick {

// One splash screen line (UTF-8, at most 84 bytes).
struct CSplashLines {
    Text<85> text{};
};

inline constexpr int kSplashLineCount = 10;
inline constexpr std::size_t kSplashImageSize = 2050; // width, height, 2048 bytes of rows
inline constexpr std::size_t kMenuImageSize = 514;    // 64 x 64: width, height, 512 bytes
// An extended (wide) font body: 0xFE 0xFE, an 8192-byte presence bitmap, then
// the height and width bytes at offsets 8194 and 8195.
inline constexpr std::size_t kExtendedFontHeaderSize = 8196;

struct CParamStartup {
    std::uint8_t startTarget = 0;   // 0 = Form 1, 1 = Menu 1
    std::uint8_t brightness = 2;    // 1-based: 1 Low, 2 Medium, 3 High
    std::uint8_t backlightTime = 1; // 0 Off, 1..6 = 10..60 s
    std::uint8_t deleteData = 0;    // 0 No, 1 Manual Input, 2 Auto Input, 3 Communication
    std::uint8_t lockSystemMenu = 0;
    std::uint8_t lockUtilities = 0;
    Text<11> password{};               // ANSI
    Text<7> terminalId{'0', '0', '0', '0', '0', '0'}; // ANSI
    Text<7> applicationVersion{};      // ANSI
    std::vector<std::uint8_t> customFont; // empty when no custom font is loaded
    int customFontLength = 0;
    int glyphWidth = 0;
    int glyphHeight = 0;
    std::uint8_t useCustomSplash = 0;
    std::uint8_t splashFont = 0; // 0 Large, 1 Medium, 2 Custom
    std::array<std::uint8_t, kSplashImageSize> splashImage{};
    std::array<CSplashLines, kSplashLineCount> splashLines{};
    std::uint8_t dateFormat = 0; // 0 "YY/MM/DD", 1 "DD/MM/YY"
    std::array<std::array<std::uint8_t, kMenuImageSize>, 3> menuImages{};
    std::array<Text<85>, 3> constants{}; // UTF-8
    std::uint8_t protocol = 0;           // 0 Xaplink, 1 Ryvo

    // Takes a font body: glyph height and width from bytes 0 and 1, or from
    // 8194 and 8195 for an extended body (starting 0xFE 0xFE). An extended
    // body shorter than 8196 bytes, or an empty body, is refused: the record
    // is left without a font and false is returned.
    bool setCustomFont(std::vector<std::uint8_t> body);
    void clearCustomFont();
    bool hasCustomFont() const { return !customFont.empty(); }

    // Splash line i (0..9); an index out of range gives an empty string and
    // stores nothing.
    std::u16string splashLine(int i) const;
    void setSplashLine(int i, std::u16string_view text);

    std::u16string constant(int i) const; // i = 0..2
    void setConstant(int i, std::u16string_view text);

    std::u16string passwordText() const { return get_ansi(password); }
    void setPasswordText(std::u16string_view t) { set_ansi(password, t); }
    std::u16string terminalIdText() const { return get_ansi(terminalId); }
    void setTerminalIdText(std::u16string_view t) { set_ansi(terminalId, t); }
    std::u16string applicationVersionText() const { return get_ansi(applicationVersion); }
    void setApplicationVersionText(std::u16string_view t) { set_ansi(applicationVersion, t); }

    // A picture is present only when its width and height bytes are non-zero.
    bool hasSplashImage() const { return splashImage[0] != 0 && splashImage[1] != 0; }
    bool hasMenuImage(int i) const { return menuImages[i][0] != 0 && menuImages[i][1] != 0; }
};

} // namespace formwick
