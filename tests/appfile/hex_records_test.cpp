#include "appfile/hex_records.h"
#include "appfile/image_map.h"
#include "full_definition.h"
#include "test_support.h"

#include <numeric>

using namespace formwick;
using namespace formwick::testing;

namespace {

// Writes blocks into a fresh file and returns its lines.
class HexWriting : public ::testing::Test {
protected:
    std::vector<std::string> write(const std::vector<std::pair<std::uint32_t, std::size_t>>& blocks) {
        std::filesystem::path path = dir / ("f" + std::to_string(files++) + ".HIX");
        CTextFile file("HIX", "\r\n");
        EXPECT_TRUE(file.openForWriting(path));
        HexOutput out(file);
        for (auto [address, length] : blocks) {
            std::vector<std::uint8_t> bytes(length);
            std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
            EXPECT_TRUE(write_block(bytes.data(), out, address, length));
        }
        EXPECT_TRUE(write_end(out));
        EXPECT_TRUE(file.close());
        return lines_of(path);
    }
    TempDir dir;
    int files = 0;
};

TEST_F(HexWriting, FirstBlockGetsAnExtendedAddressThenFullAndRemainderRecords) {
    auto lines = write({{0x60110000, 29}});
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], ":020000046011" "89");
    EXPECT_EQ(lines[1], ":10000000000102030405060708090A0B0C0D0E0F78");
    EXPECT_TRUE(lines[2].starts_with(":0D001000101112"));
    EXPECT_EQ(lines[3], ":00000001FF");
}

TEST_F(HexWriting, SameSegmentNeedsNoNewExtendedAddress) {
    auto lines = write({{0x60110000, 29}, {0x60111400, 98}});
    // 1 extended address + 2 records, then six 16-byte records and one of 2 bytes.
    ASSERT_EQ(lines.size(), 3u + 7u + 1u);
    for (int i = 3; i < 9; ++i) EXPECT_TRUE(lines[i].starts_with(":10")) << lines[i];
    EXPECT_TRUE(lines[3].starts_with(":10140000"));
    EXPECT_TRUE(lines[9].starts_with(":02146000"));
}

TEST_F(HexWriting, SegmentChangeWritesAnExtendedAddressWhereItHappens) {
    auto lines = write({{0x6011FFF0, 16}, {0x60130000, 2}});
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].substr(0, 13), ":020000046011");
    EXPECT_EQ(lines[2].substr(0, 13), ":020000046013");
}

TEST_F(HexWriting, EveryFileStartsWithItsOwnExtendedAddress) {
    write({{0x60110000, 29}});
    auto second = write({{0x60110000, 29}});
    EXPECT_EQ(second[0].substr(0, 9), ":02000004");
}

TEST_F(HexWriting, ZeroLengthWritesNothing) { EXPECT_EQ(write({{0x60110000, 0}}).size(), 1u); }

TEST(ReadRange, TakesTheBytesOfTheRangeFromABuiltFile) {
    TempDir dir;
    build_file(CParameters{}, dir / "a.HIX");
    auto lines = lines_of(dir / "a.HIX");
    std::uint32_t segment = 0;
    std::vector<std::uint8_t> out(32);
    EXPECT_EQ(read_range(lines, segment, 0x60110000, 0x60110020, out), 29u);
    EXPECT_EQ(std::string(out.begin(), out.begin() + 28), image::kHeaderText);
    EXPECT_EQ(segment, 0x60110000u);
}

TEST(ReadRange, NeverStoresMoreThanOutHolds) {
    std::vector<std::string> lines = {":020000046011" "89", ":10000000000102030405060708090A0B0C0D0E0F78",
                                      ":10001000000102030405060708090A0B0C0D0E0F68", ":00000001FF"};
    std::uint32_t segment = 0;
    std::vector<std::uint8_t> out(20, 0xEE);
    EXPECT_EQ(read_range(lines, segment, 0x60110000, 0x60110100, std::span(out).first(18)), 18u);
    EXPECT_EQ(out[17], 0x01);
    EXPECT_EQ(out[18], 0xEE); // untouched beyond the span
}

