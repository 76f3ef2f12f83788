// The whole definition of one terminal application.
#pragma once

#include "model/barcode.h"
#include "model/data_file.h"
#include "model/form.h"
#include "model/language.h"
#include "model/lookup.h"
#include "model/menu.h"
#include "model/startup.h"

#include <array>

namespace formwick {

inline constexpr int kMenuCount = 8;
inline constexpr int kFormCount = 8;
inline constexpr int kLookupCount = 3;
inline constexpr int kDataFileCount = 3;
inline constexpr int kVariableCount = 20;

// Screen targets: where the terminal goes next.
inline constexpr int kTargetMainMenu = 0;
constexpr int form_target(int form) { return form; }     // Form 1..8 -> 1..8
constexpr int menu_target(int menu) { return 8 + menu; } // Menu 1..8 -> 9..16

struct CParameters {
    CParamStartup startup;
    CParamBarcode barcode;
    CParamOptEanUpcCode39 eanUpcCode39;
    CParamOpt2Of5MSITelepenUk twoOf5MsiTelepenUk;
    CParamCodabar128Iata codabar128Iata;
    CParamOptCode11KorGs1DataPdf code11KorGs1Pdf;
    std::array<CParamMenu, kMenuCount> menus;
    std::array<CParamLookup, kLookupCount> lookups;
    std::array<CParamForm, kFormCount> forms;
    std::array<CParamData, kDataFileCount> dataFiles;
    CParamLanguage language;

    CParameters() { reset(); }

    // "New Application": every record back to its defaults; lookup and data
    // file i get the names with number i+1, Form n gets nextTarget n.
    void reset();
};

} // namespace formwick
