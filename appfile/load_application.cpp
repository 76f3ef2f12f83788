// Loading an application file.
//
// Everything that can refuse the file is checked before the model is
// touched: the end record, every record's digits and checksum, the address
// order, the header, that every data record lies inside one slot of the
// image, and that the custom font is complete. Only then are the blocks
// decoded in the order they are written; an empty block range stops the load
// there, keeping the blocks decoded before it.
#include "appfile/build_application.h"

#include "appfile/hex_file.h"
#include "appfile/hex_records.h"
#include "appfile/image_blocks.h"
#include "appfile/image_map.h"
#include "appfile/text_file.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string>

namespace formwick {

namespace {

std::uint32_t le32(const std::uint8_t* b) {
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

// The length of the custom font body the header announces, 0 when there is
// no header with the marker.
std::uint32_t announced_font_length(const HexFile& hex) {
    std::uint8_t header[image::kFontHeaderSlot] = {};
    std::size_t n = hex.collect(image::kFontHeaderAddress, image::kFontHeaderAddress + image::kFontHeaderSlot, header);
    if (n < image::kFontHeaderSlot || std::memcmp(header, image::kFontMarker.data(), image::kFontMarker.size()) != 0)
        return 0;
    return le32(header + 10);
}

// The first data record that does not lie inside one slot, or null.
const HexFile::Record* record_outside_image(const HexFile& hex, std::uint32_t font_body_length) {
    std::vector<image::Slot> slots = image::image_slots(font_body_length);
    for (const HexFile::Record& r : hex.records()) {
        auto slot = std::upper_bound(slots.begin(), slots.end(), r.address,
                                     [](std::uint32_t a, const image::Slot& s) { return a < s.start; });
        if (slot == slots.begin() || std::uint64_t{r.address} + r.count > (--slot)->end) return &r;
    }
    return nullptr;
}

std::string printable(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    return s;
}

} // namespace

bool CBuildApplication::load(CParameters& parameters) {
    failure_ = AppFileFailure::None;
    std::vector<std::string> lines;
    CTextFile file("HIX", "\r\n");
    if (!file.readAllLines(path_, lines)) return fail(AppFileFailure::Unreadable);
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    if (lines.empty() || lines.back() != kHexEndRecord) return fail(AppFileFailure::NoEndRecord);

    HexFile hex;
    std::string error;
    if (!hex.parse(lines, error)) return fail(AppFileFailure::Damaged, error.c_str());

    using namespace image;
    std::uint8_t header[kHeaderSlot] = {};
    if (hex.collect(kHeaderAddress, kHeaderAddress + kHeaderSlot, header) != kHeaderLength)
        return fail(AppFileFailure::HeaderLength);
    std::string_view text(reinterpret_cast<const char*>(header), strnlen(reinterpret_cast<const char*>(header), kHeaderLength));
    if (!text.starts_with(kHeaderKind))
        return fail(AppFileFailure::NotApplication,
                    "Not a Formwick application generator build file for the R58 / KTM3300");
    if (text.substr(kHeaderKind.size(), kFormatVersion.size()) != kFormatVersion) {
        std::string message = "This Formwick application does not support interpreter file version : " +
                              printable(text.substr(kHeaderKind.size() - 1));
        return fail(AppFileFailure::OtherVersion, message.c_str());
    }

    std::uint32_t font_length = announced_font_length(hex);
    std::uint32_t font_body_slot = font_length > 2 ? font_length : 0;
    if (const HexFile::Record* r = record_outside_image(hex, font_body_slot)) {
        std::string message = "Damaged application file: line " + std::to_string(r->line) +
                              " holds data outside the application image";
        return fail(AppFileFailure::Damaged, message.c_str());
    }
    std::size_t font_present = font_body_slot ? hex.bytes_in(kFontBodyAddress, kFontBodyAddress + font_body_slot) : 0;
    if (font_present != font_body_slot) {
        std::string message = "Damaged application file: the custom font holds " + std::to_string(font_present) +
                              " of its " + std::to_string(font_body_slot) + " bytes";
        return fail(AppFileFailure::Damaged, message.c_str());
    }

    // Collects a whole slot into the cleared work buffer; false when the
    // range holds no bytes at all.
    auto collect = [&](std::uint32_t start, std::uint32_t end) {
        std::fill(work_.begin(), work_.end(), 0);
        std::span<std::uint8_t> out(work_.data(), std::min<std::size_t>(end - start, kWorkBufferSize));
        return hex.collect(start, end, out) > 0;
    };
    // Decodes one block into a record holding the defaults of its place.
    const CParameters defaults;
    auto step = [&](std::uint32_t start, std::uint32_t end, auto& target, const auto& fresh, auto decode) {
        if (!collect(start, end)) return false;
        auto record = fresh;
        decode(work_.data(), record);
        target = std::move(record);
        return true;
    };
    auto missing = [&] { return fail(AppFileFailure::BlockMissing); };

    if (!step(kStartupAddress, kStartupEnd, parameters.startup, defaults.startup, decode_startup)) return missing();
    {
        // The barcode block fills five records at once.
        if (!collect(kBarcodeAddress, kBarcodeAddress + kBarcodeSlot)) return missing();
        CParameters fresh;
        decode_barcode(work_.data(), fresh);
        parameters.barcode = fresh.barcode;
        parameters.eanUpcCode39 = fresh.eanUpcCode39;
        parameters.twoOf5MsiTelepenUk = fresh.twoOf5MsiTelepenUk;
        parameters.codabar128Iata = fresh.codabar128Iata;
        parameters.code11KorGs1Pdf = fresh.code11KorGs1Pdf;
    }
    for (int n = 0; n < kLookupCount; ++n)
        if (!step(lookup_address(n), lookup_address(n) + kLookupSlot, parameters.lookups[n], defaults.lookups[n],
                  decode_lookup))
            return missing();
    for (int n = 0; n < kFormCount; ++n)
        if (!step(form_address(n), form_address(n) + kFormSlot, parameters.forms[n], defaults.forms[n], decode_form))
            return missing();
    for (int n = 0; n < kMenuCount; ++n)
        if (!step(menu_address(n), menu_address(n) + kMenuSlot, parameters.menus[n], defaults.menus[n], decode_menu))
            return missing();
    for (int n = 0; n < kDataFileCount; ++n)
        if (!step(data_address(n), data_address(n) + kDataSlot, parameters.dataFiles[n], defaults.dataFiles[n],
                  decode_data_file))
            return missing();
    if (!step(kLanguageAddress, kLanguageAddress + kLanguageSlot, parameters.language, defaults.language,
              decode_language))
        return missing();

    // Translated texts, only behind the marker; each slot that holds bytes
    // is stored into its entry.
    if (collect(kMarkerAddress, kMarkerAddress + kMarkerSlot)) {
        CParamLanguage& lang = parameters.language;
        auto texts = [&](auto& table, int count, std::uint32_t (*address)(int), std::uint32_t slot) {
            for (int i = 0; i < count; ++i) {
                if (!collect(address(i), address(i) + slot)) continue;
                const char* p = reinterpret_cast<const char*>(work_.data());
                set_text_bytes(table[i], std::string_view(p, strnlen(p, slot)));
                lang.used = 1;
            }
        };
        texts(lang.menuTexts, kWrittenMenuTexts, menu_text_address, kShortTextSlot);
        texts(lang.stringTexts, kWrittenStringTexts, string_text_address, kShortTextSlot);
        texts(lang.messageTexts, kWrittenMessageTexts, message_text_address, kMessageTextSlot);
    }

    // The custom font: its body, whose first bytes give the glyph sizes.
    parameters.startup.clearCustomFont();
    if (font_length > 0) {
        std::vector<std::uint8_t> body(font_body_slot);
        hex.collect(kFontBodyAddress, kFontBodyAddress + font_body_slot, body);
        parameters.startup.setCustomFont(std::move(body));
    }
    return true;
}

} // namespace formwick
