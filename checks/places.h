// Places of a definition as the editors name them: "Form 2, line 1",
// "Menu 3, item 4", "Data 1, field 3", "Language, message 25". Numbers are
// 1-based as users count; the arguments are the model's 0-based indexes.
#pragma once

#include <string>

namespace formwick::place {

inline std::string form(int f) { return "Form " + std::to_string(f + 1); }
inline std::string form_line(int f, int l) { return form(f) + ", line " + std::to_string(l + 1); }
inline std::string menu(int m) { return "Menu " + std::to_string(m + 1); }
inline std::string menu_item(int m, int i) { return menu(m) + ", item " + std::to_string(i + 1); }
inline std::string lookup(int l) { return "Lookup " + std::to_string(l + 1); }
inline std::string lookup_field(int l, int i) { return lookup(l) + ", field " + std::to_string(i + 1); }
inline std::string data(int d) { return "Data " + std::to_string(d + 1); }
inline std::string data_field(int d, int i) { return data(d) + ", field " + std::to_string(i + 1); }
inline std::string splash_line(int i) { return "Start-up, splash line " + std::to_string(i + 1); }
inline std::string constant(int i) { return "Start-up, Const " + std::to_string(i + 1); }

} // namespace formwick::place
