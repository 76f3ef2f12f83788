// The flow through forms and menus: screens nobody reaches, targets that
// lead to an empty screen, and applications with no way back.
#include "checks/places.h"
#include "checks/rules.h"

namespace formwick::rules {

namespace {

struct Edge {
    int from; // the screen the edge leaves (a target), -1 for the start
    std::string where;
    int to;
};

std::vector<Edge> edges(const CParameters& p) {
    std::vector<Edge> out{{-1, "Start-up, program starts from", p.startup.startTarget == 1 ? 9 : 1}};
    for (int f = 0; f < kFormCount; ++f) {
        const CParamForm& form = p.forms[f];
        out.push_back({f + 1, place::form(f) + ", CLR", form.clrTarget});
        out.push_back({f + 1, place::form(f) + ", next", form.nextTarget});
    }
    for (int m = 0; m < kMenuCount; ++m) {
        const CParamMenu& menu = p.menus[m];
        out.push_back({m + 9, place::menu(m) + ", CLR", menu.clrTarget});
        for (int i = 0; i < menu_item_count(menu); ++i) out.push_back({m + 9, place::menu_item(m, i), menu.items[i].next});
    }
    return out;
}

bool empty_screen(const CParameters& p, int target) {
    if (target >= 1 && target <= 8) return !form_runs(p, target - 1);
    if (target >= 9 && target <= 16) return menu_item_count(p.menus[target - 9]) == 0;
    return false;
}

bool in_use(const CParameters& p, int target) { return target >= 1 && target <= 16 && !empty_screen(p, target); }

} // namespace

void check_flow(const CParameters& p, Findings& out) {
    const std::array<bool, 17> reached = reachable_targets(p);
    for (const Edge& e : edges(p)) {
        if (e.from >= 0 && (!reached[e.from] || empty_screen(p, e.from))) continue;
        if (empty_screen(p, e.to))
            out.error("empty-screen", e.where,
                      "leads to " + target_name(e.to) + ", which has " +
                          (e.to <= 8 ? "only Nil lines" : "no items") + ": the terminal goes straight back to its main menu",
                      "give " + target_name(e.to) + " its " + (e.to <= 8 ? "lines" : "items") + ", or choose another target");
    }
    for (int t = 1; t <= 16; ++t)
        if (in_use(p, t) && !reached[t])
            out.warning("unreachable", target_name(t),
                        "no menu item, CLR key, next target or lookup Goto leads here from the start: it is never shown",
                        "point a menu item or a form's next target at " + target_name(t) + ", or clear it");
    if (!reached[0])
        out.error("no-way-back", "Start-up",
                  "no screen leads back to the \"Main menu\": the user can never reach \"Communicate\" to send the data "
                  "or \"Utilities\"",
                  "let a CLR key or a menu item lead to \"Main menu\"");
}

} // namespace formwick::rules
