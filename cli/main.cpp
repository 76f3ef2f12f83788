// formwick-cli: headless commands over application definitions.
#include "model/field_refs.h"
#include "model/parameters.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace formwick;

namespace {

std::string narrow(const std::u16string& s) { return utf16_to_utf8(s); }

// A short description of a definition: what a fresh one holds.
void print_summary(const CParameters& p) {
    std::printf("Formwick %s application definition\n", FORMWICK_VERSION);
    std::printf("  program starts from: %s\n", p.startup.startTarget == 0 ? "Form 1" : "Menu 1");
    std::printf("  terminal ID: %s\n", narrow(p.startup.terminalIdText()).c_str());
    std::printf("  barcode types enabled: 0x%04X\n", static_cast<unsigned>(p.barcode.enabledTypes));
    for (int i = 0; i < kLookupCount; ++i)
        std::printf("  lookup %d: %s (%s)%s\n", i + 1, narrow(p.lookups[i].fileNameText()).c_str(),
                    narrow(p.lookups[i].indexNameText()).c_str(), p.lookups[i].used ? "" : ", not used");
    for (int i = 0; i < kDataFileCount; ++i)
        std::printf("  data %d: %s (%s), %d fields\n", i + 1, narrow(p.dataFiles[i].fileNameText()).c_str(),
                    narrow(p.dataFiles[i].indexNameText()).c_str(), p.dataFiles[i].fieldCount);
    for (int i = 0; i < kFormCount; ++i)
        std::printf("  form %d: next target %d\n", i + 1, p.forms[i].nextTarget);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "summary") == 0) {
        print_summary(CParameters{});
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("formwick-cli %s\n", FORMWICK_VERSION);
        return 0;
    }
    std::fprintf(stderr, "usage: formwick-cli summary | --version\n");
    return 2;
}
