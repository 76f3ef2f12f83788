// The display on a hostile custom font body, picture, screen file and
// text, driven by a short program of drawing calls, and read back as text.
// Nothing may crash, read past its input or hang.
//
// Input, in parts split at kPartSeparator:
//   0  the program: one byte per call, each followed by its argument bytes;
//      call 13 reads the screen back as text
//   1  a custom font body (narrow, or wide when it starts FE FE)
//   2  a monochrome picture
//   3  a text (bytes for putc, UTF-8 for print_utf8)
//   4  a screen file in the RAM disk, for restore
#include "fuzz/common/input_parts.h"
#include "fuzz/common/memory_files.h"
#include "runtime/services/terminal.h"
#include "simulator/core/display/screen.h"
#include "simulator/core/display/screen_reader.h"
#include "simulator/core/display/stat_display.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace formwick;

constexpr int kMostCalls = 48;
constexpr char kScreenFile[] = "~~DISP~.TMP";

// The program's bytes, 0 once they run out.
struct Program {
    std::string_view bytes;
    int next() {
        if (bytes.empty()) return 0;
        int b = static_cast<unsigned char>(bytes[0]);
        bytes.remove_prefix(1);
        return b;
    }
    // A coordinate from a little outside the screen on one side to a little
    // outside on the other.
    int coordinate() { return next() - 64; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string_view> parts = fuzz::split_parts(data, size);
    auto part = [&](std::size_t i) { return i < parts.size() ? parts[i] : std::string_view(); };
    // Copies, so a read past the end of a part is a read past its buffer.
    const std::vector<std::uint8_t> font(part(1).begin(), part(1).end());
    const std::vector<std::uint8_t> picture(part(2).begin(), part(2).end());
    const std::string text(part(3));

    fuzz::MemoryFiles files;
    if (parts.size() > 4) files.put(kScreenFile, part(4));
    Terminal terminal;
    terminal.files = &files;
    services_install(terminal);

    CStatDisplay display;
    DisplayState& state = display.state();
    Program program{part(0)};
    bool read_back = false;
    for (int call = 0; call < kMostCalls && !program.bytes.empty(); ++call) {
        switch (program.next() % 14) {
        case 0: display.set_font(program.next() % 8 - 1); break;
        case 1: display.set_custom_font(font.data(), font.size()); break;
        case 2: {
            int x0 = program.coordinate(), y0 = program.coordinate(), x1 = program.coordinate(), y1 = program.coordinate();
            display.line(x0, y0, x1, y1, program.next() % 3);
            break;
        }
        case 3: {
            int x = program.coordinate(), y = program.coordinate();
            display.image(x, y, ImageView{picture.data(), picture.size()});
            break;
        }
        case 4:
            state.cursorColumn = program.next() % 40 - 4;
            state.cursorRow = program.next() % 40 - 4;
            break;
        case 5: state.textYOffset = program.next() % 20 - 4; break;
        case 6: state.reverse = !state.reverse; break;
        case 7: state.cursorMode = program.next() % 2; break;
        case 8:
            for (char c : text) display.putc(static_cast<unsigned char>(c));
            break;
        case 9: display.glyph(program.next() << 8 | program.next()); break;
        case 10: display.print_utf8("%s", text.c_str()); break;
        case 11: display.save(kScreenFile); break;
        case 12: display.restore(kScreenFile); break;
        case 13:
            // Reading the screen back builds the tables of the whole font
            // (about 900 glyph patterns), so it runs only when the program
            // asks, once, and for glyphs that fit on the screen.
            if (!read_back && display.font().width() <= kScreenWidth && display.font().height() <= kScreenHeight) {
                display.refresh();
                read_screen_text(compose_screen(display), display.font(), state.textYOffset);
                read_back = true;
            }
            break;
        }
    }

    services_uninstall();
    return 0;
}
