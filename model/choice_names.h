// The names users see for every coded choice of the definition.
//
// The editors list these names, the JSON definition (version 2) stores them
// in place of the codes, and the command line's show, check and diff print
// them, so a user meets one vocabulary everywhere. Each table maps the codes
// first .. first + size - 1 to their names, in the order the editors list
// them. A code without a name (the unassigned field references 61, 62, 73,
// 74, 85, 86) has an empty name.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace formwick {

class ChoiceNames {
public:
    ChoiceNames(std::string_view what, int first, std::vector<std::string> names)
        : what_(what), first_(first), names_(std::move(names)) {}

    // What is chosen, for messages: "line type", "screen target".
    std::string_view what() const { return what_; }
    int first() const { return first_; }
    int last() const { return first_ + static_cast<int>(names_.size()) - 1; }
    // The name of a code; empty when the code has none or is out of range.
    std::string_view name(int code) const;
    // The name, or "code N" for a code without one (shown, never read back).
    std::string label(int code) const;
    // The code of a name (exact spelling), or nothing.
    std::optional<int> code(std::string_view name) const;
    // Every name, quoted and separated by commas, for "one of ..." messages.
    std::string listed() const;

private:
    std::string what_;
    int first_;
    std::vector<std::string> names_;
};

namespace names {
const ChoiceNames& line_type();      // "Nil", "Text", "Integer", ... "Aplha" ...
const ChoiceNames& target();         // "Main menu", "Form 1".."Form 8", "Menu 1".."Menu 8"
const ChoiceNames& start_target();   // "Form 1", "Menu 1"
const ChoiceNames& field_ref();      // "Nil", "Var 1", "Look 1-2", "Data 3-10", "Const 1", "Term ID" ...
const ChoiceNames& font();           // "Large", "Medium", "Custom"
const ChoiceNames& data_file();      // "Data 1".."Data 3"
const ChoiceNames& lookup_source();  // "Nil", "Lookup 1".."Lookup 3", "Data 1".."Data 3"
const ChoiceNames& alignment();      // "Left aligned padded with space" ...
const ChoiceNames& input_source();   // "Reader", "Keypad", "Both"
const ChoiceNames& initial_kind();   // "None", "Value/Text", "Variable"
const ChoiceNames& decimal_places(); // "1 decimal place", "2 decimal places"
const ChoiceNames& file_type();      // "Fixed", "CSV"
const ChoiceNames& delimiter();      // ",", ";", "|", "\t"
const ChoiceNames& bad_format_action();
const ChoiceNames& no_match_action();
const ChoiceNames& missing_action();
const ChoiceNames& field_index();    // "Field 1".."Field 10" (key fields)
const ChoiceNames& storage_mode();   // "Append new data", "Update record (sorted)"
const ChoiceNames& year_digits();    // "4 digits (YYYY)", "2 digits (YY)"
const ChoiceNames& date_order();     // "Year/Month/Day", "Month/Day/Year", "Day/Month/Year"
const ChoiceNames& brightness();     // 1 "Low", 2 "Medium", 3 "High"
const ChoiceNames& backlight_time(); // "Off", "10 seconds" .. "60 seconds"
const ChoiceNames& delete_data();    // "No", "Manual Input", "Auto Input", "Communication"
const ChoiceNames& date_format();    // "YY/MM/DD", "DD/MM/YY"
const ChoiceNames& protocol();       // "Xaplink", "Ryvo"
const ChoiceNames& read_mode();      // "Single", "Multiple", "Trigger"
const ChoiceNames& read_timeout();   // "2 seconds" .. "10 seconds"
} // namespace names

} // namespace formwick
