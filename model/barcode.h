// Barcode reader settings and the four groups of symbology options. Each
// option mask has one bit per check box of its group, counted from 0 in the
// order of the group's option page.
#pragma once

#include "model/fixed_text.h"

#include <cstdint>

namespace formwick {

struct CParamBarcode {
    std::uint8_t readMode = 0;    // 0 Single, 1 Multiple, 2 Trigger
    std::uint8_t readTimeout = 2; // 0..4 = 2, 4, 6, 8, 10 seconds
    int enabledTypes = 0x1FFF;    // the thirteen classic symbologies
    Text<81> systemSettings{};    // ANSI; only the first 41 bytes reach the image

    std::u16string systemSettingsText() const { return get_ansi(systemSettings); }
    void setSystemSettingsText(std::u16string_view t) { set_ansi(systemSettings, t); }
};

struct CParamOptEanUpcCode39 {
    int eanUpcOptions = 424; // UPC-A, UPC-E, EAN-13, EAN-8 include check digit
    int code39Options = 16;  // include check digit
};

struct CParamOpt2Of5MSITelepenUk {
    int twoOf5Options = 2;    // include check digit
    int msiOptions = 17;      // one MOD10 check digit, include first check digit
    int telepenUkOptions = 3; // Telepen full ASCII, UK Plessey include check digit
};

struct CParamCodabar128Iata {
    int codabarOptions = 528; // include check digit, intercharacter gap check
    int code128Options = 0;
    int iataOptions = 8; // include check digit
};

struct CParamOptCode11KorGs1DataPdf {
    int code11Options = 1;     // check auto 1 or 2
    int koreanPostOptions = 2; // include dash
    int gs1DataBarOptions = 3; // include check digit, include application identifier
    int pdf417Options = 0;
};

} // namespace formwick
