#include "runtime/ui/startup_screens.h"

#include "runtime/pictures/pictures.h"
#include "runtime/runtime_state.h"
#include "runtime/runtime_version.h"
#include "runtime/services/terminal.h"
#include "runtime/text/font.h"
#include "runtime/text/rt_printf.h"

#include <string>

namespace formwick {

namespace {
constexpr const char* kGeneratorCode = "RGK41827";
}

void show_startup_screen() {
    const CParamStartup* s = rt_state.startup;
    term_clear();
    if (s == nullptr) return;
    if (s->hasSplashImage()) display_image(0, 0, ImageView{s->splashImage.data(), s->splashImage.size()});
    rt_select_font(s->splashFont);
    for (int row = 0; row < kSplashLineCount; ++row) {
        const std::string line(text_bytes(s->splashLines[static_cast<std::size_t>(row)].text));
        rt_goto(0, row);
        rt_printf("%S", line.c_str());
    }
}

void show_version_screen() {
    term_clear();
    display_image(0, 0, picture_logo());
    rt_use_builtin_font(3);
    rt_goto(0, 2);
    term_printf("    Formwick");
    rt_use_builtin_font(2);
    rt_goto(0, 5);
    term_printf("  Version: %s\n", kGeneratorCode);
    term_printf("       OS: %s\n", kTerminalOsVersion);
    term_printf("Interpret: %s\n", kInterpreterVersion);
    const CParamStartup* s = rt_state.startup;
    if (s != nullptr && s->applicationVersion[0] != '\0') {
        const std::string version(text_bytes(s->applicationVersion));
        term_printf("     Appl: %s", version.c_str());
    }
}

} // namespace formwick
