// Font choice by runtime font type (runtime/runtime_state.h): large is
// built-in font 3, small built-in font 2, custom the application's font,
// which falls back to large when the application has none.
#pragma once

namespace formwick {

// Selects the font of a runtime font type and stores the type (after the
// fallback) as the current one. A custom image starting 0xFE 0xFE is a
// wide font: the formatter then maps characters through the Latin table.
void rt_select_font(int type);

// Selects a built-in font (0..4) for one screen element, clearing the wide
// flags; the current runtime font type is left as it is.
void rt_use_builtin_font(int font);

} // namespace formwick
