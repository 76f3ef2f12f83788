#include "model/field_refs.h"

#include <array>
#include <string>

namespace formwick {

FieldRef decode_field_ref(int code) {
    if (code == 0) return {FieldRefKind::Nil, 0, 0};
    if (code >= 1 && code <= 20) return {FieldRefKind::Variable, code, 0};
    if (code >= 21 && code <= 50) return {FieldRefKind::LookupField, (code - 21) / 10 + 1, (code - 21) % 10 + 1};
    if (code >= 51 && code <= 86) {
        int offset = (code - 51) % 12;
        if (offset >= 10) return {FieldRefKind::Unassigned, 0, 0};
        return {FieldRefKind::DataField, (code - 51) / 12 + 1, offset + 1};
    }
    if (code >= 87 && code <= 89) return {FieldRefKind::Constant, code - 86, 0};
    if (code >= 90 && code <= 93) return {FieldRefKind::System, code, 0};
    return {FieldRefKind::Unassigned, 0, 0};
}

namespace {

// Display names are fixed entries of 10 wide characters, built once.
struct NameTable {
    std::array<std::string, kFieldRefCount> ascii;
    std::array<std::u16string, kFieldRefCount> wide;

    NameTable() {
        for (int code = 0; code < kFieldRefCount; ++code) {
            FieldRef ref = decode_field_ref(code);
            std::string name;
            switch (ref.kind) {
            case FieldRefKind::Nil: name = "Nil"; break;
            case FieldRefKind::Variable: name = "Var " + std::to_string(ref.number); break;
            case FieldRefKind::LookupField:
                name = "Look " + std::to_string(ref.number) + "-" + std::to_string(ref.field);
                break;
            case FieldRefKind::DataField:
                name = "Data " + std::to_string(ref.number) + "-" + std::to_string(ref.field);
                break;
            case FieldRefKind::Constant: name = "Const " + std::to_string(ref.number); break;
            case FieldRefKind::System: {
                static const char* const kSystem[] = {"Term ID", "OS Ver", "Inter Ver", "Appl Ver"};
                name = kSystem[code - kFieldRefTerminalId];
                break;
            }
            case FieldRefKind::Unassigned: break;
            }
            ascii[code] = name;
            wide[code] = std::u16string(name.begin(), name.end());
        }
    }
};

const NameTable& names() {
    static const NameTable table;
    return table;
}

} // namespace

std::u16string_view field_ref_name(int code) {
    if (code < 0 || code >= kFieldRefCount) return {};
    return names().wide[code];
}

std::string_view field_ref_name_ascii(int code) {
    if (code < 0 || code >= kFieldRefCount) return {};
    return names().ascii[code];
}

} // namespace formwick
