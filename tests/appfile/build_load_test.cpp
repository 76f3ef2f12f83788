#include "appfile/hex_digits.h"
#include "appfile/hex_records.h"
#include "appfile/image_map.h"
#include "full_definition.h"
#include "test_support.h"

#include <sys/stat.h>

using namespace formwick;
using namespace formwick::testing;

namespace {

struct Loaded {
    bool ok;
    std::vector<std::string> messages;
    AppFileFailure failure;
};

Loaded load(const std::filesystem::path& path, CParameters& p) {
    CollectingSink sink;
    CBuildApplication builder(path, sink);
    bool ok = builder.load(p);
    return {ok, sink.messages, builder.failure()};
}

std::string text_of(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

// The same records with some image bytes replaced and checksums made right
// again, for files that are well formed but carry other values.
std::vector<std::string> patched(const std::vector<std::string>& lines, std::uint32_t address,
                                 const std::vector<std::uint8_t>& bytes) {
    std::vector<std::string> out;
    std::uint32_t segment = 0;
    for (const std::string& line : lines) {
        if (line.starts_with(":02000004")) segment = static_cast<std::uint32_t>(hex_word_at(line, 9)) << 16;
        if (line.substr(7, 2) != "00") {
            out.push_back(line);
            continue;
        }
        std::uint32_t at = segment + static_cast<std::uint32_t>(hex_word_at(line, 3));
        std::vector<std::uint8_t> data(static_cast<std::size_t>(hex_byte_at(line, 1)));
        for (std::size_t i = 0; i < data.size(); ++i) {
            data[i] = static_cast<std::uint8_t>(hex_byte_at(line, 9 + 2 * i));
            if (at + i >= address && at + i < address + bytes.size()) data[i] = bytes[at + i - address];
        }
        out.push_back(hex_record(0, static_cast<std::uint16_t>(at), data.data(), data.size()));
    }
    return out;
}

// Index of the first line holding a data record at `address`.
std::size_t line_at(const std::vector<std::string>& lines, std::uint32_t address) {
    std::uint32_t segment = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].starts_with(":02000004")) segment = static_cast<std::uint32_t>(hex_word_at(lines[i], 9)) << 16;
        else if (lines[i].substr(7, 2) == "00" && segment + hex_word_at(lines[i], 3) == address) return i;
    }
    ADD_FAILURE() << "no record at " << std::hex << address;
    return 0;
}

class BuildLoad : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path path = dir / "app.HIX";
};

TEST_F(BuildLoad, FreshDefinitionComesBackFieldByField) {
    build_file(CParameters{}, path);
    CParameters p = full_definition();
    Loaded r = load(path, p);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_TRUE(same_definition(p, CParameters{}));
}

TEST_F(BuildLoad, FullDefinitionComesBackAndRebuildsByteIdentical) {
    CParameters full = full_definition();
    build_file(full, path);
    CParameters p;
    ASSERT_TRUE(load(path, p).ok);
    // Only the first 41 bytes of the barcode system settings reach the image.
    std::string settings(text_bytes(full.barcode.systemSettings).substr(0, 41));
    set_text_bytes(full.barcode.systemSettings, settings);
    EXPECT_TRUE(same_definition(p, full));
    build_file(p, dir / "again.HIX");
    EXPECT_EQ(read_file(dir / "again.HIX"), read_file(path));
}

TEST_F(BuildLoad, OnlyTheFirstMessagesSurvive) {
    CParameters p;
    p.language.setMessageText(20, u"twenty");
    p.language.setMessageText(40, u"forty");
    build_file(p, path);
    CParameters q;
    ASSERT_TRUE(load(path, q).ok);
    EXPECT_EQ(q.language.messageText(20), u"twenty");
    EXPECT_EQ(q.language.messageText(40), u"");
    EXPECT_EQ(q.language.used, 1);
}

TEST_F(BuildLoad, EmptyTerminalIdLoadsAsZeros) {
    CParameters p;
    set_text_bytes(p.startup.terminalId, "");
    build_file(p, path);
    CParameters q;
    set_text_bytes(q.startup.terminalId, "ABC");
    ASSERT_TRUE(load(path, q).ok);
    EXPECT_EQ(text_bytes(q.startup.terminalId), "000000");
}

TEST_F(BuildLoad, ReadOnlyFileIsNotReplaced) {
    write_file(path, "keep me");
    chmod(path.c_str(), 0444);
    CollectingSink sink;
    CBuildApplication builder(path, sink);
    EXPECT_FALSE(builder.build(CParameters{}));
    EXPECT_EQ(sink.messages, std::vector<std::string>{"Cannot update formwick application file!!!"});
    EXPECT_EQ(read_file(path), "keep me");
}

TEST_F(BuildLoad, MissingFolderCannotBeBuilt) {
    CollectingSink sink;
    EXPECT_FALSE(CBuildApplication(dir / "no" / "such.HIX", sink).build(CParameters{}));
    EXPECT_EQ(sink.messages, std::vector<std::string>{"Cannot build formwick application file!!!"});
}

