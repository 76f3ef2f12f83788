// The screen as a run shows it to people: a text view and a PNG picture.
// The display emulation provides it; tests may fake it.
#pragma once

#include <string>
#include <vector>

namespace formwick {

class ScreenDump {
public:
    virtual ~ScreenDump() = default;
    // The text the screen shows, one line per text row, each ending in "\n".
    virtual std::string text_view() = 0;
    // Every reading of the whole screen, for checking what it shows: in the
    // current font first, then in every built-in font at every text y offset
    // (a screen may mix fonts). Each is one row per text row, top to bottom,
    // without trailing blanks (a blank row is empty).
    virtual std::vector<std::vector<std::string>> readings() = 0;
    // The pixels as characters, one line per pixel row.
    virtual std::string pixel_view() = 0;
    // False with `error` set when the file cannot be written.
    virtual bool write_png(const std::string& path, std::string& error) = 0;
};

} // namespace formwick
