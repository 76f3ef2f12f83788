#include "cli/show_definition.h"

#include "model/field_refs.h"

#include <cstdarg>
#include <cstdio>

namespace formwick::cli {

namespace {

// Appends printf-style text.
void add(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void add(std::string& out, const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n > 0) out.append(buffer, std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buffer - 1));
}

template <std::size_t N> std::string utf8(const Text<N>& t) { return std::string(text_bytes(t)); }
template <std::size_t N> std::string ansi(const Text<N>& t) { return utf16_to_utf8(get_ansi(t)); }
std::string name(const FileName& n) { return utf16_to_utf8(get_wide(n)); }

template <std::size_t N> std::string pick(int code, const char* const (&names)[N]) {
    if (code >= 0 && code < static_cast<int>(N)) return names[code];
    return "code " + std::to_string(code);
}

std::string target(int code) {
    if (code == kTargetMainMenu) return "Main menu";
    if (code >= 1 && code <= 8) return "Form " + std::to_string(code);
    if (code >= 9 && code <= 16) return "Menu " + std::to_string(code - 8);
    return "target " + std::to_string(code);
}

std::string field(int code) {
    std::string_view n = field_ref_name_ascii(code);
    return n.empty() ? "code " + std::to_string(code) : std::string(n);
}

std::string font(int code) { return pick(code, {"Large", "Medium", "Custom"}); }
std::string data_file(int selector) { return "Data " + std::to_string(selector + 1); }

std::string lookup_source(int code) {
    if (code >= 1 && code <= 3) return "Lookup " + std::to_string(code);
    if (code >= 4 && code <= 6) return "Data " + std::to_string(code - 3);
    return "none";
}

void show_startup(std::string& out, const CParameters& p) {
    const CParamStartup& s = p.startup;
    add(out, "Start-up: program starts from %s; terminal ID \"%s\"; application version \"%s\"\n",
        s.startTarget ? "Menu 1" : "Form 1", ansi(s.terminalId).c_str(), ansi(s.applicationVersion).c_str());
    add(out, "  brightness %s, backlight %s, date %s, protocol %s\n", pick(s.brightness - 1, {"Low", "Medium", "High"}).c_str(),
        pick(s.backlightTime, {"off", "10 s", "20 s", "30 s", "40 s", "50 s", "60 s"}).c_str(),
        pick(s.dateFormat, {"YY/MM/DD", "DD/MM/YY"}).c_str(), pick(s.protocol, {"Xaplink", "Ryvo"}).c_str());
    add(out, "  delete data: %s; utilities menu locked: %s; OS system menu locked: %s\n",
        pick(s.deleteData, {"No", "Manual Input", "Auto Input", "Communication"}).c_str(), s.lockUtilities ? "yes" : "no",
        s.lockSystemMenu ? "yes" : "no");
    if (s.hasCustomFont())
        add(out, "  custom font: %d x %d glyphs, %d bytes\n", s.glyphWidth, s.glyphHeight, s.customFontLength);
    if (s.useCustomSplash) {
        add(out, "  custom splash screen (%s font)", font(s.splashFont).c_str());
        if (s.hasSplashImage()) add(out, " with a %d x %d picture", s.splashImage[0], s.splashImage[1]);
        add(out, "\n");
        for (int i = 0; i < kSplashLineCount; ++i)
            if (s.splashLines[i].text[0]) add(out, "    line %d \"%s\"\n", i + 1, utf8(s.splashLines[i].text).c_str());
    }
    for (int i = 0; i < 3; ++i)
        if (s.constants[i][0]) add(out, "  Const %d \"%s\"\n", i + 1, utf8(s.constants[i]).c_str());
    add(out, "Barcode: read mode %s, time-out %d s, types 0x%X\n", pick(p.barcode.readMode, {"Single", "Multiple", "Trigger"}).c_str(),
        2 + 2 * p.barcode.readTimeout, static_cast<unsigned>(p.barcode.enabledTypes));
}

bool menu_in_use(const CParamMenu& m) {
    if (m.useHeader) return true;
    for (const CMenuItem& item : m.items)
        if (item.name[0]) return true;
    return false;
}

void show_menu(std::string& out, int n, const CParamMenu& m) {
    add(out, "Menu %d", n + 1);
    if (m.useHeader) add(out, " \"%s\"", utf8(m.header).c_str());
    add(out, " (%s font; CLR: %s)\n", font(m.font).c_str(), target(m.clrTarget).c_str());
    for (int i = 0; i < kMenuItemCount; ++i)
        if (m.items[i].name[0])
            add(out, "  item %d \"%s\" -> %s\n", i + 1, utf8(m.items[i].name).c_str(), target(m.items[i].next).c_str());
    if (m.storeHeader) add(out, "  stores the header in %s\n", field(m.headerVariable).c_str());
    if (m.storeItemName) add(out, "  stores the item name in %s\n", field(m.itemNameVariable).c_str());
    if (m.storeItemNumber) add(out, "  stores the item number in %s\n", field(m.itemNumberVariable).c_str());
    if (m.saveOnNext) add(out, "  saves a record to %s\n", data_file(m.saveDataFile).c_str());
}

bool form_in_use(const CParamForm& f) {
    for (const CFormLine& l : f.lines)
        if (l.dataType != kLineNil) return true;
    return false;
}

void show_form(std::string& out, int n, const CParamForm& f) {
    add(out, "Form %d (%s font; CLR: %s; next: %s)\n", n + 1, font(f.font).c_str(), target(f.clrTarget).c_str(),
        target(f.nextTarget).c_str());
    int shown = f.font == 0 ? 8 : kFormLineCount; // the Large font leaves room for 8 lines
    for (int i = 0; i < kFormLineCount; ++i) {
        const CFormLine& l = f.lines[i];
        if (l.dataType == kLineNil) continue;
        add(out, "  line %d %s \"%s\" -> %s, %s, %d..%d", i + 1, pick(l.dataType, kFormLineTypeNames).c_str(),
            utf8(l.prompt).c_str(), field(l.variable).c_str(), pick(l.inputSource, {"reader", "keypad", "reader or keypad"}).c_str(),
            l.minimum, l.maximum);
        if (l.lookupSource) add(out, ", looks up in %s", lookup_source(l.lookupSource).c_str());
        if (l.more.matchDisplayField) add(out, ", on match shows %s", field(l.more.matchDisplayField).c_str());
        if (l.more.initialKind == 1) add(out, ", initial \"%s\"", ansi(l.more.initialText).c_str());
        if (l.more.initialKind == 2) add(out, ", initial from %s", field(l.more.initialVariable).c_str());
        if (l.dataType == kLineCounter) add(out, ", counts %s", data_file(l.more.counterDataFile).c_str());
        if (i >= shown) add(out, " (not shown with the Large font)");
        add(out, "\n");
    }
    if (f.saveOnNext) add(out, "  saves a record to %s\n", data_file(f.saveDataFile).c_str());
}

void show_lookup(std::string& out, int n, const CParamLookup& l) {
    add(out, "Lookup %d: %s (index %s), %s, %d fields, key field %d\n", n + 1, name(l.fileName).c_str(),
        name(l.indexName).c_str(),
        l.fileType ? ("CSV separated by " + pick(l.delimiter, {"comma", "semicolon", "vertical bar", "tab"})).c_str()
                   : ("fixed records of " + std::to_string(l.recordSize) + " bytes").c_str(),
        l.fieldCount, l.keyField + 1);
    for (int i = 0; i < l.fieldCount && i < kLookupFieldCount; ++i) {
        add(out, "  field %d (%s): ", i + 1, field(lookup_field_code(n + 1, i + 1)).c_str());
        if (l.fileType == 0) add(out, "offset %d, ", l.fields[i].offset);
        add(out, "at most %d characters\n", l.fields[i].maxLength);
    }
    add(out, "  no match: %s%s; file missing: %s; bad record: %s\n",
        pick(l.noMatchAction, {"continue", "show warning", "go to", "warning and go to"}).c_str(),
        l.noMatchAction >= 2 ? (" " + target(l.noMatchTarget)).c_str() : "",
        pick(l.missingAction, {"error and main menu", "error and continue", "main menu"}).c_str(),
        pick(l.badFormatAction, {"error and main menu", "error and delete lookup", "continue"}).c_str());
}

bool data_in_use(const CParameters& p, int n) {
    if (p.dataFiles[n].fieldCount > 0) return true;
    for (const CParamForm& f : p.forms)
        if (f.saveOnNext && f.saveDataFile == n && form_in_use(f)) return true;
    for (const CParamMenu& m : p.menus)
        if (m.saveOnNext && m.saveDataFile == n && menu_in_use(m)) return true;
    return false;
}

void show_data(std::string& out, int n, const CParamData& d) {
    add(out, "Data %d: %s (index %s), %d fields, record length %d, %s", n + 1, name(d.fileName).c_str(),
        name(d.indexName).c_str(), d.fieldCount, d.recordLength, d.storageMode ? "update record (sorted)" : "append new data");
    if (d.useDelimiter) add(out, ", separated by %s", pick(d.delimiter, {"comma", "semicolon", "vertical bar", "tab"}).c_str());
    if (d.addDate) add(out, ", adds the date");
    if (d.addTime) add(out, ", adds the time");
    add(out, ", key field %d\n", d.keyField + 1);
    for (int i = 0; i < d.fieldCount && i < kDataFieldCount; ++i) {
        const CDataRecord& r = d.fields[i];
        add(out, "  field %d (%s): %s", i + 1, field(data_field_code(n + 1, i + 1)).c_str(), field(r.variable1).c_str());
        if (r.variable2) add(out, " + %s", field(r.variable2).c_str());
        add(out, ", %s, %d characters, %s\n", r.isString ? "text" : "number", r.fieldSize,
            pick(r.alignment, kAlignmentNames).c_str());
    }
}

template <std::size_t N, std::size_t M> int count_texts(const std::array<Text<N>, M>& texts) {
    int n = 0;
    for (const auto& t : texts) n += t[0] != '\0';
    return n;
}

} // namespace

