// Field references: one code space 0..93 naming every value the terminal holds
// at run time. The same codes are used by the parameter model, the
// configuration image (one byte each), the editors and the runtime.
//
//   0        Nil                    no value
//   1..20    Var 1 .. Var 20        variable n = code
//   21..50   Look l-f               lookup l (1..3), field f (1..10): 21 + 10(l-1) + (f-1)
//   51..84   Data d-f               data file d (1..3), field f: 51 + 12(d-1) + (f-1)
//                                   (each data file owns 12 codes; the last two
//                                   of each block, 61/62, 73/74, 85/86, are unassigned)
//   87..89   Const 1 .. Const 3     the start-up record's constants
//   90       Term ID, 91 OS Ver, 92 Inter Ver, 93 Appl Ver
#pragma once

#include <string_view>

namespace formwick {

inline constexpr int kFieldRefCount = 94;
inline constexpr int kFieldRefNil = 0;
inline constexpr int kFieldRefFirstVariable = 1;
inline constexpr int kFieldRefLastVariable = 20;
inline constexpr int kFieldRefConst1 = 87;
inline constexpr int kFieldRefTerminalId = 90;
inline constexpr int kFieldRefOsVersion = 91;
inline constexpr int kFieldRefInterpreterVersion = 92;
inline constexpr int kFieldRefApplicationVersion = 93;

enum class FieldRefKind { Nil, Variable, LookupField, DataField, Constant, System, Unassigned };

// A code taken apart. `number` is the variable, constant, lookup or data file
// number (1-based), `field` the field number 1..10 for file fields, 0 otherwise.
// For System, `number` is the code itself (90..93).
struct FieldRef {
    FieldRefKind kind = FieldRefKind::Unassigned;
    int number = 0;
    int field = 0;
};

// Code of field `field` (1..10) of lookup file `lookup` (1..3).
constexpr int lookup_field_code(int lookup, int field) { return 21 + 10 * (lookup - 1) + (field - 1); }
// Code of field `field` (1..10) of data file `data` (1..3).
constexpr int data_field_code(int data, int field) { return 51 + 12 * (data - 1) + (field - 1); }
constexpr int variable_code(int n) { return n; }
constexpr int constant_code(int n) { return kFieldRefConst1 + n - 1; }

FieldRef decode_field_ref(int code);

// The short display name ("Var 1", "Look 2-10", "Term ID"); empty for
// unassigned codes and for codes outside 0..93. At most 9 characters.
std::u16string_view field_ref_name(int code);

// Same name as ASCII text, for the command line and tests.
std::string_view field_ref_name_ascii(int code);

} // namespace formwick
