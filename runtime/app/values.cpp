#include "runtime/app/values.h"

#include "model/field_refs.h"
#include "model/text_codec.h"
#include "runtime/runtime_version.h"

#include <array>

namespace formwick {

namespace {

std::array<std::string, kFieldRefCount> g_values;

bool read_only(int code) { return code == kFieldRefNil || code >= kFieldRefConst1; }

void store(int code, std::string_view text) {
    g_values[code] = std::string(utf8_cut(text, kValueCapacity));
}

} // namespace

void values_reset() {
    for (auto& v : g_values) v.clear();
}

void values_load_fixed(const CParamStartup& startup) {
    for (int i = 0; i < 3; ++i) store(constant_code(i + 1), text_bytes(startup.constants[i]));
    // The terminal ID and the application version are kept in the ANSI
    // code page; values are UTF-8 like everything the runtime shows and stores.
    store(kFieldRefTerminalId, utf16_to_utf8(startup.terminalIdText()));
    store(kFieldRefOsVersion, kTerminalOsVersion);
    store(kFieldRefInterpreterVersion, kInterpreterVersion);
    store(kFieldRefApplicationVersion, utf16_to_utf8(startup.applicationVersionText()));
}

std::string_view value_get(int code) {
    if (code <= 0 || code >= kFieldRefCount) return {};
    return g_values[code];
}

void value_set(int code, std::string_view text) {
    if (code < 0 || code >= kFieldRefCount || read_only(code)) return;
    store(code, text);
}

} // namespace formwick
