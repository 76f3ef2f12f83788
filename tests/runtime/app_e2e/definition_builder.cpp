#include "tests/runtime/app_e2e/definition_builder.h"

namespace formwick::e2e {

CFormLine& input_line(CParamForm& form, int i, int type, const std::string& prompt, int variable, int maximum,
                      int minimum) {
    CFormLine& line = plain_line(form, i, type, prompt, variable);
    line.inputSource = 1; // keypad
    line.minimum = minimum;
    line.maximum = maximum;
    line.more.alignment = 4;
    return line;
}

CFormLine& plain_line(CParamForm& form, int i, int type, const std::string& prompt, int variable) {
    CFormLine& line = form.lines[static_cast<std::size_t>(i)];
    line.dataType = type;
    set_text_utf8(line.prompt, prompt);
    line.variable = variable;
    return line;
}

void save_on_next(CParamForm& form, int data) {
    form.saveOnNext = 1;
    form.saveDataFile = data;
}

namespace {

void set_fields(CParamData& data, std::initializer_list<DataField> fields) {
    data.fieldCount = static_cast<int>(fields.size());
    int i = 0;
    for (const DataField& f : fields) {
        CDataRecord& r = data.fields[static_cast<std::size_t>(i++)];
        r.variable1 = f.variable1;
        r.variable2 = f.variable2;
        r.fieldSize = f.fieldSize;
        r.alignment = f.alignment;
        r.isString = f.isString ? 1 : 0;
    }
}

} // namespace

void separated_data(CParamData& data, int delimiter, std::initializer_list<DataField> fields) {
    data.fixedSize = 0;
    data.useDelimiter = 1;
    data.delimiter = delimiter;
    data.recordLength = 1023;
    set_fields(data, fields);
}

void fixed_data(CParamData& data, int delimiter, std::initializer_list<DataField> fields) {
    data.fixedSize = 1;
    data.useDelimiter = delimiter >= 0 ? 1 : 0;
    data.delimiter = delimiter >= 0 ? delimiter : 0;
    set_fields(data, fields);
    int length = 2; // CR LF
    for (const DataField& f : fields) length += f.fieldSize;
    if (data.useDelimiter) length += static_cast<int>(fields.size()) - 1;
    data.recordLength = length;
}

void csv_lookup(CParamLookup& lookup, int delimiter, std::initializer_list<int> max_lengths, int key_field) {
    lookup.used = 1;
    lookup.fileType = 1;
    lookup.delimiter = delimiter;
    lookup.recordSize = 1023;
    lookup.keyField = key_field;
    lookup.fieldCount = static_cast<int>(max_lengths.size());
    int i = 0;
    for (int length : max_lengths) lookup.fields[static_cast<std::size_t>(i++)] = {0, static_cast<std::uint8_t>(length)};
}

void fixed_lookup(CParamLookup& lookup, int record_size, std::initializer_list<CLookupFields> fields, int key_field) {
    lookup.used = 1;
    lookup.fileType = 0;
    lookup.recordSize = record_size;
    lookup.keyField = key_field;
    lookup.fieldCount = static_cast<int>(fields.size());
    int i = 0;
    for (const CLookupFields& f : fields) lookup.fields[static_cast<std::size_t>(i++)] = f;
}

void menu_items(CParamMenu& menu, const std::string& header, std::initializer_list<MenuItemSpec> items) {
    menu.useHeader = header.empty() ? 0 : 1;
    set_text_utf8(menu.header, header);
    int i = 0;
    for (const MenuItemSpec& item : items) {
        set_text_utf8(menu.items[static_cast<std::size_t>(i)].name, item.name);
        menu.items[static_cast<std::size_t>(i++)].next = static_cast<std::uint8_t>(item.next);
    }
}

void scanned_code_form(CParameters& app) {
    CParamForm& form = app.forms[0];
    input_line(form, 0, kLineAlphaNum, "Code:", 1, 13).inputSource = 0; // reader only
    input_line(form, 1, kLineInteger, "Qty:", 2, 3);
    save_on_next(form, 0);
    separated_data(app.dataFiles[0], 0, {{1, 13}, {2, 3}});
}

} // namespace formwick::e2e
