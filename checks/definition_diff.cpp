#include "checks/definition_diff.h"

#include "appfile/definition_json.h"

#include <nlohmann/json.hpp>

#include <cctype>
#include <set>

namespace formwick {

namespace {

using Json = nlohmann::ordered_json;

// "clrTarget" -> "CLR target", "fieldSize" -> "field size", "variable1" -> "variable 1".
std::string words(const std::string& key) {
    if (key.rfind("clr", 0) == 0) return "CLR" + words(key.substr(3));
    std::string out;
    for (char c : key) {
        if (std::isdigit(static_cast<unsigned char>(c)) && !out.empty() && std::isalpha(static_cast<unsigned char>(out.back()))) {
            out += ' ';
            out += c;
        } else if (std::isupper(static_cast<unsigned char>(c))) {
            out += ' ';
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else {
            out += c;
        }
    }
    return out;
}

struct Page {
    const char* key;
    const char* title;
    const char* entry; // "Form" for "Form 2"; nullptr for a single record
};

constexpr Page kPages[] = {
    {"startup", "Start-up", nullptr},      {"barcode", "Barcode", nullptr},
    {"eanUpcCode39", "Barcode options", nullptr}, {"twoOf5MsiTelepenUk", "Barcode options", nullptr},
    {"codabar128Iata", "Barcode options", nullptr}, {"code11KorGs1Pdf", "Barcode options", nullptr},
    {"menus", "Menus", "Menu"},            {"lookups", "Lookup files", "Lookup"},
    {"forms", "Forms", "Form"},            {"dataFiles", "Data files", "Data"},
    {"language", "Language", nullptr},
};

// The name of an array entry: "line 3", "item 2", "field 1", "splash line 4".
std::string entry_name(const std::string& key, std::size_t i) {
    const std::string n = std::to_string(i + 1);
    if (key == "lines") return "line " + n;
    if (key == "items") return "item " + n;
    if (key == "fields") return "field " + n;
    if (key == "splashLines") return "splash line " + n;
    if (key == "constants") return "Const " + n;
    if (key == "menuImages") return "menu picture " + n;
    if (key == "menuTexts") return "menu " + n;
    if (key == "stringTexts") return "string " + n;
    if (key == "messageTexts") return "message " + n;
    return words(key) + " " + n;
}

struct Walker {
    std::string page;
    std::vector<Difference>& out;

    void walk(const std::string& place, const std::string& key, const Json& a, const Json& b) {
        if (a == b) return;
        if (a.is_object() && b.is_object() && key != "splashImage" && key != "menuImages") {
            for (const auto& [k, va] : a.items()) {
                // "more" only groups a line's further properties; array
                // entries carry their own names ("line 3", "field 1").
                const std::string inner = k == "more" || va.is_array() ? place : place + ", " + words(k);
                walk(inner, k, va, b.contains(k) ? b[k] : Json());
            }
            return;
        }
        if (a.is_array() && b.is_array() && a.size() == b.size() && !a.empty() && key != "rows") {
            for (std::size_t i = 0; i < a.size(); ++i) walk(place + ", " + entry_name(key, i), key, a[i], b[i]);
            return;
        }
        out.push_back({page, place, shown(a), shown(b)});
    }
    static std::string shown(const Json& j) {
        if (j.is_object() && j.contains("width")) return "a " + j["width"].dump() + " x " + j["height"].dump() + " picture";
        if (j.is_string() && j.get_ref<const std::string&>().size() > 60) return "\"" + j.get_ref<const std::string&>().substr(0, 57) + "...\"";
        return j.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
};

// Keys of a data file's records and of a lookup file's lines: a change of
// any of them changes the shape of the files on the terminals.
const std::set<std::string> kDataLayoutKeys = {"recordLength", "fixedSize", "useDelimiter", "delimiter", "fieldCount",
                                               "dateYear", "dateMonth", "dateDay", "yearDigits", "dateOrder",
                                               "timeHour", "timeMinute", "timeSecond", "addDate", "addTime",
                                               "keyField", "storageMode"};
const std::set<std::string> kDataFieldLayoutKeys = {"isString", "fieldSize", "alignment"};
const std::set<std::string> kLookupLayoutKeys = {"fileType", "recordSize", "fieldCount", "delimiter", "keyField"};

bool layout_changed(const Json& a, const Json& b, const std::set<std::string>& keys, const std::set<std::string>& field_keys,
                    int fields) {
    for (const std::string& k : keys)
        if (a[k] != b[k]) return true;
    for (int i = 0; i < fields; ++i)
        for (const std::string& k : field_keys)
            if (a["fields"][i][k] != b["fields"][i][k]) return true;
    return false;
}

void find_breakages(const Json& a, const Json& b, DefinitionDiff& diff) {
    for (int d = 0; d < kDataFileCount; ++d) {
        const Json& x = a["dataFiles"][d];
        const Json& y = b["dataFiles"][d];
        if (x["fieldCount"] == 0 && y["fieldCount"] == 0) continue;
        const int fields = std::max(x["fieldCount"].get<int>(), y["fieldCount"].get<int>());
        const std::string name = x["fileName"].get<std::string>();
        const std::string where = "Data " + std::to_string(d + 1) + " (" + name + ")";
        if (x["fileName"] != y["fileName"])
            diff.breakages.push_back({where, "the file is now named " + y["fileName"].get<std::string>() +
                                                 ": records already in " + name + " on the terminals are no longer read or sent; collect them first",
                                      true});
        else if (layout_changed(x, y, kDataLayoutKeys, kDataFieldLayoutKeys, fields))
            diff.breakages.push_back({where, "the record layout changed: terminals running the old version hold records of "
                                             "another shape, which the new version refuses or reads wrongly; collect and "
                                             "empty " + name + " before sending the new version",
                                      true});
    }
    for (int l = 0; l < kLookupCount; ++l) {
        const Json& x = a["lookups"][l];
        const Json& y = b["lookups"][l];
        if (!x["used"].get<bool>() || !y["used"].get<bool>()) continue;
        const int fields = std::max(x["fieldCount"].get<int>(), y["fieldCount"].get<int>());
        const std::string name = y["fileName"].get<std::string>();
        if (x["fileName"] != y["fileName"] || layout_changed(x, y, kLookupLayoutKeys, {"offset", "maxLength"}, fields))
            diff.breakages.push_back({"Lookup " + std::to_string(l + 1) + " (" + name + ")",
                                      "the lookup file's layout changed: the lookup files on the terminals must be "
                                      "replaced by files of the new layout",
                                      false});
    }
}

} // namespace

std::optional<DefinitionDiff> diff_definitions(const CParameters& a, const CParameters& b, MessageSink& messages) {
    Json ja, jb;
    if (!definition_to_json_tree(a, ja, messages) || !definition_to_json_tree(b, jb, messages)) return std::nullopt;
    DefinitionDiff diff;
    for (const Page& page : kPages) {
        Walker w{page.title, diff.differences};
        const Json& x = ja[page.key];
        const Json& y = jb[page.key];
        if (page.entry) {
            for (std::size_t i = 0; i < x.size(); ++i)
                w.walk(std::string(page.entry) + " " + std::to_string(i + 1), page.key, x[i], y[i]);
        } else {
            for (const auto& [k, v] : x.items()) {
                const bool texts = page.key == std::string("language") && v.is_array(); // "Language, message 3"
                w.walk(texts ? std::string(page.title) : std::string(page.title) + ", " + words(k), k, v, y[k]);
            }
        }
    }
    find_breakages(ja, jb, diff);
    return diff;
}

std::string diff_text(const DefinitionDiff& diff) {
    std::string out, page;
    for (const Difference& d : diff.differences) {
        if (d.page != page) out += (page = d.page) + "\n";
        out += "  " + d.place + ": " + d.before + " -> " + d.after + "\n";
    }
    for (const Breakage& b : diff.breakages) out += "BREAKS " + b.place + ": " + b.what + "\n";
    if (diff.same()) out += "same definition\n";
    return out;
}

std::string diff_json(const DefinitionDiff& diff) {
    Json list = Json::array(), breaks = Json::array();
    for (const Difference& d : diff.differences)
        list.push_back({{"page", d.page}, {"place", d.place}, {"before", d.before}, {"after", d.after}});
    for (const Breakage& b : diff.breakages)
        breaks.push_back({{"file", b.place}, {"kind", b.data ? "data" : "lookup"}, {"what", b.what}});
    Json root;
    root["same"] = diff.same();
    root["differences"] = std::move(list);
    root["breaks"] = std::move(breaks);
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace formwick
