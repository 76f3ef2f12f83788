// What the pages of one editor sheet share besides the definition: the
// custom-font values published by the Startup page, and the dialog seam
// through which every page shows its messages.
#pragma once

#include "model/startup.h"

namespace formwick {

class CDialogs;

struct EditorContext {
    explicit EditorContext(CDialogs& d) : dialogs(d) {}

    // True while the Startup page's working copy holds a custom font.
    bool customFontLoaded = false;
    // Text lines the custom font allows on the 128-pixel display.
    int customFontLines = 0;
    CDialogs& dialogs;

    // Publishes the font values of a start-up record (the Startup page does
    // this each time it is left; the sheet once when it opens).
    void publishFont(const CParamStartup& startup);
};

// 128 divided by the glyph height, a height of 0 counting as 16.
int custom_font_lines(int glyphHeight);

} // namespace formwick
