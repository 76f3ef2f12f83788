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

bool file_name_allowed(std::u16string_view name) {
    if (name.size() > 12) return false;
    for (char16_t c : name)
        if (c < 0x20 || std::u16string_view(u"<>:\"/\\| ").find(c) != std::u16string_view::npos) return false;
    const std::size_t dot = name.find(u'.');
    if (dot == std::u16string_view::npos) return name.size() <= 8;
    if (name.find(u'.', dot + 1) != std::u16string_view::npos) return false;
    const std::u16string_view extension = name.substr(dot);
    if (dot > 8 || extension.size() > 4) return false;
    auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
    const std::u16string_view reserved = u".~NX";
    bool same = extension.size() == reserved.size();
    for (std::size_t i = 0; same && i < reserved.size(); ++i) same = upper(extension[i]) == reserved[i];
    return !same;
}

std::u16string numbered_name(const char* stem, int number, const char* extension) {
    std::string s = std::string(stem) + std::to_string(number) + extension;
    return std::u16string(s.begin(), s.end());
}

} // namespace formwick
