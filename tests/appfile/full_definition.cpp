#include "full_definition.h"

namespace formwick::testing {

std::string utf8_text(std::size_t bytes, char fill) {
    std::string s = "\xC3\x9C"; // U+00DC
    s.append(bytes - 2, fill);
    return s;
}

namespace {

template <std::size_t N> void full_utf8(Text<N>& t, char fill) { set_text_bytes(t, utf8_text(N - 1, fill)); }
template <std::size_t N> void full_ansi(Text<N>& t, char fill) {
    std::string s(N - 1, fill);
    s[0] = '\xE9'; // e acute in the default code page
    set_text_bytes(t, s);
}

template <std::size_t N> void picture(std::array<std::uint8_t, N>& p, std::uint8_t w, std::uint8_t h, std::uint8_t seed) {
    p.fill(0);
    p[0] = w;
    p[1] = h;
    std::size_t n = (w + 7) / 8 * std::size_t{h};
    for (std::size_t i = 0; i < n; ++i) p[2 + i] = static_cast<std::uint8_t>(seed + 7 * i);
}

} // namespace

CParameters full_definition() {
    CParameters p;
    CParamStartup& s = p.startup;
    s.startTarget = 1;
    s.brightness = 3;
    s.backlightTime = 6;
    s.deleteData = 2;
    s.lockSystemMenu = 1;
    s.lockUtilities = 1;
    full_ansi(s.password, 'p');
    full_ansi(s.terminalId, '7');
    full_ansi(s.applicationVersion, 'v');
    std::vector<std::uint8_t> font(20 * 1024);
    for (std::size_t i = 0; i < font.size(); ++i) font[i] = static_cast<std::uint8_t>(i * 31 + 5);
    font[0] = font[1] = 0xFE;
    font[8194] = 16;
    font[8195] = 8;
    s.setCustomFont(std::move(font));
    s.useCustomSplash = 1;
    s.splashFont = 2;
    picture(s.splashImage, 128, 128, 3);
    for (int i = 0; i < kSplashLineCount; ++i) full_utf8(s.splashLines[i].text, static_cast<char>('a' + i));
    s.dateFormat = 1;
    for (int i = 0; i < 3; ++i) picture(s.menuImages[i], 64, 64, static_cast<std::uint8_t>(40 + i));
    for (int i = 0; i < 3; ++i) full_utf8(s.constants[i], static_cast<char>('K' + i));
    s.protocol = 1;

    p.barcode.readMode = 2;
    p.barcode.readTimeout = 4;
    p.barcode.enabledTypes = 0x7FFFF;
    full_ansi(p.barcode.systemSettings, 's');
    p.eanUpcCode39 = {0x1FF, 0x3F};
    p.twoOf5MsiTelepenUk = {7, 0x3F, 0xF};
    p.codabar128Iata = {0x3FF, 0x7F, 0xF};
    p.code11KorGs1Pdf = {3, 3, 7, -1};

    for (int n = 0; n < kMenuCount; ++n) {
        CParamMenu& m = p.menus[n];
        m.font = static_cast<std::uint8_t>(n % 3);
        m.clrTarget = static_cast<std::uint8_t>(16 - n);
        m.useHeader = 1;
        full_utf8(m.header, 'h');
        m.storeHeader = 1;
        m.headerVariable = static_cast<std::uint8_t>(n + 1);
        m.storeItemName = 1;
        m.itemNameVariable = 93;
        m.storeItemNumber = 1;
        m.itemNumberVariable = 20;
        m.saveOnNext = 1;
        m.saveDataFile = 2;
        for (int i = 0; i < kMenuItemCount; ++i) {
            full_utf8(m.items[i].name, static_cast<char>('0' + i));
            m.items[i].next = static_cast<std::uint8_t>(i + n);
        }
    }
    for (int n = 0; n < kLookupCount; ++n) {
        CParamLookup& l = p.lookups[n];
        l.used = 1;
        l.setFileName(u"LOOKUPXX.TXT");
        l.fileType = 1;
        l.recordSize = 500;
        l.fieldCount = 10;
        l.delimiter = 3;
        l.badFormatAction = 2;
        l.noMatchAction = 3;
        l.noMatchTarget = 16;
        l.missingAction = 2;
        l.keyField = 9;
        for (int i = 0; i < kLookupFieldCount; ++i) l.fields[i] = {450 - i, static_cast<std::uint8_t>(80 - i)};
    }
    for (int n = 0; n < kFormCount; ++n) {
        CParamForm& f = p.forms[n];
        f.font = 2 - n % 3;
        f.clrTarget = 9 + n;
        f.nextTarget = 16 - n;
        f.saveOnNext = 1;
        f.saveDataFile = n % 3;
        for (int i = 0; i < kFormLineCount; ++i) {
            CFormLine& l = f.lines[i];
            l.dataType = 1 + (i + n) % 11;
            full_utf8(l.prompt, 'q');
            l.inputSource = i % 3;
            l.minimum = i;
            l.maximum = 100 - i;
            l.variable = 1 + i;
            l.lookupSource = i % 7;
            l.more.alignment = 4;
            l.more.initialKind = 2;
            full_ansi(l.more.initialText, 'i');
            l.more.initialVariable = 87;
            l.more.addPrefix = 1;
            full_ansi(l.more.prefix, 'x');
            l.more.addSuffix = 1;
            full_ansi(l.more.suffix, 'y');
            l.more.showInputMark = 1;
            full_utf8(l.more.inputMark, '*');
            l.more.decimalPlaces = 1;
            l.more.matchDisplayField = 30;
            l.more.allowNegative = 1;
            l.more.counterDataFile = 2;
            l.more.alwaysShowLine = 1;
        }
    }
    for (int n = 0; n < kDataFileCount; ++n) {
        CParamData& d = p.dataFiles[n];
        d.setFileName(u"DATAFILE.CSV");
        d.recordLength = 1000;
        d.fixedSize = 0;
        d.useDelimiter = 1;
        d.delimiter = 2;
        d.fieldCount = 10;
        d.dateYear = d.dateMonth = d.dateDay = 0;
        d.yearDigits = 1;
        d.dateOrder = 2;
        d.timeHour = d.timeMinute = d.timeSecond = 0;
        d.addDate = 1;
        d.addTime = 1;
        d.storageMode = 1;
        d.keyField = 9;
        for (int i = 0; i < kDataFieldCount; ++i) d.fields[i] = {51 + i, 21 + i, 0, 100 - i, i % 5};
    }
    CParamLanguage& l = p.language;
    for (int i = 0; i < 12; ++i) full_utf8(l.menuTexts[i], static_cast<char>('A' + i));
    for (int i = 0; i < 7; ++i) full_utf8(l.stringTexts[i], static_cast<char>('a' + i));
    for (int i = 0; i < 33; ++i) full_utf8(l.messageTexts[i], static_cast<char>('0' + i % 10));
    l.used = 1;
    l.menuFont = 1;
    l.stringFont = 2;
    l.messageFont = 1;
    return p;
}

} // namespace formwick::testing
