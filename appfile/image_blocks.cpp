#include "appfile/image_blocks.h"

#include "appfile/block_codec.h"
#include "appfile/image_map.h"

#include <cstring>

namespace formwick {

namespace {

using namespace range;

// Start-up block, 4742 bytes.
//
//   0 startTarget   1 brightness (1..3)   2 backlightTime   3 deleteData
//   4 lockUtilities 5 lockSystemMenu      (the utilities lock comes first)
//   6 password[11]  17 terminalId[7]      24 applicationVersion[7]
//  31 customFontLength (u32, 0 without a font)  35 glyphHeight  36 glyphWidth
//  37 useCustomSplash  38 splashFont  39 splashImage[2050]  2089 reserved
//  2090 splash lines 10 x 85   2940 dateFormat
//  2941 menu pictures 3 x (514 + 1 reserved)
//  4486, 4571, 4656 constants 1..3 [85]   4741 protocol
template <class V, class S> void startup_layout(V& v, S& s) {
    v.u8(0, s.startTarget, kStartTarget);
    v.u8(1, s.brightness, kBrightness);
    v.u8(2, s.backlightTime, kBacklightTime);
    v.u8(3, s.deleteData, kDeleteData);
    v.flag(4, s.lockUtilities);
    v.flag(5, s.lockSystemMenu);
    v.text(6, s.password);
    v.text(17, s.terminalId);
    v.text(24, s.applicationVersion);
    bool font = s.hasCustomFont();
    v.info_u32(31, font ? s.customFontLength : 0);
    v.info_u8(35, font ? s.glyphHeight : 0);
    v.info_u8(36, font ? s.glyphWidth : 0);
    v.flag(37, s.useCustomSplash);
    v.u8(38, s.splashFont, kFont);
    v.picture(39, s.splashImage);
    for (int i = 0; i < kSplashLineCount; ++i) v.text(2090 + 85 * i, s.splashLines[i].text);
    v.u8(2940, s.dateFormat, kDateFormat);
    for (int i = 0; i < 3; ++i) v.picture(2941 + 515 * i, s.menuImages[i]);
    for (int i = 0; i < 3; ++i) v.text(4486 + 85 * i, s.constants[i]);
    v.u8(4741, s.protocol, kProtocol);
}

// Barcode block, 98 bytes: 0 readMode, 1 enabledTypes (u32), 5 readTimeout
// (u32), 9 the first 41 bytes of systemSettings (no terminator when full),
// then twelve u32 option masks from 50 in the order below.
template <class V, class P> void barcode_layout(V& v, P& p) {
    v.u8(0, p.barcode.readMode, kReadMode);
    v.u32(1, p.barcode.enabledTypes, kAnyInt);
    v.u32(5, p.barcode.readTimeout, kReadTimeout);
    v.text_prefix(9, 41, p.barcode.systemSettings);
    v.u32(50, p.eanUpcCode39.eanUpcOptions, kAnyInt);
    v.u32(54, p.eanUpcCode39.code39Options, kAnyInt);
    v.u32(58, p.codabar128Iata.codabarOptions, kAnyInt);
    v.u32(62, p.codabar128Iata.code128Options, kAnyInt);
    v.u32(66, p.codabar128Iata.iataOptions, kAnyInt);
    v.u32(70, p.twoOf5MsiTelepenUk.twoOf5Options, kAnyInt);
    v.u32(74, p.twoOf5MsiTelepenUk.msiOptions, kAnyInt);
    v.u32(78, p.twoOf5MsiTelepenUk.telepenUkOptions, kAnyInt);
    v.u32(82, p.code11KorGs1Pdf.code11Options, kAnyInt);
    v.u32(86, p.code11KorGs1Pdf.koreanPostOptions, kAnyInt);
    v.u32(90, p.code11KorGs1Pdf.gs1DataBarOptions, kAnyInt);
    v.u32(94, p.code11KorGs1Pdf.pdf417Options, kAnyInt);
}

// Lookup block, 77 bytes: 0 used, 1 fileName[13], 14 indexName[13] (ANSI),
// 27 fileType, 28 recordSize (u16), 30 fieldCount (1..10), 31 delimiter,
// 32 badFormatAction, 33 noMatchAction, 34 noMatchTarget, 35 missingAction,
// 36 keyField, 37 fields 10 x (offset u16, maxLength u16).
template <class V, class L> void lookup_layout(V& v, L& l) {
    v.flag(0, l.used);
    v.file_name(1, l.fileName);
    v.file_name(14, l.indexName);
    v.u8(27, l.fileType, kLookupFileType);
    v.u16(28, l.recordSize, kRecordSize);
    v.u8(30, l.fieldCount, kLookupFields);
    v.u8(31, l.delimiter, kDelimiter);
    v.u8(32, l.badFormatAction, kBadFormatAction);
    v.u8(33, l.noMatchAction, kNoMatchAction);
    v.u8(34, l.noMatchTarget, kTarget);
    v.u8(35, l.missingAction, kMissingAction);
    v.u8(36, l.keyField, kFieldIndex);
    for (int i = 0; i < kLookupFieldCount; ++i) {
        v.u16(37 + 4 * i, l.fields[i].offset, kLookupOffset);
        v.u16(39 + 4 * i, l.fields[i].maxLength, kLookupMaxLength);
    }
}

// Form line, 232 bytes, at 5 + 232 x line in the form block.
//   0 dataType  1 prompt[85]  86 inputSource  87 minimum (u16)  89 maximum (u16)
//  91 variable  92 lookupSource  93 alignment  94 initialKind  95 initialText[41]
// 136 initialVariable  137 addPrefix  138 prefix[41]  179 addSuffix  180 suffix[41]
// 221 showInputMark  222 inputMark[5]  227 decimalPlaces  228 matchDisplayField
// 229 allowNegative  230 counterDataFile  231 alwaysShowLine
template <class V, class F> void form_line_layout(V& v, std::size_t at, F& l) {
    v.u8(at + 0, l.dataType, kLineType);
    v.text(at + 1, l.prompt);
    v.u8(at + 86, l.inputSource, kInputSource);
    v.u16(at + 87, l.minimum, kInputLength);
    v.u16(at + 89, l.maximum, kInputLength);
    v.u8(at + 91, l.variable, kFieldRef);
    v.u8(at + 92, l.lookupSource, kLookupSource);
    v.u8(at + 93, l.more.alignment, kAlignment);
    v.u8(at + 94, l.more.initialKind, kInitialKind);
    v.text(at + 95, l.more.initialText);
    v.u8(at + 136, l.more.initialVariable, kFieldRef);
    v.flag(at + 137, l.more.addPrefix);
    v.text(at + 138, l.more.prefix);
    v.flag(at + 179, l.more.addSuffix);
    v.text(at + 180, l.more.suffix);
    v.flag(at + 221, l.more.showInputMark);
    v.text(at + 222, l.more.inputMark);
    v.u8(at + 227, l.more.decimalPlaces, kDecimalPlaces);
    v.u8(at + 228, l.more.matchDisplayField, kFieldRef);
    v.flag(at + 229, l.more.allowNegative);
    v.u8(at + 230, l.more.counterDataFile, kDataFile);
    v.flag(at + 231, l.more.alwaysShowLine);
}

// Form block, 2325 bytes: 0 font, 1 clrTarget, 2 nextTarget, 3 saveOnNext,
// 4 saveDataFile, 5 lines 10 x 232.
template <class V, class F> void form_layout(V& v, F& f) {
    v.u8(0, f.font, kFont);
    v.u8(1, f.clrTarget, kTarget);
    v.u8(2, f.nextTarget, kTarget);
    v.flag(3, f.saveOnNext);
    v.u8(4, f.saveDataFile, kDataFile);
    for (int i = 0; i < kFormLineCount; ++i) form_line_layout(v, 5 + image::kFormLineLength * i, f.lines[i]);
}

// Menu block, 956 bytes: 0 font, 1 clrTarget, 2 useHeader, 3 header[85],
// 88 storeHeader, 89 headerVariable, 90 storeItemName, 91 itemNameVariable,
// 92 storeItemNumber, 93 itemNumberVariable, 94 saveOnNext, 95 saveDataFile,
// 96 items 10 x (name[85], next).
template <class V, class M> void menu_layout(V& v, M& m) {
    v.u8(0, m.font, kFont);
    v.u8(1, m.clrTarget, kTarget);
    v.flag(2, m.useHeader);
    v.text(3, m.header);
    v.flag(88, m.storeHeader);
    v.u8(89, m.headerVariable, kFieldRef);
    v.flag(90, m.storeItemName);
    v.u8(91, m.itemNameVariable, kFieldRef);
    v.flag(92, m.storeItemNumber);
    v.u8(93, m.itemNumberVariable, kFieldRef);
    v.flag(94, m.saveOnNext);
    v.u8(95, m.saveDataFile, kDataFile);
    for (int i = 0; i < kMenuItemCount; ++i) {
        v.text(96 + 86 * i, m.items[i].name);
        v.u8(96 + 86 * i + 85, m.items[i].next, kTarget);
    }
}

// Data file block, 94 bytes: 0 fileName[13], 13 indexName[13] (ANSI),
// 26 recordLength (u16), 28 fixedSize, 29 useDelimiter, 30 delimiter,
// 31 fieldCount, 32..34 dateYear/Month/Day, 35 yearDigits, 36 dateOrder,
// 37..39 timeHour/Minute/Second, 40 addDate, 41 addTime, 42 storageMode,
// 43 keyField, 44 fields 10 x (variable1, variable2, isString, fieldSize, alignment).
template <class V, class D> void data_file_layout(V& v, D& d) {
    v.file_name(0, d.fileName);
    v.file_name(13, d.indexName);
    v.u16(26, d.recordLength, kRecordSize);
    v.flag(28, d.fixedSize);
    v.flag(29, d.useDelimiter);
    v.u8(30, d.delimiter, kDelimiter);
    v.u8(31, d.fieldCount, kDataFields);
    v.flag(32, d.dateYear);
    v.flag(33, d.dateMonth);
    v.flag(34, d.dateDay);
    v.u8(35, d.yearDigits, kYearDigits);
    v.u8(36, d.dateOrder, kDateOrder);
    v.flag(37, d.timeHour);
    v.flag(38, d.timeMinute);
    v.flag(39, d.timeSecond);
    v.flag(40, d.addDate);
    v.flag(41, d.addTime);
    v.u8(42, d.storageMode, kStorageMode);
    v.u8(43, d.keyField, kFieldIndex);
    for (int i = 0; i < kDataFieldCount; ++i) {
        std::size_t at = 44 + 5 * i;
        v.u8(at, d.fields[i].variable1, kFieldRef);
        v.u8(at + 1, d.fields[i].variable2, kFieldRef);
        v.flag(at + 2, d.fields[i].isString);
        v.u8(at + 3, d.fields[i].fieldSize, kFieldSize);
        v.u8(at + 4, d.fields[i].alignment, kAlignment);
    }
}

// Language block, 3 bytes: menuFont, stringFont, messageFont.
template <class V, class L> void language_layout(V& v, L& l) {
    v.u8(0, l.menuFont, kFont);
    v.u8(1, l.stringFont, kFont);
    v.u8(2, l.messageFont, kFont);
}

template <class R, class Layout> std::size_t encode(const R& record, std::uint8_t* buf, std::size_t length, Layout layout) {
    BlockWriter w(buf);
    layout(w, record);
    return length;
}

template <class R, class Layout> void decode(const std::uint8_t* buf, R& record, Layout layout) {
    BlockReader r(buf);
    layout(r, record);
}

#define FORMWICK_LAYOUT(fn) [](auto& v, auto& rec) { fn(v, rec); }

} // namespace

std::size_t encode_header(std::uint8_t* buf) {
    std::memcpy(buf, image::kHeaderText.data(), image::kHeaderText.size());
    buf[image::kHeaderText.size()] = 0;
    return image::kHeaderLength;
}

std::size_t encode_startup(const CParamStartup& s, std::uint8_t* buf) {
    return encode(s, buf, image::kStartupLength, FORMWICK_LAYOUT(startup_layout));
}
std::size_t encode_barcode(const CParameters& p, std::uint8_t* buf) {
    return encode(p, buf, image::kBarcodeLength, FORMWICK_LAYOUT(barcode_layout));
}
std::size_t encode_lookup(const CParamLookup& l, std::uint8_t* buf) {
    return encode(l, buf, image::kLookupLength, FORMWICK_LAYOUT(lookup_layout));
}
std::size_t encode_form(const CParamForm& f, std::uint8_t* buf) {
    return encode(f, buf, image::kFormLength, FORMWICK_LAYOUT(form_layout));
}
std::size_t encode_menu(const CParamMenu& m, std::uint8_t* buf) {
    return encode(m, buf, image::kMenuLength, FORMWICK_LAYOUT(menu_layout));
}
std::size_t encode_data_file(const CParamData& d, std::uint8_t* buf) {
    return encode(d, buf, image::kDataLength, FORMWICK_LAYOUT(data_file_layout));
}
std::size_t encode_language(const CParamLanguage& l, std::uint8_t* buf) {
    return encode(l, buf, image::kLanguageLength, FORMWICK_LAYOUT(language_layout));
}

// Font header, 16 bytes: 0 "*FRMWK_CF*" (no terminator), 10 customFontLength
// (u32), 14 glyphHeight, 15 glyphWidth. Without a font: 2 zero bytes.
std::size_t encode_font_header(const CParamStartup& s, std::uint8_t* buf) {
    if (!s.hasCustomFont() || s.customFontLength == 0) return 2;
    std::memcpy(buf, image::kFontMarker.data(), image::kFontMarker.size());
    BlockWriter w(buf);
    w.info_u32(10, s.customFontLength);
    w.info_u8(14, s.glyphHeight);
    w.info_u8(15, s.glyphWidth);
    return image::kFontHeaderSlot;
}

void decode_startup(const std::uint8_t* buf, CParamStartup& s) {
    decode(buf, s, FORMWICK_LAYOUT(startup_layout));
    if (text_bytes(s.terminalId).empty()) set_text_bytes(s.terminalId, "000000");
}
void decode_barcode(const std::uint8_t* buf, CParameters& p) { decode(buf, p, FORMWICK_LAYOUT(barcode_layout)); }
void decode_lookup(const std::uint8_t* buf, CParamLookup& l) { decode(buf, l, FORMWICK_LAYOUT(lookup_layout)); }
void decode_form(const std::uint8_t* buf, CParamForm& f) { decode(buf, f, FORMWICK_LAYOUT(form_layout)); }
void decode_menu(const std::uint8_t* buf, CParamMenu& m) { decode(buf, m, FORMWICK_LAYOUT(menu_layout)); }
void decode_data_file(const std::uint8_t* buf, CParamData& d) { decode(buf, d, FORMWICK_LAYOUT(data_file_layout)); }
void decode_language(const std::uint8_t* buf, CParamLanguage& l) {
    decode(buf, l, FORMWICK_LAYOUT(language_layout));
}

} // namespace formwick
