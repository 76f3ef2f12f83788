#include "appfile/json_writer.h"

#include "appfile/base64.h"

namespace formwick {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

bool valid_utf8(std::string_view bytes) {
    // Decoding marks every invalid byte with U+FFFD; a valid text survives
    // the round trip unchanged.
    return utf16_to_utf8(utf8_to_utf16(bytes)) == bytes;
}

} // namespace

std::string JsonOut::checked_utf8(const std::string& where, std::string_view bytes) const {
    if (!valid_utf8(bytes)) refuse(where, "the text is not valid UTF-8");
    return std::string(bytes);
}

std::string JsonOut::ansi_to_utf8(std::string_view bytes) {
    return utf16_to_utf8(AnsiCodePage::current().to_utf16(bytes));
}

void JsonOut::file_name(std::string_view key, const FileName& name) { put(key, utf16_to_utf8(get_wide(name))); }

// A picture is null when absent, else its size and one hex string per row.
void JsonOut::picture_json(const std::string& where, const std::uint8_t* p, std::size_t size, Json& out) const {
    if (p[0] == 0 || p[1] == 0) {
        out = nullptr;
        return;
    }
    std::size_t row_bytes = (p[0] + 7) / 8;
    if (2 + row_bytes * p[1] > size)
        refuse(where, "a " + std::to_string(p[0]) + " x " + std::to_string(p[1]) + " picture does not fit in " +
                          std::to_string(size) + " bytes");
    out = Json::object();
    out["width"] = p[0];
    out["height"] = p[1];
    Json rows = Json::array();
    for (std::size_t r = 0; r < p[1]; ++r) {
        std::string row;
        for (std::size_t b = 0; b < row_bytes; ++b) {
            std::uint8_t v = p[2 + r * row_bytes + b];
            row += kDigits[v >> 4];
            row += kDigits[v & 15];
        }
        rows.push_back(std::move(row));
    }
    out["rows"] = std::move(rows);
}

void JsonOut::custom_font(const CParamStartup& s) {
    if (s.hasCustomFont())
        put("customFont", base64_encode(s.customFont));
    else
        put("customFont", nullptr);
    put("customFontLength", s.hasCustomFont() ? s.customFontLength : 0);
    put("glyphWidth", s.hasCustomFont() ? s.glyphWidth : 0);
    put("glyphHeight", s.hasCustomFont() ? s.glyphHeight : 0);
}

} // namespace formwick
