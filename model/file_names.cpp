#include "model/file_names.h"

#include <string>

namespace formwick {

std::u16string index_name_for(std::u16string_view file_name) {
    std::size_t dot = file_name.rfind(u'.');
    std::u16string name(file_name.substr(0, dot));
    name += u".IDX";
    return name;
}

void set_file_and_index_name(FileName& file_name, FileName& index_name, std::u16string_view name) {
    set_wide(file_name, name);
    set_wide(index_name, index_name_for(get_wide(file_name)));
}

std::u16string numbered_name(const char* stem, int number, const char* extension) {
    std::string s = std::string(stem) + std::to_string(number) + extension;
    return std::u16string(s.begin(), s.end());
}

} // namespace formwick
