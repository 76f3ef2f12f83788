// Short ways to fill in the parts of a definition the end-to-end cases use.
#pragma once

#include "model/parameters.h"

#include <initializer_list>
#include <string>

namespace formwick::e2e {

// Line `i` of `form` as a keypad input line of `type` into `variable`; the
// value is kept as typed ("Variable size").
CFormLine& input_line(CParamForm& form, int i, int type, const std::string& prompt, int variable, int maximum,
                      int minimum = 0);
// Line `i` of `form` as a line without input (Fixed, Lookup, Counter,
// Pause, Extension) showing or looking up `variable`.
CFormLine& plain_line(CParamForm& form, int i, int type, const std::string& prompt, int variable = 0);

// Form `form` stores a record in data file `data` (0..2) after its last line.
void save_on_next(CParamForm& form, int data);

struct DataField {
    int variable1 = 0;
    int fieldSize = 0;
    int alignment = 4; // "Variable size"
    int variable2 = 0;
    bool isString = true;
};

// Data file fields separated by `delimiter` (0 comma .. 3 tab), lines of
// any length.
void separated_data(CParamData& data, int delimiter, std::initializer_list<DataField> fields);
// Fixed-size records: the fields one after another, divided by the
// `delimiter` separator when it is 0..3 (none when -1); the record length
// follows from the fields.
void fixed_data(CParamData& data, int delimiter, std::initializer_list<DataField> fields);

// A used CSV lookup file of fields with these maximum lengths.
void csv_lookup(CParamLookup& lookup, int delimiter, std::initializer_list<int> max_lengths, int key_field = 0);
// A used Fixed lookup file: fields (offset, length) in records of `record_size`.
void fixed_lookup(CParamLookup& lookup, int record_size, std::initializer_list<CLookupFields> fields,
                  int key_field = 0);

// Menu `menu` with `header` (drawn when not empty) and items (name, next).
struct MenuItemSpec {
    std::string name;
    int next = 0;
};
void menu_items(CParamMenu& menu, const std::string& header, std::initializer_list<MenuItemSpec> items);

// Form 1 of `app`: a "Code:" line of up to 13 characters read only from the
// scanner into Var 1, a "Qty:" line into Var 2, both stored in Data 1 as
// "code,qty" when the form goes on.
void scanned_code_form(CParameters& app);

} // namespace formwick::e2e
