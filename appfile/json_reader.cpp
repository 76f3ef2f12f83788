#include "appfile/json_reader.h"

#include "appfile/base64.h"
#include "model/record_layout.h"
#include "appfile/image_map.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace formwick {

namespace {

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string quoted_utf16(std::u16string_view text) { return "\"" + utf16_to_utf8(text) + "\""; }

// The characters of a text one by one, a surrogate pair counting as one.
std::u16string_view char_at(std::u16string_view text, std::size_t i) {
    bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size();
    return text.substr(i, pair ? 2 : 1);
}

std::string article(std::string_view noun) {
    return !noun.empty() && std::strchr("aeiou", noun[0]) ? "an " : "a ";
}

} // namespace

const JsonIn::Json* JsonIn::find(std::string_view key) {
    seen_.emplace_back(key);
    auto it = cur_->find(std::string(key));
    return it == cur_->end() ? nullptr : &*it;
}

void JsonIn::check_known_keys() const {
    for (const auto& item : cur_->items())
        if (std::find(seen_.begin(), seen_.end(), item.key()) == seen_.end()) refuse(at(item.key()), "unknown key");
}

std::string JsonIn::expected(const char* what, const Json& j) {
    static const char* const found[] = {"null", "an object", "an array", "a string", "a boolean",
                                        "a number", "a number", "a number", "binary data", "nothing"};
    return std::string("expected ") + what + ", found " + found[static_cast<int>(j.type())];
}

long long JsonIn::integer_value(const std::string& where, const Json& j, ValueRange r) const {
    if (!j.is_number_integer()) refuse(where, expected("an integer", j));
    if (j.is_number_unsigned() && j.get<unsigned long long>() > static_cast<unsigned long long>(LLONG_MAX))
        refuse(where, j.dump() + " is above " + std::to_string(r.hi));
    long long v = j.get<long long>();
    if (v < r.lo) refuse(where, std::to_string(v) + " is below " + std::to_string(r.lo));
    if (v > r.hi) refuse(where, std::to_string(v) + " is above " + std::to_string(r.hi));
    return v;
}

std::uint8_t JsonIn::flag_value(const std::string& where, const Json& j) const {
    if (!j.is_boolean()) refuse(where, expected("true or false", j));
    return j.get<bool>() ? 1 : 0;
}

std::string JsonIn::utf8_value(const std::string& where, const Json& j, std::size_t most) const {
    if (!j.is_string()) refuse(where, expected("a text", j));
    const std::string& s = j.get_ref<const std::string&>();
    if (s.find('\0') != std::string::npos) refuse(where, "a text cannot hold a NUL character");
    if (s.size() > most)
        refuse(where, "the text is " + std::to_string(s.size()) + " bytes long, at most " + std::to_string(most) + " fit");
    return s;
}

std::string JsonIn::ansi_value(const std::string& where, const Json& j, std::size_t most) const {
    std::string utf8 = utf8_value(where, j, SIZE_MAX);
    std::u16string wide = utf8_to_utf16(utf8);
    const AnsiCodePage& page = AnsiCodePage::current();
    std::string ansi = page.from_utf16(wide);
    std::u16string back = page.to_utf16(ansi);
    if (back != wide) {
        std::size_t i = std::mismatch(wide.begin(), wide.end(), back.begin(), back.end()).first - wide.begin();
        refuse(where, quoted_utf16(char_at(wide, i)) + " cannot be written in the code page " + page.name());
    }
    if (ansi.size() > most)
        refuse(where, "the text is " + std::to_string(ansi.size()) + " characters long, at most " +
                          std::to_string(most) + " fit");
    return ansi;
}

// File names stay plain 8.3-style names inside the terminal's RAM disk: no
// folders, drives or "..", no control characters, at most 12 characters.
void JsonIn::file_name(std::string_view key, FileName& name) {
    const Json* j = find(key);
    if (!j) return;
    std::string where = at(key);
    std::u16string wide = utf8_to_utf16(utf8_value(where, *j, SIZE_MAX));
    bool plain = !wide.empty() && wide.find(u"..") == std::u16string::npos &&
                 std::none_of(wide.begin(), wide.end(),
                              [](char16_t c) { return c < 0x20 || c == '/' || c == '\\' || c == ':'; });
    if (!plain) refuse(where, quoted_utf16(wide) + " is not a plain file name");
    if (wide.size() > name.size() - 1)
        refuse(where, quoted_utf16(wide) + " is longer than " + std::to_string(name.size() - 1) + " characters");
    ansi_value(where, *j, SIZE_MAX); // the image keeps names in the code page
    set_wide(name, wide);
}