std::string show_definition(const CParameters& p) {
    std::string out;
    show_startup(out, p);
    auto section = [&](const char* what, int count, auto in_use, auto show) {
        int shown = 0;
        for (int n = 0; n < count; ++n)
            if (in_use(n)) {
                show(n);
                ++shown;
            }
        if (!shown) add(out, "No %s in use\n", what);
    };
    section("menus", kMenuCount, [&](int n) { return menu_in_use(p.menus[n]); }, [&](int n) { show_menu(out, n, p.menus[n]); });
    section("forms", kFormCount, [&](int n) { return form_in_use(p.forms[n]); }, [&](int n) { show_form(out, n, p.forms[n]); });
    section("lookup files", kLookupCount, [&](int n) { return p.lookups[n].used != 0; },
            [&](int n) { show_lookup(out, n, p.lookups[n]); });
    section("data files", kDataFileCount, [&](int n) { return data_in_use(p, n); },
            [&](int n) { show_data(out, n, p.dataFiles[n]); });
    const CParamLanguage& l = p.language;
    if (l.used)
        add(out, "Translated texts: %d menu texts, %d strings, %d messages\n", count_texts(l.menuTexts),
            count_texts(l.stringTexts), count_texts(l.messageTexts));
    return out;
}

} // namespace formwick::cli
