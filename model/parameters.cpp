#include "model/parameters.h"

namespace formwick {

void CParameters::reset() {
    startup = CParamStartup{};
    barcode = CParamBarcode{};
    eanUpcCode39 = CParamOptEanUpcCode39{};
    twoOf5MsiTelepenUk = CParamOpt2Of5MSITelepenUk{};
    codabar128Iata = CParamCodabar128Iata{};
    code11KorGs1Pdf = CParamOptCode11KorGs1DataPdf{};
    for (auto& menu : menus) menu = CParamMenu{};
    for (int i = 0; i < kLookupCount; ++i) lookups[i] = CParamLookup(i + 1);
    for (int i = 0; i < kFormCount; ++i) {
        forms[i] = CParamForm{};
        forms[i].nextTarget = form_target(i + 1);
    }
    for (int i = 0; i < kDataFileCount; ++i) dataFiles[i] = CParamData(i + 1);
    language = CParamLanguage{};
}

} // namespace formwick
