#include "runtime/ui/input_editor.h"

#include "runtime/services/terminal.h"
#include "runtime/text/format.h"
#include "runtime/text/rt_printf.h"
#include "runtime/ui/barcode_read.h"
#include "runtime/ui/input_class.h"
#include "runtime/ui/message.h"
#include "runtime/ui/texts.h"

#include <cstring>
#include <string>

namespace formwick {

namespace {

struct Field {
    std::string text;
    bool replace = false; // the first key replaces the initial value
    int cls = 0;
    int minimum = 0;
    int maximum = 0;
    int width = 0;
    int line = 0;
    int start = 0;
    bool masked = false;
    std::string mark; // one UTF-8 character, or empty
};

int length(const std::string& s) { return rt_text_length(s.c_str()); }

bool has_all_decimals(const Field& f) {
    if (!input_is_real(f.cls)) return false;
    std::size_t point = f.text.find('.');
    return point != std::string::npos &&
           static_cast<int>(f.text.size() - point - 1) >= input_decimals(f.cls);
}

// Shows the text (or its last `width` characters), then blanks or the input
// mark to the end of the field, and places the underline cursor.
void draw(const Field& f) {
    const int n = length(f.text);
    std::string shown;
    if (f.masked) {
        shown.assign(static_cast<std::size_t>(n < f.width ? n : f.width), '*');
    } else if (n <= f.width) {
        shown = f.text;
    } else {
        const std::size_t skip = utf8_prefix_bytes(f.text.c_str(), f.text.size(), static_cast<std::size_t>(n - f.width));
        shown = f.text.substr(skip);
    }
    std::string rest;
    for (int i = n; i < f.width; ++i) rest += f.mark.empty() ? std::string(" ") : f.mark;
    rt_goto(f.start, f.line);
    rt_printf("%S%S", shown.c_str(), rest.c_str());

    DisplayState& d = display_state();
    int column = f.start + (n < f.width ? n : f.width);
    if (f.replace) column = f.start;
    else if (n >= f.width || has_all_decimals(f)) column = f.start + (n < f.width ? n : f.width) - 1;
    if (column < f.start) column = f.start;
    d.cursorColumn = column;
    d.cursorRow = f.line;
    d.cursorMode = 1;
    display_refresh();
}

void refuse_character() { rt_message(rt_text(MSG_WRONG_DATA_TYPE), MSG_INFORMATION); }

void take_real_character(Field& f, int key) {
    const int decimals = input_decimals(f.cls);
    const std::size_t point = f.text.find('.');
    if (key == '.') {
        if (f.replace) {
            f.text = ".";
            f.replace = false;
        } else if (point == std::string::npos && static_cast<int>(f.text.size()) < f.maximum) {
            f.text += '.';
        } else {
            refuse_character();
        }
        return;
    }
    if (key < '0' || key > '9') {
        refuse_character();
        return;
    }
    if (f.replace) {
        f.text = std::string(1, static_cast<char>(key));
        f.replace = false;
    } else if (point == std::string::npos) {
        // Room must stay for the point and every decimal.
        if (static_cast<int>(f.text.size()) + 1 + 1 + decimals > f.maximum) refuse_character();
        else f.text += static_cast<char>(key);
    } else if (static_cast<int>(f.text.size() - point - 1) < decimals) {
        f.text += static_cast<char>(key);
    } else {
        f.text.back() = static_cast<char>(key);
    }
}

void take_character(Field& f, int key) {
    if (input_is_real(f.cls)) {
        take_real_character(f, key);
        return;
    }
    if (!input_key_fits(key, f.cls)) {
        refuse_character();
        return;
    }
    const char c = static_cast<char>(key);
    if (f.replace) {
        f.text = std::string(1, c);
        f.replace = false;
    } else if (static_cast<int>(f.text.size()) < f.maximum) {
        f.text += c;
    } else if (!f.text.empty()) {
        f.text.back() = c;
    }
}

void take_minus(Field& f) {
    if (f.replace) {
        f.text = "-";
        f.replace = false;
        return;
    }
    if (!f.text.empty() && f.text[0] == '-') {
        f.text.erase(0, 1);
        return;
    }
    const int room = input_is_real(f.cls) ? f.maximum - input_decimals(f.cls) - 1 : f.maximum;
    if (static_cast<int>(f.text.size()) < room) f.text.insert(0, 1, '-');
}

void erase_last(Field& f) {
    if (f.replace) f.text.clear();
    else if (!f.text.empty()) {
        // Whole UTF-8 characters (a barcode may have left some).
        std::size_t at = f.text.size() - 1;
        while (at > 0 && (static_cast<unsigned char>(f.text[at]) & 0xC0) == 0x80) --at;
        f.text.erase(at);
    }
    f.replace = false;
}

int finish(Field& f, char* buffer, int result) {
    // The buffer holds maximum + 1 bytes: never more is written.
    const std::size_t n = f.text.size() < static_cast<std::size_t>(f.maximum) ? f.text.size()
                                                                             : static_cast<std::size_t>(f.maximum);
    std::memcpy(buffer, f.text.data(), n);
    buffer[n] = '\0';
    display_state().cursorMode = 0;
    display_refresh();
    return result;
}

enum class KeypadStep { Continue, Restart, Done };

// One key of the keypad step; on Done `result` is the editor's result.
KeypadStep keypad_key(Field& f, int key, bool reader, int& result) {
    switch (key) {
    case KEY_DOWN:
    case KEY_ENTER:
    case KEY_DOWN_ALPHA:
        if (length(f.text) < f.minimum) {
            rt_message(rt_text(MSG_DATA_TOO_SHORT), MSG_INFORMATION);
            return KeypadStep::Continue;
        }
    {
        // A Real grows when normalised ("." becomes "0.00"): what would no
        // longer fit the field is refused rather than cut.
        std::string value = input_normalise(f.text, f.cls);
        if (static_cast<int>(value.size()) > f.maximum) {
            refuse_character();
            return KeypadStep::Continue;
        }
        f.text = value;
        f.replace = false;
        draw(f);
        result = EDIT_ACCEPTED_KEY;
        return KeypadStep::Done;
    }
    case KEY_UP:
    case KEY_UP_ALPHA:
        result = key;
        return KeypadStep::Done;
    case KEY_CLEAR:
        key_flush();
        result = key;
        return KeypadStep::Done;
    case KEY_TRIGGER:
        return reader ? KeypadStep::Restart : KeypadStep::Continue;
    case KEY_BS:
        erase_last(f);
        return KeypadStep::Continue;
    default:
        break;
    }
    if (key == '-' && (f.cls & INPUT_MINUS)) take_minus(f);
    else if (key >= 32 && key <= 126) take_character(f, key);
    else rt_error_beep(); // the terminal's other keys are no characters
    return KeypadStep::Continue;
}

} // namespace

int rt_edit_field(int width, int line, char* buffer, int minimum, int maximum, int source, int flags,
                  const char* mark, int start_column) {
    Field f;
    f.cls = flags & INPUT_CLASS_MASK;
    f.maximum = maximum < 0 ? 0 : maximum > kFieldMaxChars ? kFieldMaxChars : maximum;
    f.minimum = minimum;
    f.width = width < f.maximum ? width : f.maximum;
    f.line = line;
    f.start = start_column;
    f.masked = (flags & EDIT_MASKED) != 0;
    if ((flags & EDIT_INPUT_MARK) && mark != nullptr && mark[0] != '\0')
        f.mark.assign(mark, utf8_prefix_bytes(mark, std::strlen(mark), 1));
    if ((flags & EDIT_INITIAL) && buffer[0] != '\0') {
        f.text.assign(buffer, strnlen(buffer, static_cast<std::size_t>(f.maximum)));
        f.replace = true;
    }

    const bool reader = source != SOURCE_KEYPAD;
    const bool keypad = source != SOURCE_READER;
    for (;;) {
        draw(f);
        if (reader) {
            char code[kFieldMaxChars + 1] = {};
            if (rt_read_barcode(code, f.maximum, f.cls) == 0) {
                f.text = input_normalise(code, f.cls);
                f.replace = false;
                draw(f);
                return finish(f, buffer, EDIT_ACCEPTED_READER);
            }
            const int key = key_get();
            if (key == KEY_UP || key == KEY_UP_ALPHA) return finish(f, buffer, key);
            if (key == KEY_CLEAR) {
                key_flush();
                return finish(f, buffer, key);
            }
            if (!keypad) {
                rt_error_beep();
                continue;
            }
            key_unget(key);
        }
        for (;;) {
            int result = 0;
            const KeypadStep step = keypad_key(f, key_get(), reader, result);
            if (step == KeypadStep::Done) return finish(f, buffer, result);
            if (step == KeypadStep::Restart) break;
            draw(f);
        }
    }
}

} // namespace formwick
