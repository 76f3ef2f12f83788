// The screen dumps of a headless run taken from the display emulation: the
// text read back in the fonts and at the offsets each part is drawn in, the
// pixels as text art, and PNG.
#pragma once

#include "simulator/core/display/screen.h"
#include "simulator/core/display/stat_display.h"
#include "simulator/core/runner/screen_dump.h"

namespace formwick {

class StatDisplayScreen final : public ScreenDump {
public:
    explicit StatDisplayScreen(const CStatDisplay& display, int pngScale = 2);

    std::string text_view() override;
    std::vector<std::vector<std::string>> readings() override;
    std::string pixel_view() override;
    bool write_png(const std::string& path, std::string& error) override;

private:
    std::vector<std::string> mixed_reading(const Screen& screen) const;

    const CStatDisplay& display_;
    int pngScale_;
};

} // namespace formwick
