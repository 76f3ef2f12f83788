#include "editors/editor_context.h"

namespace formwick {

int custom_font_lines(int glyphHeight) { return 128 / (glyphHeight > 0 ? glyphHeight : 16); }

void EditorContext::publishFont(const CParamStartup& startup) {
    customFontLoaded = startup.hasCustomFont();
    customFontLines = custom_font_lines(startup.glyphHeight);
}

} // namespace formwick
