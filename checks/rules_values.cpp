// Values read before anything writes them: a variable that a data field, a
// Fixed line or a lookup key takes while no input line or menu sets it.
#include "checks/places.h"
#include "checks/rules.h"
#include "model/choice_names.h"
#include "model/field_refs.h"

#include <array>

namespace formwick::rules {

namespace {

bool is_variable(int code) { return code >= kFieldRefFirstVariable && code <= kFieldRefLastVariable; }

// Variables some running input line or shown menu sets.
std::array<bool, kFieldRefCount> written(const CParameters& p) {
    std::array<bool, kFieldRefCount> w{};
    auto set = [&](int code) {
        if (code >= 0 && code < kFieldRefCount) w[code] = true;
    };
    for (int f = 0; f < kFormCount; ++f)
        for (int i = 0; i < visible_lines(p, f); ++i)
            if (takes_input(p.forms[f].lines[i].dataType)) set(p.forms[f].lines[i].variable);
    for (const CParamMenu& m : p.menus) {
        if (menu_item_count(m) == 0) continue;
        if (m.storeHeader) set(m.headerVariable);
        if (m.storeItemName) set(m.itemNameVariable);
        if (m.storeItemNumber) set(m.itemNumberVariable);
    }
    return w;
}

bool saved_into(const CParameters& p, int d) {
    for (int f = 0; f < kFormCount; ++f)
        if (p.forms[f].saveOnNext && p.forms[f].saveDataFile == d && form_runs(p, f)) return true;
    for (const CParamMenu& m : p.menus)
        if (m.saveOnNext && m.saveDataFile == d && menu_item_count(m) > 0) return true;
    return false;
}

} // namespace

void check_values(const CParameters& p, Findings& out) {
    const std::array<bool, kFieldRefCount> w = written(p);
    auto unset = [&](int code) { return is_variable(code) && !w[code]; };
    auto report = [&](const std::string& where, int code, const std::string& what) {
        const std::string name(field_ref_name_ascii(code));
        out.warning("read-before-write", where,
                    what + " \"" + name + "\", which no input line or menu sets: it is always empty",
                    "let an input line or a menu store into \"" + name + "\", or take another value");
    };
    for (int d = 0; d < kDataFileCount; ++d) {
        if (!saved_into(p, d)) continue;
        const CParamData& data = p.dataFiles[d];
        for (int i = 0; i < data.fieldCount && i < kDataFieldCount; ++i)
            for (int code : {data.fields[i].variable1, data.fields[i].variable2})
                if (unset(code)) report(place::data_field(d, i), code, "stores");
    }
    for (int f = 0; f < kFormCount; ++f) {
        if (!form_runs(p, f)) continue;
        for (int i = 0; i < visible_lines(p, f); ++i) {
            const CFormLine& l = p.forms[f].lines[i];
            const std::string where = place::form_line(f, i);
            if (l.dataType == kLineFixed && unset(l.variable)) report(where, l.variable, "shows");
            if (l.dataType == kLineLookup && l.lookupSource != 0 && unset(l.variable)) report(where, l.variable, "searches with");
            if (takes_input(l.dataType) && l.more.initialKind == 2 && l.more.initialText[0] == '\0' &&
                unset(l.more.initialVariable))
                report(where, l.more.initialVariable, "starts from");
        }
    }
}

} // namespace formwick::rules