// null, or {"width", "height", "rows": one hex string per row}.
void JsonIn::picture_value(const std::string& where, const Json& j, std::uint8_t* p, std::size_t size) {
    std::fill(p, p + size, 0);
    if (j.is_null()) return;
    in_object(where, j, [&] {
        int width = 0, height = 0;
        integer("width", width, ValueRange{1, 128});
        integer("height", height, ValueRange{1, 128});
        std::size_t row_bytes = (static_cast<std::size_t>(width) + 7) / 8;
        if (!width || !height) refuse(path_, "a picture needs a width and a height");
        if (2 + row_bytes * height > size)
            refuse(path_, "a " + std::to_string(width) + " x " + std::to_string(height) + " picture does not fit in " +
                              std::to_string(size) + " bytes");
        const Json* rows = find("rows");
        if (!rows) refuse(at("rows"), "missing");
        if (!rows->is_array() || rows->size() != static_cast<std::size_t>(height))
            refuse(at("rows"), "expected " + std::to_string(height) + " rows");
        p[0] = static_cast<std::uint8_t>(width);
        p[1] = static_cast<std::uint8_t>(height);
        for (std::size_t r = 0; r < rows->size(); ++r) {
            const Json& row = (*rows)[r];
            std::string rw = index("rows", r);
            if (!row.is_string() || row.get_ref<const std::string&>().size() != 2 * row_bytes)
                refuse(rw, "expected a text of " + std::to_string(2 * row_bytes) + " hex digits");
            const std::string& s = row.get_ref<const std::string&>();
            for (std::size_t b = 0; b < row_bytes; ++b) {
                int hi = hex_value(s[2 * b]), lo = hex_value(s[2 * b + 1]);
                if (hi < 0 || lo < 0) refuse(rw, "\"" + s + "\" is not hexadecimal");
                p[2 + r * row_bytes + b] = static_cast<std::uint8_t>(hi * 16 + lo);
            }
        }
    });
}

void JsonIn::custom_font(CParamStartup& s) {
    s.clearCustomFont();
    if (const Json* j = find("customFont"); j && !j->is_null()) {
        std::string where = at("customFont");
        if (!j->is_string()) refuse(where, expected("base64 text or null", *j));
        auto body = base64_decode(j->get_ref<const std::string&>());
        if (!body) refuse(where, "not valid base64");
        std::size_t n = body->size();
        if (n < 3) refuse(where, "a font body needs at least 3 bytes, found " + std::to_string(n));
        if (!s.setCustomFont(std::move(*body)))
            refuse(where, "an extended font body (starting FE FE) needs at least " +
                              std::to_string(kExtendedFontHeaderSize) + " bytes, found " + std::to_string(n));
    }
    // The sizes follow from the body; when given they must agree with it.
    auto agrees = [&](const char* key, int derived) {
        int given = derived;
        integer(key, given, range::kAnyInt);
        if (given != derived)
            refuse(at(key), std::to_string(given) + " does not match the font body, which gives " + std::to_string(derived));
    };
    agrees("customFontLength", s.customFontLength);
    agrees("glyphWidth", s.glyphWidth);
    agrees("glyphHeight", s.glyphHeight);
}

// Version 1 holds the code; version 2 the name, or the code of a choice
// that has no name (an unassigned field reference).
int JsonIn::choice_value(const std::string& where, const Json& j, const ChoiceNames& names) const {
    if (version_ == 1 || (j.is_number_integer() && names.name(static_cast<int>(integer_value(where, j, range::kAnyInt))).empty())) {
        long long code = integer_value(where, j, ValueRange{names.first(), names.last()});
        return static_cast<int>(code);
    }
    if (!j.is_string()) refuse(where, expected("a name", j) + "; one of " + names.listed());
    const std::string& name = j.get_ref<const std::string&>();
    std::optional<int> code = names.code(name);
    if (!code) refuse(where, "\"" + name + "\" is not " + article(names.what()) + std::string(names.what()) + "; one of " + names.listed());
    return *code;
}

void JsonIn::record_length_default(CParamData& d) {
    if (!cur_->contains("recordLength")) d.recordLength = data_record_length(d);
}

void JsonIn::language_kept(const CParamLanguage& l) const {
    auto check = [&](const char* key, const auto& texts, int kept, const char* what) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (texts[i][0] == '\0') continue;
            if (!l.used)
                refuse(index(key, i), "a translated text while \"used\" is false; an application file keeps "
                                      "translated texts only when they are used");
            if (i >= static_cast<std::size_t>(kept))
                refuse(index(key, i), "an application file keeps only the first " + std::to_string(kept) + " " + what);
        }
    };
    check("menuTexts", l.menuTexts, image::kWrittenMenuTexts, "menu texts");
    check("stringTexts", l.stringTexts, image::kWrittenStringTexts, "strings");
    check("messageTexts", l.messageTexts, image::kWrittenMessageTexts, "messages");
}

void JsonIn::language_used_default(CParamLanguage& l) {
    if (cur_->contains("used")) return;
    auto any = [](const auto& texts) { return std::any_of(texts.begin(), texts.end(), [](const auto& t) { return t[0] != '\0'; }); };
    l.used = any(l.menuTexts) || any(l.stringTexts) || any(l.messageTexts);
}

} // namespace formwick
