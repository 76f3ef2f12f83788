// The blocks of the configuration image, one record each.
//
// encode_* fills a cleared work buffer (at least image::kWorkBufferSize
// bytes) and returns the block's used length: only that many bytes are
// written to the file. decode_* reads the block from a buffer that holds the
// collected bytes of the block's slot, zero beyond them, into a record that
// holds its defaults.
#pragma once

#include "model/parameters.h"

#include <cstddef>
#include <cstdint>

namespace formwick {

std::size_t encode_header(std::uint8_t* buf);
std::size_t encode_startup(const CParamStartup& s, std::uint8_t* buf);
std::size_t encode_barcode(const CParameters& p, std::uint8_t* buf);
std::size_t encode_lookup(const CParamLookup& l, std::uint8_t* buf);
std::size_t encode_form(const CParamForm& f, std::uint8_t* buf);
std::size_t encode_menu(const CParamMenu& m, std::uint8_t* buf);
std::size_t encode_data_file(const CParamData& d, std::uint8_t* buf);
std::size_t encode_language(const CParamLanguage& l, std::uint8_t* buf);
// The 16-byte header when the start-up record holds a font, else 2 zeros.
std::size_t encode_font_header(const CParamStartup& s, std::uint8_t* buf);

// The custom font body itself is not decoded here (see the loader); an empty
// terminal ID gives "000000".
void decode_startup(const std::uint8_t* buf, CParamStartup& s);
// Barcode settings and the four option records.
void decode_barcode(const std::uint8_t* buf, CParameters& p);
void decode_lookup(const std::uint8_t* buf, CParamLookup& l);
void decode_form(const std::uint8_t* buf, CParamForm& f);
void decode_menu(const std::uint8_t* buf, CParamMenu& m);
void decode_data_file(const std::uint8_t* buf, CParamData& d);
// The three fonts; the texts come from their own slots.
void decode_language(const std::uint8_t* buf, CParamLanguage& l);

} // namespace formwick