TEST(ReadRange, ShortAndMalformedLinesAreNotReadPast) {
    std::vector<std::string> lines = {":020000046011" "89", ":10000000000102", ":", ":1", "garbage", ":00000001FF"};
    std::uint32_t segment = 0;
    std::vector<std::uint8_t> out(64);
    EXPECT_EQ(read_range(lines, segment, 0x60110000, 0x60110100, out), 3u); // the whole bytes present
}

TEST(ReadRange, LowerCaseDigitsAreNotRead) {
    std::vector<std::string> lines = {":020000046011" "89", ":10000000000102030405060708090a0b0c0d0e0f78", ":00000001FF"};
    std::uint32_t segment = 0;
    std::vector<std::uint8_t> out(16);
    EXPECT_LT(read_range(lines, segment, 0x60110000, 0x60110100, out), 16u);
}

// The indexed reader of the loader must serve every slot exactly as the
// line scan does.
TEST(HexFileCollect, AgreesWithTheLineScanOnEverySlot) {
    TempDir dir;
    build_file(full_definition(), dir / "full.HIX");
    auto lines = lines_of(dir / "full.HIX");
    HexFile hex = hex_of(dir / "full.HIX");
    for (const image::Slot& slot : image::image_slots(20 * 1024)) {
        std::vector<std::uint8_t> scanned(slot.end - slot.start), indexed(slot.end - slot.start);
        std::uint32_t segment = 0;
        std::size_t a = read_range(lines, segment, slot.start, slot.end, scanned);
        std::size_t b = hex.collect(slot.start, slot.end, indexed);
        ASSERT_EQ(a, b) << std::hex << slot.start;
        EXPECT_EQ(scanned, indexed) << std::hex << slot.start;
    }
}

TEST(TextFile, ReportsTheSystemMessageWhenAFileCannotBeOpened) {
    CTextFile file("HIX");
    std::vector<std::string> lines;
    EXPECT_FALSE(file.readAllLines("/nonexistent/dir/x.HIX", lines));
    EXPECT_EQ(file.lastError(), "No such file or directory");
    EXPECT_FALSE(file.openForWriting("/nonexistent/dir/x.HIX"));
}

TEST(TextFile, ReadsLinesWithEitherTerminatorAndALastLineWithout) {
    TempDir dir;
    write_file(dir / "t.txt", "one\r\ntwo\n\nthree");
    std::vector<std::string> lines = lines_of(dir / "t.txt");
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "", "three"}));
}

TEST(TextFile, AppendsWithoutTruncating) {
    TempDir dir;
    for (int i = 0; i < 2; ++i) {
        CTextFile file("TXT", "\r\n");
        ASSERT_TRUE(file.openForWriting(dir / "t.txt"));
        ASSERT_TRUE(file.appendLine("line"));
        ASSERT_TRUE(file.close());
    }
    EXPECT_EQ(read_file(dir / "t.txt"), "line\r\nline\r\n");
}

TEST(TextFile, EmptyPathAsksThePromptWithTheFilter) {
    TempDir dir;
    write_file(dir / "p.HIX", "x\n");
    CTextFile file("HIX");
    std::vector<std::string> lines;
    EXPECT_FALSE(file.readAllLines("", lines)); // no prompt installed
    std::string filter;
    file.setPathPrompt([&](const std::string& f) -> std::optional<std::filesystem::path> {
        filter = f;
        return dir / "p.HIX";
    });
    EXPECT_TRUE(file.readAllLines("", lines));
    EXPECT_EQ(filter, "HIX-files (*.HIX)|*.HIX|All Files (*.*)|*.*||");
    file.setPathPrompt([](const std::string&) { return std::optional<std::filesystem::path>(); });
    EXPECT_FALSE(file.readAllLines("", lines)); // cancelled
}

} // namespace
