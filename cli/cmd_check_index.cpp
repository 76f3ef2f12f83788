// formwick-cli check-index DATAFILE INDEXFILE [layout]: checks an index
// file against its data file and prints what is wrong with it.
//
// The layout comes from options, or from a definition's lookup or data file:
//   --definition APP --lookup N | --data N   the settings of Lookup N / Data N
//   --separator C    fields divided by C (",", ";", "|", "tab"); default ","
//   --fixed          fields at fixed positions
//   --record-length N, --key-field N (0-based), --field OFFSET:LENGTH (repeat)
//   --duplicates     the index may hold a key more than once
#include "cli/command.h"
#include "cli/definition_files.h"
#include "runtime/app/descriptors.h"
#include "runtime/db/index_check.h"
#include "runtime/services/terminal.h"
#include "simulator/core/ramdisk/ram_disk.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace formwick::cli {

namespace {

namespace fs = std::filesystem;

bool parse_int(const std::string& text, int& value) {
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < 0 || v > 65535) return false;
    value = static_cast<int>(v);
    return true;
}

bool usage(const std::string& why) {
    std::fprintf(stderr, "check-index: %s\n", why.c_str());
    return false;
}

// Fills the layout of `d` from the options; false (with the reason on
// stderr) when an option is not understood.
bool parse_layout(const Args& args, DatabaseDescriptor& d, bool& refused) {
    std::string definition;
    int lookup = 0, data = 0, fields = 0;
    d.flags = DB_KEYED | DB_SEPARATED;
    d.record_length = DB_LINE_MAX + 1;
    d.separator = ',';
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool has_value = i + 1 < args.size();
        std::string v = has_value ? args[i + 1] : std::string();
        int n = 0;
        if (a == "--fixed") d.flags &= ~DB_SEPARATED;
        else if (a == "--duplicates") d.flags |= DB_DUPLICATES;
        else if (!has_value) return usage("option " + a + " needs a value or is unknown");
        else if (a == "--definition") definition = v, ++i;
        else if (a == "--lookup" && parse_int(v, lookup) && lookup >= 1 && lookup <= 3) ++i;
        else if (a == "--data" && parse_int(v, data) && data >= 1 && data <= 3) ++i;
        else if (a == "--separator" && (v == "tab" || v.size() == 1))
            d.separator = v == "tab" ? '\t' : v[0], d.flags |= DB_SEPARATED, ++i;
        else if (a == "--record-length" && parse_int(v, n)) d.record_length = n, ++i;
        else if (a == "--key-field" && parse_int(v, n) && n < DB_FIELDS) d.key_field = n, ++i;
        else if (a == "--field" && fields < DB_FIELDS) {
            std::size_t colon = v.find(':');
            int offset = 0, length = 0;
            if (colon == std::string::npos || !parse_int(v.substr(0, colon), offset) ||
                !parse_int(v.substr(colon + 1), length))
                return usage("--field takes OFFSET:LENGTH, not " + v);
            d.fields[fields].offset = static_cast<std::uint16_t>(offset);
            d.fields[fields].length = static_cast<std::uint16_t>(length);
            ++fields, ++i;
        } else return usage("cannot use " + a + " " + v);
    }
    if (definition.empty() != (lookup == 0 && data == 0) || (lookup && data))
        return usage("--definition goes with one --lookup N or --data N");
    if (!definition.empty()) {
        CParameters p;
        if (!load_definition(definition, p)) {
            refused = true;
            return false;
        }
        std::string names[2] = {d.file_name, d.index_name};
        d = lookup ? lookup_descriptor(p.lookups[lookup - 1]) : data_descriptor(p.dataFiles[data - 1]);
        db_set_names(d, names[0].c_str(), names[1].c_str());
    }
    return true;
}

int run_check_index(const Args& args) {
    fs::path data_path = args[0], index_path = args[1];
    fs::path folder = data_path.parent_path().empty() ? fs::path(".") : data_path.parent_path();
    fs::path index_folder = index_path.parent_path().empty() ? fs::path(".") : index_path.parent_path();
    std::error_code ec;
    if (!fs::equivalent(folder, index_folder, ec)) {
        std::fprintf(stderr, "check-index: the data file and the index file must be in one folder\n");
        return kExitUsage;
    }
    DatabaseDescriptor d;
    db_set_names(d, data_path.filename().string().c_str(), index_path.filename().string().c_str());
    bool refused = false;
    if (!parse_layout(args, d, refused)) return refused ? kExitRefused : kExitUsage;

    CRamDisk disk(folder);
    ScopedServices services(Terminal{nullptr, nullptr, nullptr, nullptr, nullptr, &disk});
    if (ramdisk_file_size(d.file_name) < 0 || ramdisk_file_size(d.index_name) < 0) {
        std::fprintf(stderr, "check-index: cannot read %s or %s\n", data_path.string().c_str(),
                     index_path.string().c_str());
        return kExitRefused;
    }
    std::vector<std::string> findings = index_check(d);
    for (const std::string& f : findings) std::printf("%s\n", f.c_str());
    if (!findings.empty()) return kExitRefused;
    std::printf("%s: sound, %zu keys\n", index_path.string().c_str(), index_entries(d.index_name).size());
    return kExitOk;
}

const Registration reg({"check-index", "DATAFILE INDEXFILE [layout options]",
                        "check an index file against its data file", 60, 2, 40, run_check_index});

} // namespace

} // namespace formwick::cli
