#include "appfile/definition_json.h"

#include "appfile/json_reader.h"
#include "appfile/json_writer.h"
#include "model/choice_names.h"

#include <algorithm>

namespace formwick {

namespace {

using namespace range;

// Each layout names the keys of one record in their fixed order; JsonOut
// runs it to write, JsonIn to read and check.

template <class V, class S> void startup_keys(V& v, S& s) {
    v.choice("startTarget", s.startTarget, names::start_target());
    v.choice("brightness", s.brightness, names::brightness());
    v.choice("backlightTime", s.backlightTime, names::backlight_time());
    v.choice("deleteData", s.deleteData, names::delete_data());
    v.flag("lockSystemMenu", s.lockSystemMenu);
    v.flag("lockUtilities", s.lockUtilities);
    v.ansi("password", s.password);
    v.ansi("terminalId", s.terminalId);
    v.require_text("terminalId", s.terminalId); // an empty one would load back as "000000"
    v.ansi("applicationVersion", s.applicationVersion);
    v.custom_font(s);
    v.flag("useCustomSplash", s.useCustomSplash);
    v.choice("splashFont", s.splashFont, names::font());
    v.picture("splashImage", s.splashImage);
    v.utf8_list("splashLines", s.splashLines, [](auto& line) -> auto& { return line.text; });
    v.choice("dateFormat", s.dateFormat, names::date_format());
    v.pictures("menuImages", s.menuImages);
    v.utf8_list("constants", s.constants, [](auto& t) -> auto& { return t; });
    v.choice("protocol", s.protocol, names::protocol());
}

template <class V, class B> void barcode_keys(V& v, B& b) {
    v.choice("readMode", b.readMode, names::read_mode());
    v.choice("readTimeout", b.readTimeout, names::read_timeout());
    v.integer("enabledTypes", b.enabledTypes, kAnyInt);
    v.ansi("systemSettings", b.systemSettings);
}

template <class V, class O> void ean_upc_code39_keys(V& v, O& o) {
    v.integer("eanUpcOptions", o.eanUpcOptions, kAnyInt);
    v.integer("code39Options", o.code39Options, kAnyInt);
}

template <class V, class O> void two_of5_msi_telepen_uk_keys(V& v, O& o) {
    v.integer("twoOf5Options", o.twoOf5Options, kAnyInt);
    v.integer("msiOptions", o.msiOptions, kAnyInt);
    v.integer("telepenUkOptions", o.telepenUkOptions, kAnyInt);
}

template <class V, class O> void codabar_128_iata_keys(V& v, O& o) {
    v.integer("codabarOptions", o.codabarOptions, kAnyInt);
    v.integer("code128Options", o.code128Options, kAnyInt);
    v.integer("iataOptions", o.iataOptions, kAnyInt);
}

template <class V, class O> void code11_kor_gs1_pdf_keys(V& v, O& o) {
    v.integer("code11Options", o.code11Options, kAnyInt);
    v.integer("koreanPostOptions", o.koreanPostOptions, kAnyInt);
    v.integer("gs1DataBarOptions", o.gs1DataBarOptions, kAnyInt);
    v.integer("pdf417Options", o.pdf417Options, kAnyInt);
}

template <class V, class I> void menu_item_keys(V& v, I& i) {
    v.utf8("name", i.name);
    v.choice("next", i.next, names::target());
}

template <class V, class M> void menu_keys(V& v, M& m) {
    v.choice("font", m.font, names::font());
    v.choice("clrTarget", m.clrTarget, names::target());
    v.flag("useHeader", m.useHeader);
    v.utf8("header", m.header);
    v.flag("storeHeader", m.storeHeader);
    v.choice("headerVariable", m.headerVariable, names::field_ref());
    v.flag("storeItemName", m.storeItemName);
    v.choice("itemNameVariable", m.itemNameVariable, names::field_ref());
    v.flag("storeItemNumber", m.storeItemNumber);
    v.choice("itemNumberVariable", m.itemNumberVariable, names::field_ref());
    v.flag("saveOnNext", m.saveOnNext);
    v.choice("saveDataFile", m.saveDataFile, names::data_file());
    v.objects("items", m.items, [](auto& v2, auto& i) { menu_item_keys(v2, i); });
}

template <class V, class F> void lookup_field_keys(V& v, F& f) {
    v.integer("offset", f.offset, kLookupOffset);
    v.integer("maxLength", f.maxLength, kLookupMaxLength);
}

template <class V, class L> void lookup_keys(V& v, L& l) {
    v.flag("used", l.used);
    v.file_names(l);
    v.choice("fileType", l.fileType, names::file_type());
    v.integer("recordSize", l.recordSize, kRecordSize);
    v.integer("fieldCount", l.fieldCount, kLookupFields);
    v.choice("delimiter", l.delimiter, names::delimiter());
    v.choice("badFormatAction", l.badFormatAction, names::bad_format_action());
    v.choice("noMatchAction", l.noMatchAction, names::no_match_action());
    v.choice("noMatchTarget", l.noMatchTarget, names::target());
    v.choice("missingAction", l.missingAction, names::missing_action());
    v.choice("keyField", l.keyField, names::field_index());
    v.objects("fields", l.fields, [](auto& v2, auto& f) { lookup_field_keys(v2, f); });
}

template <class V, class M> void more_keys(V& v, M& m) {
    v.choice("alignment", m.alignment, names::alignment());
    v.choice("initialKind", m.initialKind, names::initial_kind());
    v.ansi("initialText", m.initialText);
    v.choice("initialVariable", m.initialVariable, names::field_ref());
    v.flag("addPrefix", m.addPrefix);
    v.ansi("prefix", m.prefix);
    v.flag("addSuffix", m.addSuffix);
    v.ansi("suffix", m.suffix);
    v.flag("showInputMark", m.showInputMark);
    v.utf8("inputMark", m.inputMark);
    v.choice("decimalPlaces", m.decimalPlaces, names::decimal_places());
    v.choice("matchDisplayField", m.matchDisplayField, names::field_ref());
    v.flag("allowNegative", m.allowNegative);
    v.choice("counterDataFile", m.counterDataFile, names::data_file());
    v.flag("alwaysShowLine", m.alwaysShowLine);
}

template <class V, class L> void form_line_keys(V& v, L& l) {
    v.choice("dataType", l.dataType, names::line_type());
    v.utf8("prompt", l.prompt);
    v.choice("inputSource", l.inputSource, names::input_source());
    v.integer("minimum", l.minimum, kInputLength);
    v.integer("maximum", l.maximum, kInputLength);
    v.choice("variable", l.variable, names::field_ref());
    v.choice("lookupSource", l.lookupSource, names::lookup_source());
    v.object("more", l.more, [](auto& v2, auto& m) { more_keys(v2, m); });
}

template <class V, class F> void form_keys(V& v, F& f) {
    v.choice("font", f.font, names::font());
    v.choice("clrTarget", f.clrTarget, names::target());
    v.choice("nextTarget", f.nextTarget, names::target());
    v.objects("lines", f.lines, [](auto& v2, auto& l) { form_line_keys(v2, l); });
    v.flag("saveOnNext", f.saveOnNext);
    v.choice("saveDataFile", f.saveDataFile, names::data_file());
}

template <class V, class R> void data_field_keys(V& v, R& r) {
    v.choice("variable1", r.variable1, names::field_ref());
    v.choice("variable2", r.variable2, names::field_ref());
    v.flag("isString", r.isString);
    v.integer("fieldSize", r.fieldSize, kFieldSize);
    v.choice("alignment", r.alignment, names::alignment());
}

template <class V, class D> void data_file_keys(V& v, D& d) {
    v.file_names(d);
    v.integer("recordLength", d.recordLength, kRecordSize);
    v.flag("fixedSize", d.fixedSize);
    v.flag("useDelimiter", d.useDelimiter);
    v.choice("delimiter", d.delimiter, names::delimiter());
    v.integer("fieldCount", d.fieldCount, kDataFields);
    v.flag("dateYear", d.dateYear);
    v.flag("dateMonth", d.dateMonth);
    v.flag("dateDay", d.dateDay);
    v.choice("yearDigits", d.yearDigits, names::year_digits());
    v.choice("dateOrder", d.dateOrder, names::date_order());
    v.flag("timeHour", d.timeHour);
    v.flag("timeMinute", d.timeMinute);
    v.flag("timeSecond", d.timeSecond);
    v.flag("addDate", d.addDate);
    v.flag("addTime", d.addTime);
    v.choice("storageMode", d.storageMode, names::storage_mode());
    v.choice("keyField", d.keyField, names::field_index());
    v.objects("fields", d.fields, [](auto& v2, auto& r) { data_field_keys(v2, r); });
    v.record_length_default(d);
}

template <class V, class L> void language_keys(V& v, L& l) {
    auto same = [](auto& t) -> auto& { return t; };
    v.flag("used", l.used);
    v.utf8_list("menuTexts", l.menuTexts, same);
    v.utf8_list("stringTexts", l.stringTexts, same);
    v.utf8_list("messageTexts", l.messageTexts, same);
    v.choice("menuFont", l.menuFont, names::font());
    v.choice("stringFont", l.stringFont, names::font());
    v.choice("messageFont", l.messageFont, names::font());
    v.language_used_default(l);
    v.language_kept(l);
}

template <class V, class P> void definition_keys(V& v, P& p) {
    v.object("startup", p.startup, [](auto& v2, auto& r) { startup_keys(v2, r); });
    v.object("barcode", p.barcode, [](auto& v2, auto& r) { barcode_keys(v2, r); });
    v.object("eanUpcCode39", p.eanUpcCode39, [](auto& v2, auto& r) { ean_upc_code39_keys(v2, r); });
    v.object("twoOf5MsiTelepenUk", p.twoOf5MsiTelepenUk, [](auto& v2, auto& r) { two_of5_msi_telepen_uk_keys(v2, r); });
    v.object("codabar128Iata", p.codabar128Iata, [](auto& v2, auto& r) { codabar_128_iata_keys(v2, r); });
    v.object("code11KorGs1Pdf", p.code11KorGs1Pdf, [](auto& v2, auto& r) { code11_kor_gs1_pdf_keys(v2, r); });
    v.objects("menus", p.menus, [](auto& v2, auto& r) { menu_keys(v2, r); });
    v.objects("lookups", p.lookups, [](auto& v2, auto& r) { lookup_keys(v2, r); });
    v.objects("forms", p.forms, [](auto& v2, auto& r) { form_keys(v2, r); });
    v.objects("dataFiles", p.dataFiles, [](auto& v2, auto& r) { data_file_keys(v2, r); });
    v.object("language", p.language, [](auto& v2, auto& r) { language_keys(v2, r); });
}

// "Not valid JSON: parse error at line 3, column 7: ..." from the parser's
// own text, without its exception prefix.
std::string parse_error_text(const nlohmann::json::parse_error& e) {
    std::string what = e.what();
    std::size_t bracket = what.find("] ");
    return "Not valid JSON: " + (bracket == std::string::npos ? what : what.substr(bracket + 2));
}

// Finds the byte where the parser gave up, for the errors whose exception
// carries no place (a number beyond a double): a second pass that accepts
// every value and stops at the first error.
class ErrorPlace final : public nlohmann::json_sax<nlohmann::json> {
public:
    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    bool parse_error(std::size_t position, const std::string& token, const nlohmann::detail::exception&) override {
        end = position;
        last_token = token;
        return false;
    }
    std::size_t end = 0;
    std::string last_token;
};

// "Not valid JSON: number out of range at line 1, column 30: 1e999", at the
// number's first character.
std::string out_of_range_text(std::string_view text) {
    ErrorPlace place;
    nlohmann::json::sax_parse(text.begin(), text.end(), &place);
    std::size_t start = std::min(text.size(), place.end - std::min(place.end, place.last_token.size()));
    std::string_view before = text.substr(0, start);
    std::size_t line_start = before.rfind('\n');
    std::size_t line = 1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
    std::size_t column = 1 + start - (line_start == std::string_view::npos ? 0 : line_start + 1);
    return "Not valid JSON: number out of range at line " + std::to_string(line) + ", column " +
           std::to_string(column) + ": " + place.last_token;
}

} // namespace

bool definition_to_json_tree(const CParameters& parameters, nlohmann::ordered_json& root, MessageSink& messages) {
    try {
        root = nlohmann::ordered_json();
        JsonOut out(root);
        root["format"] = kDefinitionFormatName;
        root["version"] = kDefinitionFormatVersion;
        definition_keys(out, parameters);
        return true;
    } catch (const JsonRefusal& r) {
        messages.error(r.message);
        return false;
    }
}

bool definition_to_json(const CParameters& parameters, std::string& text, MessageSink& messages) {
    nlohmann::ordered_json root;
    if (!definition_to_json_tree(parameters, root, messages)) return false;
    text = root.dump(2) + "\n";
    return true;
}

bool definition_from_json(std::string_view text, CParameters& parameters, MessageSink& messages) {
    nlohmann::json root;
    try {
        root = nlohmann::json::parse(text.begin(), text.end());
    } catch (const nlohmann::json::parse_error& e) {
        messages.error(parse_error_text(e));
        return false;
    } catch (const nlohmann::json::out_of_range&) { // a number beyond a double
        messages.error(out_of_range_text(text));
        return false;
    }
    CParameters work;
    try {
        JsonIn in(root);
        in.root([&](JsonIn& v) {
            Text<64> name{};
            v.utf8("format", name);
            if (text_bytes(name) != kDefinitionFormatName)
                throw JsonRefusal{"format: not \"" + std::string(kDefinitionFormatName) + "\""};
            int version = -1;
            v.integer("version", version, range::kAnyInt);
            if (version == -1) throw JsonRefusal{"version: missing"};
            if (version != 1 && version != kDefinitionFormatVersion)
                throw JsonRefusal{"version: " + std::to_string(version) + " is not supported, this Formwick reads versions 1 and " +
                                  std::to_string(kDefinitionFormatVersion)};
            v.set_version(version);
            definition_keys(v, work);
        });
    } catch (const JsonRefusal& r) {
        messages.error(r.message);
        return false;
    }
    parameters = std::move(work);
    return true;
}

} // namespace formwick
