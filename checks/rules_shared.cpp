#include "checks/rules.h"

#include "checks/screen_fit.h"
#include "model/choice_names.h"

#include <algorithm>
#include <vector>

namespace formwick::rules {

int visible_lines(const CParameters& p, int form) {
    return std::min(font_cells(p, p.forms[form].font).rows(), kFormLineCount);
}

bool form_runs(const CParameters& p, int form) {
    const CParamForm& f = p.forms[form];
    for (int i = 0; i < visible_lines(p, form); ++i)
        if (f.lines[i].dataType != kLineNil) return true;
    return false;
}

int menu_item_count(const CParamMenu& m) {
    int n = 0;
    while (n < kMenuItemCount && m.items[n].name[0] != '\0') ++n;
    return n;
}

bool takes_input(int line_type) { return line_type >= kLineText && line_type <= kLineBoolean; }

std::string target_name(int target) { return names::target().label(target); }

namespace {

// Where a screen can lead: its CLR key, its end, its items, and the Goto of
// a lookup it searches when nothing matches.
std::vector<int> next_targets(const CParameters& p, int target) {
    std::vector<int> next;
    if (target >= 1 && target <= 8) {
        const int f = target - 1;
        if (!form_runs(p, f)) return {0};
        const CParamForm& form = p.forms[f];
        next = {form.clrTarget, form.nextTarget};
        for (int i = 0; i < visible_lines(p, f); ++i) {
            const CFormLine& l = form.lines[i];
            if (l.lookupSource >= 1 && l.lookupSource <= 3) {
                const CParamLookup& lookup = p.lookups[l.lookupSource - 1];
                if (lookup.noMatchAction >= 2) next.push_back(lookup.noMatchTarget);
            }
        }
    } else if (target >= 9 && target <= 16) {
        const CParamMenu& menu = p.menus[target - 9];
        int items = menu_item_count(menu);
        if (items == 0) return {0};
        next.push_back(menu.clrTarget);
        for (int i = 0; i < items; ++i) next.push_back(menu.items[i].next);
    }
    return next;
}

} // namespace

std::array<bool, 17> reachable_targets(const CParameters& p) {
    std::array<bool, 17> seen{};
    std::vector<int> todo{p.startup.startTarget == 1 ? 9 : 1};
    while (!todo.empty()) {
        int t = todo.back();
        todo.pop_back();
        if (t < 0 || t > 16 || seen[t]) continue;
        seen[t] = true;
        for (int n : next_targets(p, t)) todo.push_back(n);
    }
    return seen;
}

} // namespace formwick::rules
