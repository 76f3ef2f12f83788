#include "runtime/app/form_run.h"

#include "model/form.h"
#include "runtime/app/app_state.h"
#include "runtime/app/descriptors.h"
#include "runtime/app/lookups.h"
#include "runtime/app/open_database.h"
#include "runtime/app/store_record.h"
#include "runtime/app/value_fit.h"
#include "runtime/app/values.h"
#include "runtime/services/terminal.h"
#include "runtime/text/font.h"
#include "runtime/text/rt_printf.h"
#include "runtime/ui/input_class.h"
#include "runtime/ui/input_editor.h"

#include <array>
#include <cstring>
#include <string>

namespace formwick {

namespace {

constexpr int kPromptMaxChars = 21;

bool takes_input(int type) { return type >= kLineText && type <= kLineBoolean; }

// Lines that going back passes over.
bool skipped_going_back(int type) {
    return type == kLineNil || type == kLineFixed || type == kLineLookup || type == kLineCounter ||
           type == kLineExtension;
}

bool is_number_line(int type) { return type == kLineInteger || type == kLineReal; }

int input_class(const CFormLine& line) {
    int minus = line.more.allowNegative ? INPUT_MINUS : 0;
    switch (line.dataType) {
    case kLineText: return INPUT_PRINTABLE;
    case kLineInteger: return INPUT_DIGITS | minus;
    case kLineReal: return (line.more.decimalPlaces == 1 ? INPUT_REAL2 : INPUT_REAL1) | minus;
    case kLineAlpha: return INPUT_LETTERS;
    case kLineAlphaNum: return INPUT_LETTERS | INPUT_DIGITS;
    case kLineBoolean: return INPUT_BOOLEAN;
    default: return 0;
    }
}

// One form being run: its settings and what each line shows.
struct FormRun {
    CParamForm form;
    int visible = 0;
    int columns = 0;
    std::array<std::string, kFormLineCount> entered; // the editor's text of each input line
    std::array<int, kFormLineCount> shownEnd{};      // characters of the shown value used up through this line

