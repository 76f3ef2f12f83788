// The screen as a run shows it to people: a text view and a PNG picture.
// The display emulation provides it; tests may fake it.
#pragma once

#include <string>

namespace formwick {

class ScreenDump {
public:
    virtual ~ScreenDump() = default;
    // The screen drawn in characters, one line per pixel row, ending in "\n".
    virtual std::string text_view() = 0;
    // False with `error` set when the file cannot be written.
    virtual bool write_png(const std::string& path, std::string& error) = 0;
};

} // namespace formwick
