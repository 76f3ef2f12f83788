#include "model/choice_names.h"

#include "model/field_refs.h"
#include "model/form.h"

namespace formwick {

std::string_view ChoiceNames::name(int code) const {
    if (code < first_ || code > last()) return {};
    return names_[static_cast<std::size_t>(code - first_)];
}

std::string ChoiceNames::label(int code) const {
    std::string_view n = name(code);
    return n.empty() ? "code " + std::to_string(code) : std::string(n);
}

std::optional<int> ChoiceNames::code(std::string_view name) const {
    if (name.empty()) return std::nullopt;
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name) return first_ + static_cast<int>(i);
    return std::nullopt;
}

std::string ChoiceNames::listed() const {
    std::string out;
    for (const std::string& n : names_) {
        if (n.empty()) continue;
        if (!out.empty()) out += ", ";
        out += "\"" + (n == "\t" ? std::string("\\t") : n) + "\"";
    }
    return out;
}

namespace names {

namespace {

std::vector<std::string> numbered(const char* stem, int from, int to) {
    std::vector<std::string> out;
    for (int n = from; n <= to; ++n) out.push_back(stem + std::to_string(n));
    return out;
}

template <std::size_t N> std::vector<std::string> listed(const char* const (&names)[N]) { return {names, names + N}; }

} // namespace

const ChoiceNames& line_type() {
    static const ChoiceNames t("line type", 0, listed(kFormLineTypeNames));
    return t;
}

const ChoiceNames& target() {
    static const ChoiceNames t("screen target", 0, [] {
        std::vector<std::string> v{"Main menu"};
        for (auto& n : numbered("Form ", 1, 8)) v.push_back(n);
        for (auto& n : numbered("Menu ", 1, 8)) v.push_back(n);
        return v;
    }());
    return t;
}

const ChoiceNames& start_target() {
    static const ChoiceNames t("start", 0, {"Form 1", "Menu 1"});
    return t;
}

const ChoiceNames& field_ref() {
    static const ChoiceNames t("field reference", 0, [] {
        std::vector<std::string> v;
        for (int code = 0; code < kFieldRefCount; ++code) v.emplace_back(field_ref_name_ascii(code));
        return v;
    }());
    return t;
}

const ChoiceNames& font() {
    static const ChoiceNames t("font", 0, {"Large", "Medium", "Custom"});
    return t;
}

const ChoiceNames& data_file() {
    static const ChoiceNames t("data file", 0, numbered("Data ", 1, 3));
    return t;
}

const ChoiceNames& lookup_source() {
    static const ChoiceNames t("lookup source", 0,
                               {"Nil", "Lookup 1", "Lookup 2", "Lookup 3", "Data 1", "Data 2", "Data 3"});
    return t;
}

const ChoiceNames& alignment() {
    static const ChoiceNames t("alignment", 0, listed(kAlignmentNames));
    return t;
}

const ChoiceNames& input_source() {
    static const ChoiceNames t("input source", 0, {"Reader", "Keypad", "Both"});
    return t;
}

const ChoiceNames& initial_kind() {
    static const ChoiceNames t("initial value kind", 0, {"None", "Value/Text", "Variable"});
    return t;
}

const ChoiceNames& decimal_places() {
    static const ChoiceNames t("decimal places", 0, {"1 decimal place", "2 decimal places"});
    return t;
}

const ChoiceNames& file_type() {
    static const ChoiceNames t("file type", 0, {"Fixed", "CSV"});
    return t;
}

const ChoiceNames& delimiter() {
    static const ChoiceNames t("delimiter", 0, {",", ";", "|", "\t"});
    return t;
}

const ChoiceNames& bad_format_action() {
    static const ChoiceNames t("action", 0,
                               {"Show error & Goto main menu", "Show error & delete lookup", "Continue"});
    return t;
}

const ChoiceNames& no_match_action() {
    static const ChoiceNames t("action", 0, {"Continue", "Show warning", "Goto", "Warning & Goto"});
    return t;
}

const ChoiceNames& missing_action() {
    static const ChoiceNames t("action", 0, {"Show error & Goto main menu", "Show error & continue", "Goto main"});
    return t;
}

const ChoiceNames& field_index() {
    static const ChoiceNames t("key field", 0, numbered("Field ", 1, 10));
    return t;
}

const ChoiceNames& storage_mode() {
    static const ChoiceNames t("storage mode", 0, {"Append new data", "Update record (sorted)"});
    return t;
}

const ChoiceNames& year_digits() {
    static const ChoiceNames t("year digits", 0, {"4 digits (YYYY)", "2 digits (YY)"});
    return t;
}

const ChoiceNames& date_order() {
    static const ChoiceNames t("date order", 0, {"Year/Month/Day", "Month/Day/Year", "Day/Month/Year"});
    return t;
}

const ChoiceNames& brightness() {
    static const ChoiceNames t("brightness", 1, {"Low", "Medium", "High"});
    return t;
}

const ChoiceNames& backlight_time() {
    static const ChoiceNames t("backlight time", 0,
                               {"Off", "10 seconds", "20 seconds", "30 seconds", "40 seconds", "50 seconds", "60 seconds"});
    return t;
}

const ChoiceNames& delete_data() {
    static const ChoiceNames t("delete data", 0, {"No", "Manual Input", "Auto Input", "Communication"});
    return t;
}

const ChoiceNames& date_format() {
    static const ChoiceNames t("date format", 0, {"YY/MM/DD", "DD/MM/YY"});
    return t;
}

const ChoiceNames& protocol() {
    static const ChoiceNames t("protocol", 0, {"Xaplink", "Ryvo"});
    return t;
}

const ChoiceNames& read_mode() {
    static const ChoiceNames t("read mode", 0, {"Single", "Multiple", "Trigger"});
    return t;
}

const ChoiceNames& read_timeout() {
    static const ChoiceNames t("read time-out", 0, {"2 seconds", "4 seconds", "6 seconds", "8 seconds", "10 seconds"});
    return t;
}

} // namespace names

} // namespace formwick