TEST_F(BuildLoad, ExistingFileIsReplacedWhole) {
    write_file(path, std::string(100000, 'x'));
    build_file(CParameters{}, path);
    CParameters p;
    EXPECT_TRUE(load(path, p).ok);
    EXPECT_FALSE(std::filesystem::exists(dir / "app.HIX.part"));
}

TEST_F(BuildLoad, EmptyBlockRangeStopsTheLoadWithTheBlocksBefore) {
    CParameters full = full_definition();
    build_file(CParameters{}, path);
    // Drop every record of Menu 3's block.
    auto lines = lines_of(path);
    std::size_t first = line_at(lines, image::menu_address(2));
    lines.erase(lines.begin() + first, lines.begin() + first + 60); // 956 bytes = 59 full records + 1
    write_file(path, text_of(lines));
    CParameters p = full;
    Loaded r = load(path, p);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.failure, AppFileFailure::BlockMissing);
    EXPECT_EQ(p.startup.brightness, 2);   // loaded
    EXPECT_EQ(p.forms[7].nextTarget, 8);  // loaded
    EXPECT_EQ(p.menus[1].font, 0);        // loaded
    EXPECT_EQ(p.menus[2].font, full.menus[2].font); // not reached
    EXPECT_EQ(p.dataFiles[0].fieldCount, 10);       // not reached
}

TEST_F(BuildLoad, TrailingEmptyLinesAreAccepted) {
    build_file(CParameters{}, path);
    write_file(path, read_file(path) + "\r\n\r\n");
    CParameters p;
    EXPECT_TRUE(load(path, p).ok);
}

// One damaged or unusual file per row, made from a fresh build.
struct DamagedCase {
    const char* name;
    std::function<std::vector<std::string>(std::vector<std::string>)> damage;
    AppFileFailure failure;                         // None: the load succeeds
    std::string message;                            // '#' stands for a number; empty: no message
    std::function<void(const CParameters&)> check;  // on success
};

void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.name; }

// `pattern` with each '#' standing for one or more digits.
bool matches(std::string_view text, std::string_view pattern) {
    std::size_t t = 0;
    for (char p : pattern) {
        if (p != '#') {
            if (t >= text.size() || text[t++] != p) return false;
            continue;
        }
        std::size_t start = t;
        while (t < text.size() && std::isdigit(static_cast<unsigned char>(text[t]))) ++t;
        if (t == start) return false;
    }
    return t == text.size();
}

class DamagedFiles : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedFiles, AreRefusedOrReadSafely) {
    const DamagedCase& c = GetParam();
    TempDir dir;
    build_file(CParameters{}, dir / "ok.HIX");
    write_file(dir / "bad.HIX", text_of(c.damage(lines_of(dir / "ok.HIX"))));
    CParameters p = full_definition();
    Loaded r = load(dir / "bad.HIX", p);
    EXPECT_EQ(r.failure, c.failure);
    EXPECT_EQ(r.ok, c.failure == AppFileFailure::None);
    if (c.message.empty()) {
        EXPECT_TRUE(r.messages.empty()) << r.messages[0];
    } else {
        ASSERT_EQ(r.messages.size(), 1u);
        EXPECT_TRUE(matches(r.messages[0], c.message)) << r.messages[0];
    }
    if (r.ok)
        c.check(p);
    else
        EXPECT_TRUE(same_definition(p, full_definition())) << "a refused file changed the definition";
}

std::vector<std::string> drop_last(std::vector<std::string> l) {
    l.pop_back();
    return l;
}

