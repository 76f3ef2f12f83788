// Reading a JSON definition from hostile text. What the reader accepts must
// agree three ways: written back and read again it gives the same text, and
// built into an application file and loaded it gives the same definition,
// but for what the definition format documents as not kept by a file.
#include "appfile/build_application.h"
#include "appfile/definition_json.h"
#include "fuzz/common/fuzz_check.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

using namespace formwick;

std::string json_of(const CParameters& p) {
    CollectingSink sink;
    std::string text;
    FUZZ_CHECK(definition_to_json(p, text, sink));
    return text;
}

// Changes the definition into what an application file keeps of it: the
// barcode system settings cut to the 41 bytes the image holds, and a
// language record without any text not used (the same built-in texts show
// either way). True when that changed anything.
bool keep_as_file_does(CParameters& p) {
    bool changed = false;
    if (std::strlen(p.barcode.systemSettings.data()) > 41) {
        p.barcode.systemSettings[41] = '\0';
        changed = true;
    }
    auto empty = [](const auto& texts) {
        return std::all_of(texts.begin(), texts.end(), [](const auto& t) { return t[0] == '\0'; });
    };
    CParamLanguage& l = p.language;
    if (l.used && empty(l.menuTexts) && empty(l.stringTexts) && empty(l.messageTexts)) {
        l.used = 0;
        changed = true;
    }
    return changed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file =
        (std::filesystem::exists("/dev/shm") ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path()) /
        ("formwick-fuzz-" + std::to_string(::getpid()) + "-json.HIX");

    CParameters read;
    CollectingSink sink;
    if (!definition_from_json(std::string_view(reinterpret_cast<const char*>(data), size), read, sink)) {
        FUZZ_CHECK(sink.messages.size() == 1 && !sink.messages[0].empty());
        return 0;
    }
    FUZZ_CHECK(sink.messages.empty());
    const std::string text = json_of(read);

    CParameters again;
    FUZZ_CHECK(definition_from_json(text, again, sink));
    FUZZ_CHECK(json_of(again) == text);

    CParameters loaded;
    FUZZ_CHECK(CBuildApplication(file, sink).build(read));
    FUZZ_CHECK(CBuildApplication(file, sink).load(loaded));
    FUZZ_CHECK(json_of(loaded) == (keep_as_file_does(read) ? json_of(read) : text));
    return 0;
}
