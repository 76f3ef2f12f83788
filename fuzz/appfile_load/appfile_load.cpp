// Loading an application file from hostile bytes: every refusal must carry
// its reason, and a file that loads must build again and load back to the
// same definition.
#include "appfile/build_application.h"
#include "fuzz/common/fuzz_check.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace formwick;

// Files of this process in the fastest temporary folder there is.
std::filesystem::path scratch(const char* name) {
    std::filesystem::path folder = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    return folder / ("formwick-fuzz-" + std::to_string(::getpid()) + "-" + name);
}

bool write_bytes(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

std::string read_bytes(const std::filesystem::path& path) {
    std::string bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path input = scratch("in.HIX"), rebuilt = scratch("rebuilt.HIX"),
                                       twice = scratch("twice.HIX");
    if (!write_bytes(input, data, size)) return 0;

    CParameters loaded;
    CollectingSink sink;
    CBuildApplication loader(input, sink);
    if (!loader.load(loaded)) {
        FUZZ_CHECK(loader.failure() != AppFileFailure::None);
        return 0;
    }
    FUZZ_CHECK(sink.messages.empty());

    // What was loaded builds, and comes back unchanged: building the
    // definition loaded from the rebuilt file gives the same file again.
    FUZZ_CHECK(CBuildApplication(rebuilt, sink).build(loaded));
    CParameters again;
    FUZZ_CHECK(CBuildApplication(rebuilt, sink).load(again));
    FUZZ_CHECK(CBuildApplication(twice, sink).build(again));
    FUZZ_CHECK(read_bytes(rebuilt) == read_bytes(twice));
    return 0;
}
