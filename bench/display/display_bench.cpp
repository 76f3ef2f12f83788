// Cost of filling the screen with text, and of reading a screen back (done
// by scripts after every step of a run).
#include "simulator/core/display/screen_reader.h"
#include "simulator/core/display/stat_display.h"

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

void BM_ReadBack(benchmark::State& state) {
    CStatDisplay display;
    const int font = static_cast<int>(state.range(0));
    display.set_font(font);
    fill_screen(display);
    const Screen screen = compose_screen(display);
    const FontView view = FontView::builtin(font);
    for (auto _ : state) benchmark::DoNotOptimize(read_screen_text(screen, view));
}
BENCHMARK(BM_ReadBack)->Arg(2)->Arg(3);

} // namespace
} // namespace formwick