    const CFormLine& line(int i) const { return form.lines[i]; }
    std::string prompt(int i) const { return std::string(text_bytes(line(i).prompt)); }
    int promptWidth(int i) const {
        int n = rt_text_length(prompt(i).c_str());
        n = n < kPromptMaxChars ? n : kPromptMaxChars;
        return n < columns ? n : columns - 1;
    }
    int fieldWidth(int i) const { return columns - promptWidth(i); }
};

void draw_prompt(const FormRun& run, int i) {
    rt_goto(0, i);
    rt_printf("%.*S", kPromptMaxChars, run.prompt(i).c_str());
}

void draw_field(int i, int column, int width, const std::string& text) {
    rt_goto(column, i);
    rt_printf("%-*.*S", width, width, text.c_str());
}

// The value a line shows in its field (and that Extension lines continue).
std::string shown_value(const FormRun& run, int i) {
    const CFormLine& l = run.line(i);
    if (takes_input(l.dataType)) return run.entered[i];
    if (l.dataType == kLineFixed) return std::string(value_get(l.variable));
    if (l.dataType == kLineLookup) return std::string(value_get(l.more.matchDisplayField));
    return {};
}

// Draws what a line shows after it has run.
void draw_value(FormRun& run, int i) {
    const CFormLine& l = run.line(i);
    run.shownEnd[i] = 0;
    if (l.dataType == kLineExtension) {
        int base = i - 1;
        while (base >= 0 && run.line(base).dataType == kLineExtension) --base;
        if (base < 0) return;
        std::string text = shown_value(run, base);
        int start = run.shownEnd[i - 1];
        std::string_view rest = text;
        int skipped = 0;
        while (skipped < start && !rest.empty()) {
            rest = rest.substr(cut_chars(rest, 1).size());
            ++skipped;
        }
        draw_field(i, 0, run.columns, std::string(cut_chars(rest, run.columns)));
        run.shownEnd[i] = start + run.columns;
        return;
    }
    if (takes_input(l.dataType) || l.dataType == kLineFixed || l.dataType == kLineLookup) {
        std::string text = shown_value(run, i);
        int width = run.fieldWidth(i);
        draw_field(i, run.promptWidth(i), width, text);
        int n = count_chars(text);
        run.shownEnd[i] = n < width ? n : width;
    }
}

// Draws a line as the form first shows it.
void draw_line(FormRun& run, int i) {
    const CFormLine& l = run.line(i);
    switch (l.dataType) {
    case kLineNil:
    case kLineExtension: return;
    case kLinePause:
        if (l.more.alwaysShowLine) draw_prompt(run, i);
        return;
    case kLineCounter: {
        draw_prompt(run, i);
        rt_printf("%s", counter_text(l.more.counterDataFile).c_str());
        return;
    }
    default: draw_prompt(run, i);
    }
}

// Searches the line's lookup source with the value of its variable.
// True when a lookup-file search failed.
bool look_up(const CFormLine& l) {
    std::string key(value_get(l.variable));
    if (l.lookupSource >= 1 && l.lookupSource <= 3) return search_lookup(l.lookupSource - 1, key) == 0;
    if (l.lookupSource >= 4 && l.lookupSource <= 6) search_data(l.lookupSource - 4, key);
    return false;
}

// Puts an accepted input into the line's variable and looks it up. True
// when a lookup-file search failed.
bool store_value(const FormRun& run, int i) {
    const CFormLine& l = run.line(i);
    if (!takes_input(l.dataType) || l.variable == 0) return false;
    std::string value;
    if (l.more.addPrefix) value += app_ansi_text(l.more.prefix);
    value += run.entered[i];
    if (l.more.addSuffix) value += app_ansi_text(l.more.suffix);
    bool numeric = is_number_line(l.dataType);
    value = numeric ? strip_leading_zeros(trim_blanks(value)) : std::string(trim_blanks(value));
    value_set(l.variable, fit_value(value, l.maximum, l.more.alignment, numeric));
    return look_up(l);
}

int run_input_line(FormRun& run, int i) {
    const CFormLine& l = run.line(i);
    int cls = input_class(l);
    int flags = cls;
    std::string initial;
    if (l.more.initialKind == 1) initial = app_ansi_text(l.more.initialText);
    if (l.more.initialKind == 2) {
        initial = std::string(value_get(l.more.initialVariable));
        if (initial.empty()) initial = app_ansi_text(l.more.initialText);
    }
    char buffer[kFieldMaxChars + 1] = {};
    if (l.more.initialKind == 1 || l.more.initialKind == 2) {
        initial = input_normalise(initial, cls);
        std::string_view fitted = cut_chars(initial, kFieldMaxChars);
        std::memcpy(buffer, fitted.data(), fitted.size());
        flags |= EDIT_INITIAL;
    }
    std::string mark(text_bytes(l.more.inputMark));
    if (l.more.showInputMark) flags |= EDIT_INPUT_MARK;
    int minimum = l.dataType == kLineBoolean ? 1 : l.minimum;
    int maximum = l.dataType == kLineBoolean ? 1 : l.maximum;
    int result = rt_edit_field(run.fieldWidth(i), i, buffer, minimum, maximum, l.inputSource, flags,
                               mark.c_str(), run.promptWidth(i));
    run.entered[i] = buffer;
    return result;
}

int run_line(FormRun& run, int i) {
    const CFormLine& l = run.line(i);
    switch (l.dataType) {
    case kLinePause:
        draw_prompt(run, i);
        return key_get();
    case kLineLookup: return look_up(l) && app_goto_state != -1 ? -1 : 0;
    case kLineNil:
    case kLineFixed:
    case kLineCounter:
    case kLineExtension: return 0;
    default: return run_input_line(run, i);
    }
}

} // namespace

std::string counter_text(int n) {
    const CParamData& data = app_parameters().dataFiles[n < 0 || n > 2 ? 0 : n];
    DatabaseDescriptor d = data_descriptor(data);
    if (ramdisk_file_size(d.file_name) < 0) return "0";
    OpenDatabase db;
    int r = db.open(d);
    if (r != 0) {
        db_report_failure(d, r);
        return "0";
    }
    long count = db.handle.index.key_count;
    db.close();
    return std::to_string(count);
}

int run_form(int f) {
    FormRun run;
    run.form = app_parameters().forms[f];
    rt_select_font(run.form.font);
    DisplayState& display = display_state();
    run.visible = kScreenHeight / display.glyphHeight;
    if (run.visible > kFormLineCount) run.visible = kFormLineCount;
    run.columns = rt_columns();

    bool any = false;
    for (int i = 0; i < run.visible; ++i) any = any || run.line(i).dataType != kLineNil;
    if (!any) return 0;

    app_goto_state = -1;
    term_clear();
    for (int i = 0; i < run.visible; ++i) draw_line(run, i);

    int i = 0;
    while (i < run.visible) {
        int result = run_line(run, i);
        if (result == KEY_UP || result == KEY_UP_ALPHA) {
            draw_line(run, i);
            draw_value(run, i);
            int j = i - 1;
            while (j >= 0 && skipped_going_back(run.line(j).dataType)) {
                draw_line(run, j);
                draw_value(run, j);
                --j;
            }
            i = j < 0 ? 0 : j;
            continue;
        }
        if (result == KEY_CLEAR) return run.form.clrTarget;
        if (result == -1 && app_goto_state != -1) return app_goto_state;
        if (result != -1 && store_value(run, i) && app_goto_state != -1) return app_goto_state;
        draw_value(run, i);
        ++i;
    }
    if (run.form.saveOnNext) store_record(run.form.saveDataFile);
    return run.form.nextTarget;
}

} // namespace formwick
