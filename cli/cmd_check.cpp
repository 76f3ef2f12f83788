// formwick-cli check APP.(json|HIX) [--lookup FILE]... [--format text|json]:
// what will go wrong with the definition on the terminal.
#include "checks/check_definition.h"
#include "cli/command.h"
#include "cli/definition_files.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace formwick::cli {

namespace {

int usage(const std::string& why) {
    std::fprintf(stderr, "check: %s\nusage: formwick-cli check APP.(json|HIX) [--lookup FILE]... [--format text|json]\n", why.c_str());
    return kExitUsage;
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The used lookup whose file name is the file's own name, in any case; -1 when none.
int lookup_for(const CParameters& p, const std::filesystem::path& file) {
    const std::string name = lower(file.filename().string());
    for (int l = 0; l < kLookupCount; ++l)
        if (p.lookups[l].used && lower(utf16_to_utf8(get_wide(p.lookups[l].fileName))) == name) return l;
    return -1;
}

int run_check(const Args& args) {
    std::string definition, format = "text";
    std::vector<std::string> lookups;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--lookup" || a == "--format") {
            if (i + 1 >= args.size()) return usage(a + " needs a value");
            (a == "--lookup" ? lookups.push_back(args[i + 1]) : void(format = args[i + 1]));
            ++i;
        } else if (a.starts_with("--")) {
            return usage("unknown option " + a);
        } else if (definition.empty()) {
            definition = a;
        } else {
            return usage("one definition only");
        }
    }
    if (definition.empty()) return usage("which definition?");
    if (format != "text" && format != "json") return usage("--format takes text or json, not " + format);

    CParameters p;
    if (!load_definition(definition, p)) return kExitRefused;
    Findings findings = check_definition(p);
    for (const std::string& file : lookups) {
        const int l = lookup_for(p, file);
        if (l < 0) return usage(file + " is not the file of a used lookup of " + definition);
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "%s: cannot read\n", file.c_str());
            return kExitRefused;
        }
        std::ostringstream content;
        content << in.rdbuf();
        check_lookup_file(p, l, content.str(), findings);
    }
    std::fputs((format == "json" ? findings_json(findings) : findings_text(findings)).c_str(), stdout);
    return findings.errors() > 0 ? kExitRefused : kExitOk;
}

const Registration reg({"check", "APP.(json|HIX) [--lookup FILE]... [--format text|json]",
                        "find what will go wrong with the definition on the terminal", 45, 1, 1000, run_check});

const HelpRegistration help("check",
                            "Each finding names its rule, its severity (error: the terminal will lose input or refuse to\n"
                            "work; warning: it works, but not as meant), its place, what the terminal will do and the fix.\n\n"
                            "options:\n"
                            "  --lookup FILE        also check a lookup file's lines against the lookup of the same file\n"
                            "                       name (record size or field count, key lengths, unique keys); repeat\n"
                            "  --format text|json   findings for people (default) or for tools\n\n"
                            "exit status: 0 no errors (warnings allowed), 1 errors or the definition was refused, 2 usage\n"
                            "The rules are listed in docs/cli.md.\n");

} // namespace

} // namespace formwick::cli
