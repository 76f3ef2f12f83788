// Cost of filling the screen with text, and of reading a screen back (done
// by scripts after every step of a run).
#include "simulator/core/display/mixed_font_reader.h"
#include "simulator/core/display/screen_reader.h"
#include "simulator/core/display/stat_display.h"
#include "simulator/core/fonts/builtin_fonts.h"

#include <benchmark/benchmark.h>

namespace formwick {
namespace {

void fill_screen(CStatDisplay& display) {
    display.putc(12);
    for (int row = 0; row < display.state().rows; ++row) {
        for (int col = 0; col < display.state().columns; ++col) display.putc('A' + (row + col) % 26);
        display.putc(10);
    }
    display.refresh();
}

void BM_FillScreen(benchmark::State& state) {
    CStatDisplay display;
    display.set_font(static_cast<int>(state.range(0)));
    for (auto _ : state) fill_screen(display);
}
BENCHMARK(BM_FillScreen)->Arg(2)->Arg(3);

// What a typed key costs the display: one character and one refresh.
void BM_KeyEcho(benchmark::State& state) {
    CStatDisplay display;
    display.set_font(static_cast<int>(state.range(0)));
    int n = 0;
    for (auto _ : state) {
        display.putc(13);
        display.putc('A' + n++ % 26);
        display.refresh();
    }
}
BENCHMARK(BM_KeyEcho)->Arg(2)->Arg(3);

// A screen filled with text in built-in font `font`.
Screen full_screen(int font) {
    CStatDisplay display;
    display.set_font(font);
    fill_screen(display);
    return compose_screen(display);
}

void BM_ReadBack(benchmark::State& state) {
    const int font = static_cast<int>(state.range(0));
    const Screen screen = full_screen(font);
    const FontView view = FontView::builtin(font);
    for (auto _ : state) benchmark::DoNotOptimize(read_screen_text(screen, view));
}
BENCHMARK(BM_ReadBack)->Arg(2)->Arg(3);

// A full screen in the given font, read in every built-in font at every text
// offset (what a script's screen check tries).
void BM_ReadEveryBuiltinFont(benchmark::State& state) {
    const Screen screen = full_screen(static_cast<int>(state.range(0)));
    for (auto _ : state)
        for (int font = 0; font < kBuiltinFontCount; ++font)
            benchmark::DoNotOptimize(read_screen_text_every_offset(screen, FontView::builtin(font)));
}
BENCHMARK(BM_ReadEveryBuiltinFont)->Arg(2)->Arg(3);

// The same screen read as a mix of the display's font and the built-in ones.
void BM_ReadMixed(benchmark::State& state) {
    const int font = static_cast<int>(state.range(0));
    const Screen screen = full_screen(font);
    std::vector<FontView> fonts{FontView::builtin(font)};
    for (int f = 0; f < kBuiltinFontCount; ++f) fonts.push_back(FontView::builtin(f));
    for (auto _ : state) benchmark::DoNotOptimize(read_screen_text_mixed(screen, fonts));
}
BENCHMARK(BM_ReadMixed)->Arg(2)->Arg(3);

} // namespace
} // namespace formwick
