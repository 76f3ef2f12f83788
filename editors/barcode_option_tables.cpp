#include "editors/barcode_option_tables.h"

#include "editors/editor_pages.h"

#include <array>

namespace formwick {

namespace {

template <auto Record, auto Mask> int mask_value(const CParameters& p) { return (p.*Record).*Mask; }
template <auto Record, auto Mask> int& mask_ref(CParameters& p) { return (p.*Record).*Mask; }
template <auto Record, auto Mask> constexpr OptionMask mask() { return {&mask_value<Record, Mask>, &mask_ref<Record, Mask>}; }

// ---- EAN / UPC and Code 39
constexpr std::array kEanUpcMasks{mask<&CParameters::eanUpcCode39, &CParamOptEanUpcCode39::eanUpcOptions>(),
                                  mask<&CParameters::eanUpcCode39, &CParamOptEanUpcCode39::code39Options>()};
constexpr OptionBox kEanUpcBoxes[] = {
    {1006, "Enable EAN / UPC addon 2", 0, 0x1, false},
    {1007, "Enable EAN / UPC addon 5", 0, 0x2, false},
    {1008, "UPC-A include leading zero in string", 0, 0x4, false},
    {1009, "UPC-A include check digit in string", 0, 0x8, true},
    {1011, "UPC-E include leading zero in string", 0, 0x10, false},
    {1012, "UPC-E include check digit in string", 0, 0x20, true},
    {1013, "Convert UPC-E to UPC-A format", 0, 0x40, false},
    {1014, "EAN-13 include check digit in string", 0, 0x80, true},
    {1015, "EAN-8 include check digit in string", 0, 0x100, true},
    {1016, "Convert EAN-13 to ISBN format", 0, 0x200, false},
    {1017, "Convert EAN-13 to ISSN format", 0, 0x400, false},
};
constexpr OptionBox kCode39Boxes[] = {
    {1042, "Code 39 enable Full ASCII conversion", 1, 0x1, false},
    {1043, "Code 39 Italian Pharmaceutical only", 1, 0x2, false},
    {1044, "Code 39 Italian Pharmaceutical if possible", 1, 0x4, false},
    {1045, "Code 39 calculate check digit", 1, 0x8, false},
    {1046, "Code 39 include check digit in string", 1, 0x10, true},
    {1047, "Code 39 include start/stop character in string", 1, 0x20, false},
    {1048, "Code 39 include leading A Italian Pharmaceutical", 1, 0x40, false},
};
constexpr OptionGroup kEanUpcGroups[] = {{"EAN / UPC options", kEanUpcBoxes}, {"Code 39 options", kCode39Boxes}};
constexpr int kIsbnIssn[] = {1016, 1017};
constexpr int kCode39Modes[] = {1042, 1043, 1044};
constexpr ExclusiveGroup kEanUpcExclusive[] = {{kIsbnIssn}, {kCode39Modes}};

// ---- 2 of 5, MSI Plessey, Telepen and UK Plessey
constexpr std::array k2Of5Masks{
    mask<&CParameters::twoOf5MsiTelepenUk, &CParamOpt2Of5MSITelepenUk::twoOf5Options>(),
    mask<&CParameters::twoOf5MsiTelepenUk, &CParamOpt2Of5MSITelepenUk::msiOptions>(),
    mask<&CParameters::twoOf5MsiTelepenUk, &CParamOpt2Of5MSITelepenUk::telepenUkOptions>()};
constexpr OptionBox k2Of5Boxes[] = {
    {1006, "Code 2 of 5 calculate check digit", 0, 0x1, false},
    {1007, "Code 2 of 5 include check digit in string", 0, 0x2, true},
};
constexpr OptionBox kMsiBoxes[] = {
    {1043, "MSI calculate 1 check digit MOD10", 1, 0x1, true},
    {1044, "MSI calculate 2 check digits MOD10 / MOD10", 1, 0x2, false},
    {1045, "MSI calculate 2 check digits MOD10 / MOD11", 1, 0x4, false},
    {1046, "MSI calculate 2 check digits MOD11 / MOD10", 1, 0x8, false},
    {1047, "MSI include first check digit in string", 1, 0x10, true},
    {1048, "MSI include both check digits in string", 1, 0x20, false},
};
constexpr OptionBox kTelepenBoxes[] = {{1049, "Enable full ASCII mode", 2, 0x1, true}};
constexpr OptionBox kUkPlesseyBoxes[] = {{1050, "UK Plessey include check digit in string", 2, 0x2, true}};
constexpr OptionGroup k2Of5Groups[] = {{"Code 2 of 5 options", k2Of5Boxes},
                                       {"MSI Plessey options", kMsiBoxes},
                                       {"Telepen Options", kTelepenBoxes},
                                       {"UK Plessey options", kUkPlesseyBoxes}};
constexpr int kMsiCheckDigits[] = {1043, 1044, 1045, 1046};
constexpr int kMsiInclude[] = {1047, 1048};
constexpr ExclusiveGroup k2Of5Exclusive[] = {{kMsiCheckDigits}, {kMsiInclude}};

// ---- Codabar, Code 128 and IATA
constexpr std::array kCodabarMasks{mask<&CParameters::codabar128Iata, &CParamCodabar128Iata::codabarOptions>(),
                                   mask<&CParameters::codabar128Iata, &CParamCodabar128Iata::code128Options>(),
                                   mask<&CParameters::codabar128Iata, &CParamCodabar128Iata::iataOptions>()};
constexpr OptionBox kCodabarBoxes[] = {
    {1006, "Codabar ABC code only", 0, 0x1, false},
    {1007, "Codabar CX code only", 0, 0x2, false},
    {1008, "Codabar ABC and CX code", 0, 0x4, false},
    {1009, "Codabar calculate check digit", 0, 0x8, false},
    {1010, "Codabar include check digit in string", 0, 0x10, true},
    {1011, "Codabar include start/stop as ABCD/ABCD", 0, 0x20, false},
    {1012, "Codabar include start/stop as abcd/abcd", 0, 0x40, false},
    {1013, "Codabar include start/stop as ABCD/TN*E", 0, 0x80, false},
    {1014, "Codabar include start/stop as abcd/tn*e", 0, 0x100, false},
    {1015, "Codabar enable intercharacter gap check", 0, 0x200, true},
};
constexpr OptionBox kCode128Boxes[] = {
    {1050, "GS1-128 conversion only", 1, 0x1, false},
    {1051, "GS1-128 conversion if possible", 1, 0x2, false},
};
constexpr OptionBox kIataBoxes[] = {
    {1052, "IATA check serial number only", 2, 0x1, false},
    {1053, "IATA check coupon and serial number", 2, 0x2, false},
    {1054, "IATA check coupon, airline and serial number", 2, 0x4, false},
    {1055, "IATA include check digit in string", 2, 0x8, true},
};
constexpr OptionGroup kCodabarGroups[] = {
    {"Codabar options", kCodabarBoxes}, {"Code 128 options", kCode128Boxes}, {"IATA options", kIataBoxes}};
constexpr int kCodabarCodes[] = {1006, 1007, 1008};
constexpr int kCodabarStartStop[] = {1011, 1012, 1013, 1014};
constexpr int kGs1128[] = {1050, 1051};
constexpr int kIataChecks[] = {1052, 1053, 1054};
constexpr ExclusiveGroup kCodabarExclusive[] = {{kCodabarCodes}, {kCodabarStartStop}, {kGs1128}, {kIataChecks}};

// ---- Code 11, Korean post, GS1 DataBar and PDF417
constexpr std::array kCode11Masks{
    mask<&CParameters::code11KorGs1Pdf, &CParamOptCode11KorGs1DataPdf::code11Options>(),
    mask<&CParameters::code11KorGs1Pdf, &CParamOptCode11KorGs1DataPdf::koreanPostOptions>(),
    mask<&CParameters::code11KorGs1Pdf, &CParamOptCode11KorGs1DataPdf::gs1DataBarOptions>(),
    mask<&CParameters::code11KorGs1Pdf, &CParamOptCode11KorGs1DataPdf::pdf417Options>()};
constexpr OptionBox kCode11Boxes[] = {
    {1006, "Check auto 1 or 2", 0, 0x1, true},
    {1007, "Check 2 check digits", 0, 0x2, false},
    {1008, "Check 1 check digit", 0, 0x4, false},
    {1009, "Include check digit in string", 0, 0x8, false},
};
constexpr OptionBox kKoreanBoxes[] = {
    {1053, "Include check digit in string", 1, 0x1, false},
    {1054, "Include dash in string", 1, 0x2, true},
};
constexpr OptionBox kGs1DataBarBoxes[] = {
    {1055, "Include check digit in string", 2, 0x1, true},
    {1056, "Include application identifier", 2, 0x2, true},
};
constexpr OptionBox kPdf417Boxes[] = {
    {1057, "MicroPDF include number of data columns in string", 3, 0x1, false},
    {1058, "GS1 DataBar include link flag in string", 3, 0x2, false},
    {1059, "GS1-128 include link flag in string", 3, 0x4, false},
};
constexpr OptionGroup kCode11Groups[] = {{"Code 11 options", kCode11Boxes},
                                         {"Korean post options", kKoreanBoxes},
                                         {"GS1 DataBar options", kGs1DataBarBoxes},
                                         {"PDF417 options", kPdf417Boxes}};
constexpr int kCode11Checks[] = {1006, 1007, 1008};
constexpr int kKoreanInclude[] = {1053, 1054};
constexpr ExclusiveGroup kCode11Exclusive[] = {{kCode11Checks}, {kKoreanInclude}};

// Code 39 "include leading A Italian Pharmaceutical" applies only to the two
// Italian Pharmaceutical modes.
constexpr int kItalianModes[] = {1043, 1044};

} // namespace

const OptionPageTable kEanUpcCode39Table{kPageOptEanUpcCode39, kEanUpcMasks, kEanUpcGroups, kEanUpcExclusive,
                                         1048, kItalianModes};
const OptionPageTable k2Of5MsiTelepenUkTable{kPageOpt2Of5MsiTelepenUk, k2Of5Masks, k2Of5Groups, k2Of5Exclusive};
const OptionPageTable kCodabar128IataTable{kPageOptCodabar128Iata, kCodabarMasks, kCodabarGroups,
                                           kCodabarExclusive};
const OptionPageTable kCode11KorGs1PdfTable{kPageOptCode11KorGs1Pdf, kCode11Masks, kCode11Groups,
                                            kCode11Exclusive};

} // namespace formwick
