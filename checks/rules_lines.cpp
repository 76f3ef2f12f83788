// Form lines: limits that exclude every input, and settings a line type
// ignores where the user clearly meant something.
#include "checks/places.h"
#include "checks/rules.h"
#include "checks/screen_fit.h"
#include "model/choice_names.h"

namespace formwick::rules {

namespace {

std::string font_name(const CParameters& p, int f) { return font_cells(p, p.forms[f].font).name; }

std::string type_name(const CFormLine& l) { return "\"" + names::line_type().label(l.dataType) + "\""; }

void check_line(const CParameters& p, int f, int i, Findings& out) {
    const CFormLine& l = p.forms[f].lines[i];
    const std::string where = place::form_line(f, i);
    if (takes_input(l.dataType) && l.dataType != kLineBoolean && l.minimum > l.maximum)
        out.error("min-above-max", where,
                  "the minimum " + std::to_string(l.minimum) + " is above the maximum " + std::to_string(l.maximum) +
                      ": no input is ever accepted and the form cannot be finished",
                  "make the minimum at most the maximum");
    if (takes_input(l.dataType) && l.variable == 0)
        out.warning("ignored-setting", where,
                    "the input of this " + type_name(l) + " line goes to \"Nil\": it is shown but kept nowhere",
                    "choose the variable that receives the input");
    if (l.dataType == kLineLookup && l.lookupSource == 0)
        out.warning("ignored-setting", where, "a \"Lookup\" line without a lookup source searches nothing",
                    "choose the lookup or data file to search");
    if (l.dataType == kLineLookup && l.lookupSource != 0 && l.more.matchDisplayField == 0)
        out.warning("ignored-setting", where, "the \"Lookup\" line shows nothing when the key is found",
                    "choose the field to show under \"On match display field\"");
    if (l.dataType == kLineFixed && l.variable == 0)
        out.warning("ignored-setting", where, "a \"Fixed\" line showing \"Nil\" shows only its prompt",
                    "choose the value the line shows");
    if (!takes_input(l.dataType) && l.dataType != kLineLookup && l.lookupSource != 0)
        out.warning("ignored-setting", where,
                    "a " + type_name(l) + " line never searches: its lookup source " +
                        names::lookup_source().label(l.lookupSource) + " is ignored",
                    "make it an input or \"Lookup\" line, or clear the lookup source");
}

} // namespace

void check_lines(const CParameters& p, Findings& out) {
    for (int f = 0; f < kFormCount; ++f) {
        const int visible = visible_lines(p, f);
        for (int i = 0; i < kFormLineCount; ++i) {
            const CFormLine& l = p.forms[f].lines[i];
            if (l.dataType == kLineNil) continue;
            if (i >= visible) {
                out.warning("hidden-line", place::form_line(f, i),
                            "the " + font_name(p, f) + " font leaves room for " + std::to_string(visible) +
                                " lines: this line is never shown or run",
                            "move the line up, or choose a smaller font for the form");
                continue;
            }
            check_line(p, f, i, out);
        }
    }
}

} // namespace formwick::rules
