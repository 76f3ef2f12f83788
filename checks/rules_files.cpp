// Data files: the record length the terminal compares every record with,
// and forms or menus that save into a file with nothing to store.
#include "checks/places.h"
#include "checks/rules.h"
#include "model/record_layout.h"
#include "runtime/app/value_fit.h"

namespace formwick::rules {

namespace {

// Forms and menus that store records into data file d, by their place.
std::vector<std::string> savers(const CParameters& p, int d) {
    std::vector<std::string> out;
    for (int f = 0; f < kFormCount; ++f)
        if (p.forms[f].saveOnNext && p.forms[f].saveDataFile == d && form_runs(p, f)) out.push_back(place::form(f));
    for (int m = 0; m < kMenuCount; ++m)
        if (p.menus[m].saveOnNext && p.menus[m].saveDataFile == d && menu_item_count(p.menus[m]) > 0)
            out.push_back(place::menu(m));
    return out;
}

void check_record_length(const CParameters& p, int d, Findings& out) {
    const CParamData& data = p.dataFiles[d];
    if (!data.fixedSize) return;
    const int expected = data_record_length(data);
    if (data.recordLength != expected)
        out.error("record-length", place::data(d),
                  "the stored record length is " + std::to_string(data.recordLength) + " but the fields, delimiter, date and time add up to " +
                      std::to_string(expected) + " (CR LF included): the terminal refuses every record without a word",
                  "set the record length to " + std::to_string(expected) + " (in JSON leave recordLength out to get it)");
    for (int i = 0; i < data.fieldCount && i < kDataFieldCount; ++i)
        if (data.fields[i].alignment == kAlignVariable)
            out.error("record-length", place::data_field(d, i),
                      "a \"Variable size\" field in a file of fixed record size makes every record shorter than its length "
                      "unless the value fills the field: such records are refused",
                      "pad the field (\"Left aligned padded with space\") or clear \"Fixed record size\"");
}

} // namespace

void check_data_files(const CParameters& p, Findings& out) {
    for (int d = 0; d < kDataFileCount; ++d) {
        std::vector<std::string> from = savers(p, d);
        const CParamData& data = p.dataFiles[d];
        if (data.fieldCount == 0) {
            for (const std::string& where : from)
                out.error("save-no-fields", where,
                          "saves into " + place::data(d) + ", which has no fields: the records hold nothing of the input",
                          "give " + place::data(d) + " its fields, or save into another data file");
            continue;
        }
        if (!from.empty() || data.storageMode == 1) check_record_length(p, d, out);
    }
}

} // namespace formwick::rules
