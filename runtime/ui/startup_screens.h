// The screens shown when the runtime starts.
#pragma once

namespace formwick {

// The application's start-up screen: its picture (when it has one) at 0,0
// and its ten text lines on rows 0..9 in the start-up font type.
void show_startup_screen();

// The logo, the program's name and the generator, operating system,
// interpreter and application versions.
void show_version_screen();

} // namespace formwick
