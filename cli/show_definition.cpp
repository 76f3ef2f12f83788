#include "cli/show_definition.h"

#include "model/choice_names.h"
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

// Choices are shown by the names the editors and the JSON format use.
std::string target(int code) { return names::target().label(code); }
std::string field(int code) { return names::field_ref().label(code); }
std::string font(int code) { return names::font().label(code); }
std::string data_file(int selector) { return names::data_file().label(selector); }
std::string lookup_source(int code) { return code == 0 ? "none" : names::lookup_source().label(code); }
std::string delimiter(int code) { return code == 3 ? "tab" : "\"" + names::delimiter().label(code) + "\""; }

void show_startup(std::string& out, const CParameters& p) {
    const CParamStartup& s = p.startup;
    add(out, "Start-up: program starts from %s; terminal ID \"%s\"; application version \"%s\"\n",
        names::start_target().label(s.startTarget).c_str(), ansi(s.terminalId).c_str(), ansi(s.applicationVersion).c_str());
    add(out, "  brightness %s, backlight %s, date %s, protocol %s\n", names::brightness().label(s.brightness).c_str(),
        names::backlight_time().label(s.backlightTime).c_str(),
        names::date_format().label(s.dateFormat).c_str(), names::protocol().label(s.protocol).c_str());
    add(out, "  delete data: %s; utilities menu locked: %s; OS system menu locked: %s\n",
        names::delete_data().label(s.deleteData).c_str(), s.lockUtilities ? "yes" : "no",
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
    add(out, "Barcode: read mode %s, time-out %s, types 0x%X\n", names::read_mode().label(p.barcode.readMode).c_str(),
        names::read_timeout().label(p.barcode.readTimeout).c_str(), static_cast<unsigned>(p.barcode.enabledTypes));
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
        add(out, "  line %d %s \"%s\" -> %s, %s, %d..%d", i + 1, names::line_type().label(l.dataType).c_str(),
            utf8(l.prompt).c_str(), field(l.variable).c_str(), names::input_source().label(l.inputSource).c_str(),
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
        l.fileType ? ("CSV separated by " + delimiter(l.delimiter)).c_str()
                   : ("fixed records of " + std::to_string(l.recordSize) + " bytes").c_str(),
        l.fieldCount, l.keyField + 1);
    for (int i = 0; i < l.fieldCount && i < kLookupFieldCount; ++i) {
        add(out, "  field %d (%s): ", i + 1, field(lookup_field_code(n + 1, i + 1)).c_str());
        if (l.fileType == 0) add(out, "offset %d, ", l.fields[i].offset);
        add(out, "at most %d characters\n", l.fields[i].maxLength);
    }
    add(out, "  no match: %s%s; file missing: %s; bad record: %s\n",
        names::no_match_action().label(l.noMatchAction).c_str(),
        l.noMatchAction >= 2 ? (" " + target(l.noMatchTarget)).c_str() : "",
        names::missing_action().label(l.missingAction).c_str(),
        names::bad_format_action().label(l.badFormatAction).c_str());
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
        name(d.indexName).c_str(), d.fieldCount, d.recordLength, names::storage_mode().label(d.storageMode).c_str());
    if (d.useDelimiter) add(out, ", separated by %s", delimiter(d.delimiter).c_str());
    if (d.addDate) add(out, ", adds the date");
    if (d.addTime) add(out, ", adds the time");
    add(out, ", key field %d\n", d.keyField + 1);
    for (int i = 0; i < d.fieldCount && i < kDataFieldCount; ++i) {
        const CDataRecord& r = d.fields[i];
        add(out, "  field %d (%s): %s", i + 1, field(data_field_code(n + 1, i + 1)).c_str(), field(r.variable1).c_str());
        if (r.variable2) add(out, " + %s", field(r.variable2).c_str());
        add(out, ", %s, %d characters, %s\n", r.isString ? "text" : "number", r.fieldSize,
            names::alignment().label(r.alignment).c_str());
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