const DamagedCase kDamaged[] = {
    {"NoEndRecord", drop_last, AppFileFailure::NoEndRecord, "", nullptr},
    {"WrongHeader",
     [](auto l) { return patched(l, image::kHeaderAddress, {'X', 'P', 'P'}); },
     AppFileFailure::NotApplication, "Not a Formwick application generator build file for the R58 / KTM3300", nullptr},
    {"OtherVersion",
     [](auto l) { return patched(l, image::kHeaderAddress + 27, {'2'}); },
     AppFileFailure::OtherVersion, "This Formwick application does not support interpreter file version : :V00.02",
     nullptr},
    {"HeaderNot29Bytes",
     [](auto l) {
         l.erase(l.begin() + 2); // the 13-byte header record
         return l;
     },
     AppFileFailure::HeaderLength, "", nullptr},
    {"TruncatedLine",
     [](auto l) {
         l[4].resize(20);
         return l;
     },
     AppFileFailure::Damaged, "Damaged application file: line 5 is truncated", nullptr},
    {"LowerCaseDigits",
     [](auto l) {
         for (char& c : l[1]) c = static_cast<char>(std::tolower(c));
         return l;
     },
     AppFileFailure::Damaged, "Damaged application file: line 2 has lower-case hexadecimal digits", nullptr},
    {"WrongChecksum",
     [](auto l) {
         std::string& s = l[811];
         s.back() = s.back() == '0' ? '1' : '0';
         return l;
     },
     AppFileFailure::Damaged, "Damaged application file: line 812 has a wrong checksum", nullptr},
    {"RecordsOutOfOrder",
     [](auto l) {
         std::swap(l[5], l[6]);
         return l;
     },
     AppFileFailure::Damaged, "Damaged application file: line 7 is out of address order", nullptr},
    {"DataBeyondEveryRange",
     [](auto l) {
         const std::uint8_t upper[2] = {0x60, 0x20}, data[4] = {1, 2, 3, 4};
         l.insert(l.end() - 1, {hex_record(4, 0, upper, 2), hex_record(0, 0x0100, data, 4)});
         return l;
     },
     AppFileFailure::Damaged, "Damaged application file: line # holds data outside the application image", nullptr},
    {"ReadModeOutOfRange",
     [](auto l) { return patched(l, image::kBarcodeAddress, {3}); },
     AppFileFailure::None, "", [](const CParameters& p) { EXPECT_EQ(p.barcode.readMode, 0); }},
    {"FormFontByteFromHalfRange",
     [](auto l) { return patched(l, image::form_address(0), {0x80, 0x90, 0xFF, 0x02, 0x81}); },
     AppFileFailure::None, "",
     [](const CParameters& p) {
         EXPECT_EQ(p.forms[0].font, 0);
         EXPECT_EQ(p.forms[0].clrTarget, 0);
         EXPECT_EQ(p.forms[0].nextTarget, 1);
         EXPECT_EQ(p.forms[0].saveOnNext, 0); // a flag is set only by the byte 1
         EXPECT_EQ(p.forms[0].saveDataFile, 0);
     }},
};

INSTANTIATE_TEST_SUITE_P(Table, DamagedFiles, ::testing::ValuesIn(kDamaged),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DamagedFileMessages, DataOutsideTheImageNamesItsLine) {
    TempDir dir;
    build_file(CParameters{}, dir / "ok.HIX");
    auto lines = lines_of(dir / "ok.HIX");
    const std::uint8_t data[2] = {1, 2};
    // Into the unused range between the lookups and the forms.
    std::size_t at = line_at(lines, image::form_address(0));
    lines.insert(lines.begin() + static_cast<long>(at), hex_record(0, 0x1800, data, 2));
    write_file(dir / "bad.HIX", text_of(lines));
    CParameters p;
    Loaded r = load(dir / "bad.HIX", p);
    EXPECT_EQ(r.messages, std::vector<std::string>{"Damaged application file: line " + std::to_string(at + 1) +
                                                   " holds data outside the application image"});
}

TEST(DamagedFileMessages, IncompleteCustomFontIsRefused) {
    TempDir dir;
    CParameters p;
    std::vector<std::uint8_t> body(100, 7);
    ASSERT_TRUE(p.startup.setCustomFont(body));
    build_file(p, dir / "ok.HIX");
    auto lines = lines_of(dir / "ok.HIX");
    lines.erase(lines.end() - 2); // the last 4 bytes of the body
    write_file(dir / "bad.HIX", text_of(lines));
    CParameters q;
    Loaded r = load(dir / "bad.HIX", q);
    EXPECT_EQ(r.messages, std::vector<std::string>{"Damaged application file: the custom font holds 96 of its 100 bytes"});
}

TEST(DamagedFileMessages, RangeChecksLeaveTheDefaults) {
    TempDir dir;
    build_file(CParameters{}, dir / "ok.HIX");
    auto lines = lines_of(dir / "ok.HIX");
    // Lookup 1: field 1 offset 451 and maxLength 81; Data 1: yearDigits 2.
    lines = patched(lines, image::lookup_address(0) + 37, {0xC3, 0x01, 81, 0});
    lines = patched(lines, image::data_address(0) + 35, {2});
    lines = patched(lines, image::kLanguageAddress, {3, 1, 9});
    write_file(dir / "odd.HIX", text_of(lines));
    CParameters p = full_definition();
    ASSERT_TRUE(load(dir / "odd.HIX", p).ok);
    EXPECT_EQ(p.lookups[0].fields[0].offset, 0);
    EXPECT_EQ(p.lookups[0].fields[0].maxLength, 1);
    EXPECT_EQ(p.dataFiles[0].yearDigits, 0);
    EXPECT_EQ(p.language.menuFont, 0);
    EXPECT_EQ(p.language.stringFont, 1);
    EXPECT_EQ(p.language.messageFont, 0);
}

TEST(DamagedFileMessages, UnreadableFileFailsSilently) {
    CParameters p;
    Loaded r = load("/nonexistent/app.HIX", p);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.failure, AppFileFailure::Unreadable);
}

} // namespace
