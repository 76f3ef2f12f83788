#include "appfile/build_application.h"

#include "appfile/hex_records.h"
#include "appfile/image_blocks.h"
#include "appfile/image_map.h"
#include "appfile/text_file.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace formwick {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCannotUpdate = "Cannot update formwick application file!!!";
constexpr const char* kCannotBuild = "Cannot build formwick application file!!!";

// Writes the blocks of one definition, each assembled in the cleared work
// buffer, in ascending address order.
class ImageWriter {
public:
    ImageWriter(HexOutput& out, std::vector<std::uint8_t>& work) : out_(out), work_(work) {}

    template <class Encode> void block(std::uint32_t address, Encode encode) {
        std::fill(work_.begin(), work_.end(), 0);
        std::size_t length = encode(work_.data());
        write(work_.data(), address, length);
    }
    void write(const std::uint8_t* bytes, std::uint32_t address, std::size_t length) {
        if (ok_) ok_ = write_block(bytes, out_, address, length);
    }
    bool ok() const { return ok_; }

private:
    HexOutput& out_;
    std::vector<std::uint8_t>& work_;
    bool ok_ = true;
};

// Translated texts: the marker, then every non-empty entry among the first
// ones of each table, each in a full zero-padded slot.
template <std::size_t N, std::size_t M>
void write_texts(ImageWriter& w, const std::array<Text<N>, M>& texts, int count, std::uint32_t (*address)(int),
                 std::size_t slot, bool& marked) {
    for (int i = 0; i < count; ++i) {
        if (texts[i][0] == '\0') continue;
        if (!marked) {
            w.write(reinterpret_cast<const std::uint8_t*>(image::kLanguageMarker.data()), image::kMarkerAddress,
                    image::kLanguageMarker.size());
            marked = true;
        }
        w.block(address(i), [&](std::uint8_t* buf) {
            std::memcpy(buf, texts[i].data(), std::min(slot, N));
            return slot;
        });
    }
}

void write_image(ImageWriter& w, const CParameters& p) {
    using namespace image;
    w.block(kHeaderAddress, encode_header);
    w.block(kStartupAddress, [&](std::uint8_t* b) { return encode_startup(p.startup, b); });
    w.block(kBarcodeAddress, [&](std::uint8_t* b) { return encode_barcode(p, b); });
    for (int n = 0; n < kLookupCount; ++n)
        w.block(lookup_address(n), [&](std::uint8_t* b) { return encode_lookup(p.lookups[n], b); });
    for (int n = 0; n < kFormCount; ++n)
        w.block(form_address(n), [&](std::uint8_t* b) { return encode_form(p.forms[n], b); });
    for (int n = 0; n < kMenuCount; ++n)
        w.block(menu_address(n), [&](std::uint8_t* b) { return encode_menu(p.menus[n], b); });
    for (int n = 0; n < kDataFileCount; ++n)
        w.block(data_address(n), [&](std::uint8_t* b) { return encode_data_file(p.dataFiles[n], b); });
    w.block(kLanguageAddress, [&](std::uint8_t* b) { return encode_language(p.language, b); });
    if (p.language.used) {
        bool marked = false;
        write_texts(w, p.language.menuTexts, kWrittenMenuTexts, menu_text_address, kShortTextSlot, marked);
        write_texts(w, p.language.stringTexts, kWrittenStringTexts, string_text_address, kShortTextSlot, marked);
        write_texts(w, p.language.messageTexts, kWrittenMessageTexts, message_text_address, kMessageTextSlot,
                    marked);
    }
    w.block(kFontHeaderAddress, [&](std::uint8_t* b) { return encode_font_header(p.startup, b); });
    const CParamStartup& s = p.startup;
    if (s.hasCustomFont() && s.customFontLength > 2)
        w.write(s.customFont.data(), kFontBodyAddress,
                std::min<std::size_t>(static_cast<std::size_t>(s.customFontLength), s.customFont.size()));
}

bool read_only(const fs::path& path) {
    std::error_code ec;
    fs::perms perms = fs::status(path, ec).permissions();
    return !ec && (perms & fs::perms::owner_write) == fs::perms::none;
}

} // namespace

CBuildApplication::CBuildApplication(fs::path path, MessageSink& messages)
    : path_(std::move(path)), messages_(messages), work_(image::kWorkBufferSize + 1, 0) {}

bool CBuildApplication::fail(AppFileFailure why, const char* message) {
    failure_ = why;
    if (message) messages_.error(message);
    return false;
}

bool CBuildApplication::build(const CParameters& parameters) {
    failure_ = AppFileFailure::None;
    std::error_code ec;
    // A read-only file is not replaced, even where the folder would allow it.
    if (fs::exists(path_, ec) && (read_only(path_) || fs::is_directory(path_, ec)))
        return fail(AppFileFailure::CannotReplace, kCannotUpdate);

    // The new file is written beside the old one and takes its place only
    // when complete.
    fs::path part = path_;
    part += ".part";
    fs::remove(part, ec);
    CTextFile file("HIX", "\r\n");
    if (!file.openForWriting(part)) return fail(AppFileFailure::CannotCreate, kCannotBuild);

    HexOutput out(file);
    ImageWriter writer(out, work_);
    write_image(writer, parameters);
    bool written = writer.ok() && write_end(out);
    if (!file.close() || !written) {
        fs::remove(part, ec);
        failure_ = AppFileFailure::WriteFailed;
        messages_.error("Cannot write formwick application file: " + file.lastError());
        return false;
    }
    fs::rename(part, path_, ec);
    if (ec) {
        fs::remove(part, ec);
        return fail(AppFileFailure::CannotReplace, kCannotUpdate);
    }
    return true;
}

} // namespace formwick
