// An outside reader of Intel HEX must accept every file we write and find
// our bytes at our addresses.
#include "appfile/image_map.h"
#include "full_definition.h"
#include "test_support.h"

#include <cstdlib>

using namespace formwick;
using namespace formwick::testing;

namespace {

std::string tool(const char* name) {
    for (const char* dir : {"/usr/bin/", "/usr/local/bin/", "/bin/"}) {
        std::string path = std::string(dir) + name;
        if (std::filesystem::exists(path)) return path;
    }
    return {};
}

int run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

class SrecordCheck : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        info = tool("srec_info");
        cat = tool("srec_cat");
        ASSERT_FALSE(info.empty() || cat.empty()) << "srecord is missing: run scripts/install-deps.sh";
    }
    std::string info, cat;
    TempDir dir;
};

TEST_P(SrecordCheck, AcceptsTheFileAndFindsOurBytes) {
    CParameters p = GetParam() == 0 ? CParameters{} : full_definition();
    std::filesystem::path hix = dir / "app.HIX", bin = dir / "image.bin";
    build_file(p, hix);
    EXPECT_EQ(run(info + " " + hix.string() + " -Intel"), 0);
    ASSERT_EQ(run(cat + " " + hix.string() + " -Intel -offset -0x60110000 -o " + bin.string() + " -Binary"), 0);

    std::string image = read_file(bin);
    HexFile hex = hex_of(hix);
    std::vector<bool> ours(image.size(), false);
    for (const HexFile::Record& r : hex.records()) {
        std::size_t at = r.address - image::kHeaderAddress;
        ASSERT_LE(at + r.count, image.size());
        for (std::size_t i = 0; i < r.count; ++i) {
            ASSERT_EQ(static_cast<std::uint8_t>(image[at + i]), hex.bytes()[r.offset + i]) << std::hex << r.address + i;
            ours[at + i] = true;
        }
    }
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (ours[i]) continue;
        ASSERT_EQ(image[i], 0) << "unexpected byte at " << std::hex << image::kHeaderAddress + i;
    }
}

INSTANTIATE_TEST_SUITE_P(FreshAndFull, SrecordCheck, ::testing::Values(0, 1));

} // namespace
