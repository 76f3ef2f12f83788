#include "runtime/app/app_state.h"

namespace formwick {

namespace {
const CParameters* g_parameters = nullptr;
} // namespace

int app_goto_state = -1;

void app_set_parameters(const CParameters* parameters) { g_parameters = parameters; }

const CParameters& app_parameters() {
    static const CParameters empty;
    return g_parameters ? *g_parameters : empty;
}

std::string app_file_name(const FileName& name) { return AnsiCodePage::current().from_utf16(get_wide(name)); }

} // namespace formwick
