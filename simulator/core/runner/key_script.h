// Key scripts: what a headless run types, scans and waits for.
//
// One command per line; "#" starts a comment (outside quotes); case does
// not matter except inside quotes. The commands:
//
//   ENTER, CLR, UP, DOWN, TRIGGER, BS, F1..F4, POINT, 0..9   press a key
//   DOWN x3                   press a key three times
//   ALPHA [ON|OFF]            toggle alpha mode, or set it
//   12.50                     digits and points, typed outside alpha mode
//   TYPE "Box 12"             text, typed through multi-tap
//   SCAN "4006381333931"      hold the trigger and read this barcode
//   WAIT 5                    let 5 seconds of terminal time pass (WAIT 0.5)
//   SCREEN                    print the text the screen shows
//   SCREEN PIXELS             print the screen pixel by pixel
//   SCREEN "menu.png"         save the screen (".png" as a picture, else text;
//                             SCREEN PIXELS "f.txt" saves the pixels)
//   CLOCK 2025-06-30 17:45:00 set the terminal's date and time
//   EXPECT SCREEN "Stock"     the screen shows this text, even wrapped over
//                             rows (EXPECT NO SCREEN: not)
//   EXPECT FILE "Counts.txt" LINE "a;1"   the RAM disk file holds this line
//   EXPECT FILE "Counts.txt" LINES 2      the file holds exactly 2 lines
//   EXPECT FILE "Counts.txt" BYTES "a;1\r\n"  the file holds exactly these bytes
//   EXPECT NO FILE "Counts.txt"           the RAM disk has no such file
//   EXPECT VAR 3 "12"         variable 3 holds this value
//   EXPECT VAR "Look 1-2" "Tea"           any field reference by its name
//   EXPECT BOX [INFORMATION|WARNING|ERROR|QUESTION] "text"
//                             a message box (of that kind) shows this text
//
// In quotes \" \\ \r \n \t and \xHH stand for one character each.
//
// The parser only checks the syntax; what needs the terminal model (keys the
// model lacks, characters no key types) is checked before a run starts.
#pragma once

#include "model/messages.h"
#include "runtime/services/records.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace formwick {

enum class ScriptOp {
    press, digits, type, scan, wait, screen, alpha, clock,
    expect_screen, expect_line, expect_lines, expect_variable,
    expect_no_file, expect_bytes, expect_box
};

struct ScriptCommand {
    int line = 0;
    ScriptOp op = ScriptOp::press;
    int key = 0;           // press: the key code
    int repeat = 1;        // press: how many times
    std::string text;      // digits, type, scan: the characters; screen: the file (empty: print);
                           // expect: the text or value expected
    std::int64_t ms = 0;   // wait
    bool pixels = false;   // screen: the pixels rather than the text
    int alpha = -1;        // alpha: -1 toggle, 0 off, 1 on
    DateRecord date;       // clock
    TimeRecord time;       // clock
    bool absent = false;   // expect_screen: the text must not show
    std::string file;      // expect_line, expect_lines, expect_no_file, expect_bytes: the RAM disk file
    int number = 0;        // expect_lines: the line count; expect_variable: the field reference code
    int boxKind = -1;      // expect_box: a BoxKind, or -1 for any kind
};

struct KeyScript {
    std::vector<ScriptCommand> commands;
};

// Parses the whole text, reporting every bad line as "line N: ..." to
// `sink`; true when there was none.
bool parse_key_script(std::string_view text, KeyScript& script, MessageSink& sink);

// True for the commands that check rather than act (EXPECT ...).
bool script_op_checks(ScriptOp op);

// The name of a command as written in scripts ("TYPE", "WAIT", ...).
const char* script_op_name(ScriptOp op);

// "line N: ", the start of every message about a command.
std::string at_line(const ScriptCommand& cmd);

} // namespace formwick
