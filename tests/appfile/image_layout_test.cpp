// The configuration image is a contract with the interpreter on the
// terminal: these tests pin addresses, lengths and offsets of the blocks in
// built files.
#include "appfile/image_blocks.h"
#include "appfile/image_map.h"
#include "full_definition.h"
#include "test_support.h"

using namespace formwick;
using namespace formwick::testing;
using namespace formwick::image;

namespace {

class Image : public ::testing::Test {
protected:
    HexFile built(const CParameters& p) {
        build_file(p, dir / "image.HIX");
        return hex_of(dir / "image.HIX");
    }
    TempDir dir;
};

TEST_F(Image, EveryBlockLiesAtItsAddressWithItsLength) {
    HexFile hex = built(full_definition());
    struct Row {
        std::uint32_t address, slot;
        std::size_t length;
    };
    std::vector<Row> rows = {{kHeaderAddress, kHeaderSlot, 29},
                             {kStartupAddress, kStartupEnd - kStartupAddress, 4742},
                             {kBarcodeAddress, 256, 98},
                             {0x60111700, 256, 77},  // Lookup 3
                             {0x6011A000, 4096, 2325}, // Form 8
                             {0x6011CC00, 1024, 956},  // Menu 8
                             {0x6011D200, 256, 94},    // Data 3
                             {kLanguageAddress, 4, 3},
                             {kMarkerAddress, 12, 4},
                             {kFontHeaderAddress, 16, 16},
                             {kFontBodyAddress, 0x10000, 20 * 1024}};
    for (const Row& r : rows) EXPECT_EQ(hex.bytes_in(r.address, r.address + r.slot), r.length) << std::hex << r.address;
    EXPECT_EQ(hex.bytes_in(0x60111800, 0x60113000), 0u);
}

TEST_F(Image, FreshDefinitionGivesTheDefaultBytes) {
    HexFile hex = built(CParameters{});
    auto startup = image_bytes(hex, kStartupAddress, 24);
    EXPECT_EQ(std::vector<std::uint8_t>(startup.begin(), startup.begin() + 6), (std::vector<std::uint8_t>{0, 2, 1, 0, 0, 0}));
    EXPECT_EQ(std::string(startup.begin() + 17, startup.begin() + 24), std::string("000000\0", 7));
    auto barcode = image_bytes(hex, kBarcodeAddress, 9);
    EXPECT_EQ(barcode, (std::vector<std::uint8_t>{0, 0xFF, 0x1F, 0, 0, 2, 0, 0, 0}));
    EXPECT_EQ(image_bytes(hex, kFontHeaderAddress, 16), (std::vector<std::uint8_t>{0, 0}));
    EXPECT_EQ(hex.bytes_in(kMarkerAddress, 0x60130000), 0u); // no marker, no texts
}

// Fields land at their offsets; each value is distinct so a shifted or
// swapped field shows.
struct Placed {
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
};

void expect_placed(const std::vector<std::uint8_t>& block, const std::vector<Placed>& fields) {
    for (const Placed& f : fields)
        EXPECT_EQ(std::vector<std::uint8_t>(block.begin() + f.offset, block.begin() + f.offset + f.bytes.size()), f.bytes)
            << "offset " << f.offset;
}

template <class R> std::vector<std::uint8_t> encoded(std::size_t (*encode)(const R&, std::uint8_t*), const R& record) {
    std::vector<std::uint8_t> buf(kWorkBufferSize);
    buf.resize(encode(record, buf.data()));
    return buf;
}

TEST(BlockOffsets, StartupWithUtilitiesLockBeforeSystemMenuLock) {
    CParamStartup s;
    s.startTarget = 1;
    s.brightness = 3;
    s.backlightTime = 4;
    s.deleteData = 3;
    s.lockUtilities = 1;
    s.lockSystemMenu = 0;
    set_text_bytes(s.password, "pw");
    set_text_bytes(s.applicationVersion, "V1");
    std::vector<std::uint8_t> font(300, 9);
    font[0] = 12;
    font[1] = 6;
    s.setCustomFont(font);
    s.useCustomSplash = 1;
    s.splashFont = 2;
    s.splashImage[0] = 8;
    s.splashImage[1] = 1;
    s.splashImage[2] = 0xA5;
    set_text_bytes(s.splashLines[9].text, "L10");
    s.dateFormat = 1;
    s.menuImages[2][0] = 8;
    s.menuImages[2][1] = 8;
    s.menuImages[2][513] = 0x77;
    set_text_bytes(s.constants[2], "C3");
    s.protocol = 1;
    std::vector<std::uint8_t> b(kWorkBufferSize);
    ASSERT_EQ(encode_startup(s, b.data()), 4742u);
    expect_placed(b, {{0, {1, 3, 4, 3, 1, 0}},
                      {6, {'p', 'w', 0}},
                      {17, {'0', '0', '0', '0', '0', '0', 0}},
                      {24, {'V', '1', 0}},
                      {31, {44, 1, 0, 0, 12, 6, 1, 2}},
                      {39, {8, 1, 0xA5}},
                      {2089, {0}},
                      {2090 + 9 * 85, {'L', '1', '0', 0}},
                      {2940, {1}},
                      {2941 + 2 * 515, {8, 8}},
                      {2941 + 2 * 515 + 513, {0x77, 0}},
                      {4656, {'C', '3', 0}},
                      {4741, {1}}});
}

TEST(BlockOffsets, AbsentPicturesAreWrittenAsZeros) {
    CParamStartup s;
    s.splashImage.fill(0x55);
    s.splashImage[1] = 0; // no height: not present
    s.menuImages[0].fill(0x66);
    s.menuImages[0][0] = 0;
    std::vector<std::uint8_t> b(kWorkBufferSize);
    encode_startup(s, b.data());
    EXPECT_TRUE(std::all_of(b.begin() + 39, b.begin() + 2089, [](auto v) { return v == 0; }));
    EXPECT_TRUE(std::all_of(b.begin() + 2941, b.begin() + 2941 + 515, [](auto v) { return v == 0; }));
}

TEST(BlockOffsets, BarcodeSystemSettingsKeepOnlyTheirFirst41Bytes) {
    CParameters p;
    p.barcode.readMode = 2;
    p.barcode.readTimeout = 3;
    std::string settings(60, 'x');
    for (int i = 0; i < 60; ++i) settings[i] = static_cast<char>('A' + i % 26);
    set_text_bytes(p.barcode.systemSettings, settings);
    p.code11KorGs1Pdf.pdf417Options = 0x01020304;
    std::vector<std::uint8_t> b(kWorkBufferSize);
    ASSERT_EQ(encode_barcode(p, b.data()), 98u);
    EXPECT_EQ(b[0], 2);
    EXPECT_EQ(std::string(b.begin() + 9, b.begin() + 50), settings.substr(0, 41));
    expect_placed(b, {{5, {3, 0, 0, 0}}, {50, {0xA8, 1, 0, 0}}, {54, {16, 0}}, {58, {0x10, 2}}, {66, {8}},
                      {70, {2}}, {74, {17}}, {78, {3}}, {82, {1}}, {86, {2}}, {90, {3}}, {94, {4, 3, 2, 1}}});
}

TEST(BlockOffsets, LookupBlock) {
    CParamLookup l(3);
    l.used = 1;
    l.fileType = 1;
    l.recordSize = 0x0123;
    l.fieldCount = 10;
    l.delimiter = 3;
    l.badFormatAction = 2;
    l.noMatchAction = 1;
    l.noMatchTarget = 12;
    l.missingAction = 1;
    l.keyField = 4;
    l.fields[9] = {0x1C2, 80};
    auto b = encoded(encode_lookup, l);
    ASSERT_EQ(b.size(), 77u);
    expect_placed(b, {{0, {1, 'L', 'o', 'o', 'k', 'u', 'p', '3', '.', 't', 'x', 't', 0}},
                      {14, {'L', 'o', 'o', 'k', 'u', 'p', '3', '.', 'i', 'd', 'x', 0}},
                      {27, {1, 0x23, 0x01, 10, 3, 2, 1, 12, 1, 4}},
                      {37, {0, 0, 1, 0}},
                      {73, {0xC2, 0x01, 80, 0}}});
}

TEST(BlockOffsets, FormAndItsLines) {
    CParamForm f;
    f.font = 1;
    f.clrTarget = 9;
    f.nextTarget = 3;
    f.saveOnNext = 1;
    f.saveDataFile = 2;
    CFormLine& l = f.lines[9];
    l.dataType = 7;
    set_text_bytes(l.prompt, "P");
    l.inputSource = 1;
    l.minimum = 3;
    l.maximum = 99;
    l.variable = 5;
    l.lookupSource = 4;
    l.more = {3, 2, {}, 6, 1, {}, 1, {}, 1, {}, 1, 30, 1, 2, 1};
    set_text_bytes(l.more.initialText, "I");
    set_text_bytes(l.more.prefix, "X");
    set_text_bytes(l.more.suffix, "Y");
    set_text_bytes(l.more.inputMark, "*");
    auto b = encoded(encode_form, f);
    ASSERT_EQ(b.size(), 2325u);
    std::size_t at = 5 + 9 * 232;
    expect_placed(b, {{0, {1, 9, 3, 1, 2}},
                      {at, {7, 'P', 0}},
                      {at + 86, {1, 3, 0, 99, 0, 5, 4, 3, 2, 'I', 0}},
                      {at + 136, {6, 1, 'X', 0}},
                      {at + 179, {1, 'Y', 0}},
                      {at + 221, {1, '*', 0, 0, 0, 0, 1, 30, 1, 2, 1}}});
}

TEST(BlockOffsets, MenuBlock) {
    CParamMenu m;
    m.font = 2;
    m.clrTarget = 16;
    m.useHeader = 1;
    set_text_bytes(m.header, "H");
    m.storeHeader = 1;
    m.headerVariable = 2;
    m.storeItemName = 1;
    m.itemNameVariable = 3;
    m.storeItemNumber = 1;
    m.itemNumberVariable = 4;
    m.saveOnNext = 1;
    m.saveDataFile = 1;
    set_text_bytes(m.items[9].name, "N");
    m.items[9].next = 11;
    auto b = encoded(encode_menu, m);
    ASSERT_EQ(b.size(), 956u);
    expect_placed(b, {{0, {2, 16, 1, 'H', 0}}, {88, {1, 2, 1, 3, 1, 4, 1, 1}}, {96 + 9 * 86, {'N', 0}}, {955, {11}}});
}

TEST(BlockOffsets, DataFileBlock) {
    CParamData d(2);
    d.recordLength = 0x0201;
    d.fixedSize = 0;
    d.useDelimiter = 1;
    d.delimiter = 3;
    d.fieldCount = 10;
    d.dateMonth = 0;
    d.yearDigits = 1;
    d.dateOrder = 2;
    d.timeSecond = 0;
    d.addDate = 1;
    d.storageMode = 1;
    d.keyField = 7;
    d.fields[9] = {20, 93, 0, 100, 4};
    auto b = encoded(encode_data_file, d);
    ASSERT_EQ(b.size(), 94u);
    expect_placed(b, {{0, {'D', 'a', 't', 'a', '2', '.', 't', 'x', 't', 0}},
                      {13, {'D', 'a', 't', 'a', '2', '.', 'i', 'd', 'x', 0}},
                      {26, {0x01, 0x02, 0, 1, 3, 10, 1, 0, 1, 1, 2, 1, 1, 0, 1, 0, 1, 7}},
                      {89, {20, 93, 0, 100, 4}}});
}

TEST_F(Image, TranslatedTextsGoToTheirSlotsBehindTheMarker) {
    CParameters p;
    p.language.setMenuText(3, u"Drei");
    p.language.setMenuText(12, u"never written");
    p.language.setMessageText(20, u"Message 20");
    p.language.setMessageText(40, u"never written");
    p.language.messageFont = 2;
    HexFile hex = built(p);
    EXPECT_EQ(image_bytes(hex, kLanguageAddress, 4), (std::vector<std::uint8_t>{0, 0, 2}));
    auto marker = image_bytes(hex, kMarkerAddress, 12);
    EXPECT_EQ(std::string(marker.begin(), marker.end()), "LNG:");
    auto slot = image_bytes(hex, 0x6011D310 + 252, 84);
    ASSERT_EQ(slot.size(), 84u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(slot.data())), "Drei");
    EXPECT_EQ(hex.bytes_in(0x6011D310, 0x6011D310 + 252), 0u);
    EXPECT_EQ(hex.bytes_in(menu_text_address(12), string_text_address(0)), 0u);
    EXPECT_EQ(hex.bytes_in(message_text_address(20), message_text_address(21)), 504u);
    EXPECT_EQ(hex.bytes_in(message_text_address(33), kFontHeaderAddress), 0u);
}

TEST_F(Image, FullLengthTextsFillTheirSlotWithoutTerminator) {
    CParameters p;
    std::string message = utf8_text(504, 'm');
    set_text_bytes(p.language.messageTexts[0], message);
    p.language.used = 1;
    HexFile hex = built(p);
    auto slot = image_bytes(hex, message_text_address(0), 504);
    EXPECT_EQ(std::string(slot.begin(), slot.end()), message);
}

TEST_F(Image, FontHeaderCarriesMarkerLengthAndGlyphSizes) {
    CParameters p;
    std::vector<std::uint8_t> body(8196 + 100, 0x11);
    body[0] = body[1] = 0xFE;
    body[8194] = 16;
    body[8195] = 8;
    ASSERT_TRUE(p.startup.setCustomFont(body));
    HexFile hex = built(p);
    auto header = image_bytes(hex, kFontHeaderAddress, 16);
    EXPECT_EQ(std::string(header.begin(), header.begin() + 10), "*FRMWK_CF*");
    expect_placed(header, {{10, {0x68, 0x20, 0, 0, 16, 8}}});
    EXPECT_EQ(image_bytes(hex, kFontBodyAddress, body.size()), body);
}

} // namespace
