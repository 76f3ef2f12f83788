// Lines that search a lookup or data file: a source the terminal cannot
// search, and keys that can never match.
#include "checks/places.h"
#include "checks/rules.h"
#include "model/choice_names.h"
#include "runtime/app/value_fit.h"

#include <algorithm>

namespace formwick::rules {

namespace {

bool searches(const CFormLine& l) {
    return l.lookupSource != 0 && (l.dataType == kLineLookup || (takes_input(l.dataType) && l.variable != 0));
}

// The input line that gives a searching line its key: the line itself, or
// for a Lookup line the last input line before it that writes its variable.
const CFormLine* key_writer(const CParamForm& form, int line) {
    const CFormLine& l = form.lines[line];
    if (takes_input(l.dataType)) return &l;
    for (int i = line - 1; i >= 0; --i)
        if (takes_input(form.lines[i].dataType) && form.lines[i].variable == l.variable) return &form.lines[i];
    return nullptr;
}

bool pads(int alignment) { return alignment != kAlignVariable; }

void check_key(const CParameters& p, int f, int i, const CParamLookup& lookup, int l, Findings& out) {
    const CFormLine* writer = key_writer(p.forms[f], i);
    // A key that its own input line already searched with is reported there.
    if (!writer || (writer != &p.forms[f].lines[i] && writer->lookupSource == p.forms[f].lines[i].lookupSource)) return;
    const int key_length = lookup.fields[std::clamp(lookup.keyField, 0, kLookupFieldCount - 1)].maxLength;
    const std::string key = place::lookup_field(l, lookup.keyField);
    if (key_length < writer->minimum) {
        out.error("key-never-matches", place::form_line(f, i),
                  "the key field " + key + " holds at most " + std::to_string(key_length) + " characters but the input has at least " +
                      std::to_string(writer->minimum) + ": the search key is cut and no longer equals the keys in the file",
                  "make the key field at least " + std::to_string(writer->minimum) + " characters long");
        return;
    }
    // CSV keys are stored as they are; a padded input is longer than a short key.
    const int padded_to = std::min(writer->maximum, key_length);
    if (lookup.fileType == 1 && pads(writer->more.alignment) && padded_to > writer->minimum)
        out.error("key-never-matches", place::form_line(f, i),
                  "the input is \"" + names::alignment().label(writer->more.alignment) + "\" to " +
                      std::to_string(padded_to) + " characters, but the keys of the CSV file " + place::lookup(l) +
                      " are not padded: a key shorter than " + std::to_string(padded_to) + " characters is never found",
                  "set the line's alignment to \"Variable size\", or make minimum and maximum equal to the key length");
}

} // namespace

void check_searches(const CParameters& p, Findings& out) {
    for (int f = 0; f < kFormCount; ++f) {
        if (!form_runs(p, f)) continue;
        for (int i = 0; i < visible_lines(p, f); ++i) {
            const CFormLine& l = p.forms[f].lines[i];
            if (!searches(l)) continue;
            if (l.lookupSource >= 1 && l.lookupSource <= 3) {
                const int n = l.lookupSource - 1;
                if (!p.lookups[n].used)
                    out.error("search-unusable", place::form_line(f, i),
                              "searches " + place::lookup(n) + ", which is not used: the terminal shows \"Cannot search lookup file.\"",
                              "tick \"Use lookup file\" for " + place::lookup(n) + ", or choose another lookup source");
                else
                    check_key(p, f, i, p.lookups[n], n, out);
            } else if (l.lookupSource >= 4 && l.lookupSource <= 6) {
                const int n = l.lookupSource - 4;
                if (p.dataFiles[n].storageMode != 1)
                    out.error("search-unusable", place::form_line(f, i),
                              "searches " + place::data(n) + ", which is not stored \"Update record (sorted)\": the terminal shows \"Cannot search data file.\"",
                              "set the storage of " + place::data(n) + " to \"Update record (sorted)\", or choose another lookup source");
            }
        }
    }
}

} // namespace formwick::rules
