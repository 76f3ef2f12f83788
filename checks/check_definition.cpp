#include "checks/check_definition.h"

#include "checks/rules.h"

namespace formwick {

Findings check_definition(const CParameters& p) {
    Findings out;
    rules::check_data_files(p, out);
    rules::check_searches(p, out);
    rules::check_lines(p, out);
    rules::check_flow(p, out);
    rules::check_values(p, out);
    rules::check_display(p, out);
    return out;
}

} // namespace formwick
