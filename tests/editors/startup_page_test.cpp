// The Startup page through its controls: lists, limits, the terminal id,
// enabled states, the custom font and pictures, the preview, and a splash
// screen edited here shown by the terminal as the preview shows it.
#include "appfile/build_application.h"
#include "editors/dlg_preview.h"
#include "editors/editor_pages.h"
#include "editors/editor_sheet.h"
#include "editors/font_file.h"
#include "editors/prop_form.h"
#include "editors/prop_menu.h"
#include "editors/prop_startup.h"
#include "runtime/app/runtime_entry.h"
#include "runtime/runtime_state.h"
#include "simulator/core/display/screen.h"
#include "simulator/core/runner/key_script.h"
#include "simulator/core/runner/simulated_run.h"
#include "tests/editors/editor_test_support.h"
#include "widgets/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>

using namespace formwick;
using namespace formwick::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A plain font file whose every glyph is a frame of height x width.
Bytes font_file(int height, int width) {
    Bytes file;
    for (char c : kFontMagic) file.push_back(static_cast<std::uint8_t>(c));
    file.push_back(static_cast<std::uint8_t>(height));
    file.push_back(static_cast<std::uint8_t>(width));
    const int bands = (height + 7) / 8;
    for (int code = 0; code < 256; ++code) {
        for (int band = 0; band < bands; ++band) {
            for (int x = 0; x < width; ++x) {
                // Column 0 dark from top to bottom, the rest blank but for a
                // dot that tells the codes apart.
                std::uint8_t b = x == 0 ? 0xFF : 0;
                if (band == bands - 1 && x == 1 + code % (width - 1)) b |= 0x40;
                file.push_back(b);
            }
        }
    }
    return file;
}

// An extended font file holding only the codes 32 to 126 and 0xE9 ("é"), so
// a glyph's position differs from its code; each glyph shows its position
// as a dot.
Bytes extended_font_file(int height, int width) {
    Bytes file;
    for (char c : kFontMagic) file.push_back(static_cast<std::uint8_t>(c));
    file.push_back(0xFE);
    file.push_back(0xFE);
    Bytes presence(8192, 0);
    for (int code = 32; code <= 126; ++code) presence[code / 8] |= static_cast<std::uint8_t>(0x80 >> (code % 8));
    presence[0xE9 / 8] |= static_cast<std::uint8_t>(0x80 >> (0xE9 % 8));
    file.insert(file.end(), presence.begin(), presence.end());
    file.push_back(static_cast<std::uint8_t>(height));
    file.push_back(static_cast<std::uint8_t>(width));
    const int bands = (height + 7) / 8;
    for (int glyph = 0; glyph <= 126 - 32 + 1; ++glyph)
        for (int band = 0; band < bands; ++band)
            for (int x = 0; x < width; ++x)
                file.push_back(band == bands - 1 && x == glyph % width ? 0x80 >> (glyph / width % 4) : 0);
    return file;
}

struct StartupFixture : SheetOnPage {
    QTemporaryDir dir;

    StartupFixture() { open(kPageStartup); }
    CPropStartup* startup() { return static_cast<CPropStartup*>(page); }
    void click(int id) { at<QPushButton>(id)->click(); }

    QString write(const QString& name, const Bytes& bytes) {
        const QString path = dir.path() + "/" + name;
        std::ofstream(path.toStdString(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    // Clicks `button` and answers its open-file dialog with `path`.
    void loadThrough(int button, const QString& path) {
        dialogs.fileNames.push_back(path);
        click(button);
    }
    void loadFont(int height, int width) { loadThrough(kStartLoadFont, write("font.bft", font_file(height, width))); }
    QString picture(const QString& name, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int y = 0; y < height; ++y) image.setPixel(std::min(y, width - 1), y, qRgb(0, 0, 0));
        const QString path = dir.path() + "/" + name;
        image.save(path);
        return path;
    }
    QStringList errors() const { return shown(QStringLiteral("error")); }
    int enabledLines() {
        int n = 0;
        for (int i = 0; i < kSplashLineCount; ++i) n += at(kStartSplashLineFirst + i)->isEnabled() ? 1 : 0;
        return n;
    }
};

} // namespace

class StartupPageTest : public QObject {
    Q_OBJECT

private slots:
    void aNewApplicationShowsTheDefaults() {
        StartupFixture f;
        const std::pair<int, const char*> shown[] = {
            {kStartTarget, "Form1"},       {kStartSplashFont, "Large"},   {kStartDateFormat, "YY/MM/DD"},
            {kStartBrightness, "Medium"},  {kStartBacklightTime, "10 sec."}, {kStartDeleteData, "No"},
            {kStartProtocol, "Xaplink"},
        };
        for (auto [id, text] : shown) QCOMPARE(f.at<QComboBox>(id)->currentText(), QString::fromUtf8(text));
        QCOMPARE(f.at<QLineEdit>(kStartTerminalId)->text(), QStringLiteral("000000"));
        QVERIFY(!f.at<QCheckBox>(kStartUseSplash)->isChecked());
        for (int id : std::initializer_list<int>{kStartSplashFont, kStartLoadImage, kStartClearImage, kStartPreview, kStartClearFont,
                       kStartPassword, kStartMenuImageClear[0], kStartMenuImagePreview[2]})
            QVERIFY2(!f.at(id)->isEnabled(), qPrintable(QString::number(id)));
        QCOMPARE(f.enabledLines(), 0);
        QCOMPARE(f.at<QLineEdit>(kStartTerminalId)->maxLength(), 6);
        QCOMPARE(f.at<QLineEdit>(kStartPassword)->maxLength(), 10);
        QCOMPARE(f.at<QLineEdit>(kStartApplicationVersion)->maxLength(), 6);
        QCOMPARE(f.at<QLineEdit>(kStartSplashLineFirst)->maxLength(), 84);
    }

    void terminalIdIsPaddedWithZeros_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("12") << "12" << "000012";
        QTest::newRow("7") << "7" << "000007";
        QTest::newRow("1 space 2") << "1 2" << "000102";
        QTest::newRow("letters kept") << "ABCDEF" << "ABCDEF";
        QTest::newRow("empty") << "" << "000000";
        QTest::newRow("longer text refused while typing") << "1234567" << "123456";
    }
    void terminalIdIsPaddedWithZeros() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        StartupFixture f;
        type_into(f.at(kStartTerminalId), typed);
        QCOMPARE(f.at<QLineEdit>(kStartTerminalId)->text(), stored);
        f.ok();
        QCOMPARE(QString::fromStdString(std::string(text_bytes(f.definition.startup.terminalId))), stored);
    }

    void splashLinesFollowTheFont() {
        StartupFixture f;
        f.loadFont(24, 12);
        f.at<QCheckBox>(kStartUseSplash)->click();
        QCOMPARE(f.enabledLines(), 8);
        for (int id : {kStartSplashFont, kStartLoadImage, kStartPreview}) QVERIFY(f.at(id)->isEnabled());
        QVERIFY(!f.at(kStartClearImage)->isEnabled()); // no picture yet
        choose(f.at(kStartSplashFont), 1);
        QCOMPARE(f.enabledLines(), 10);
        choose(f.at(kStartSplashFont), 2);
        QCOMPARE(f.enabledLines(), 5); // 128 / 24
        QVERIFY(f.at(kStartSplashLineFirst + 4)->isEnabled());
        QVERIFY(!f.at(kStartSplashLineFirst + 5)->isEnabled());
        f.at<QCheckBox>(kStartUseSplash)->click();
        QCOMPARE(f.enabledLines(), 0);
        for (int id : {kStartSplashFont, kStartLoadImage, kStartClearImage, kStartPreview})
            QVERIFY(!f.at(id)->isEnabled());
    }

    void listsStoreTheirValues() {
        StartupFixture f;
        const struct {
            int id, index, stored;
            std::uint8_t CParamStartup::*field;
        } table[] = {
            {kStartTarget, 1, 1, &CParamStartup::startTarget},
            {kStartBrightness, 0, 1, &CParamStartup::brightness},
            {kStartBacklightTime, 6, 6, &CParamStartup::backlightTime},
            {kStartDeleteData, 3, 3, &CParamStartup::deleteData},
            {kStartDateFormat, 1, 1, &CParamStartup::dateFormat},
            {kStartProtocol, 1, 1, &CParamStartup::protocol},
        };
        for (const auto& row : table) choose(f.at(row.id), row.index);
        f.ok();
        for (const auto& row : table) QCOMPARE(int(f.definition.startup.*(row.field)), row.stored);
        StartupFixture g;
        choose(g.at(kStartBrightness), 2);
        g.ok();
        QCOMPARE(int(g.definition.startup.brightness), 3);
    }

    void textsAndLocksAreStored() {
        StartupFixture f;
        QVERIFY(!f.at(kStartPassword)->isEnabled());
        f.at<QCheckBox>(kStartLockUtilities)->click();
        QVERIFY(f.at(kStartPassword)->isEnabled());
        type_into(f.at(kStartPassword), QStringLiteral("secret"));
        f.at<QCheckBox>(kStartLockSystemMenu)->click();
        type_into(f.at(kStartApplicationVersion), QStringLiteral("1.2"));
        f.at<QCheckBox>(kStartUseSplash)->click();
        type_into(f.at(kStartSplashLineFirst + 7), QStringLiteral("Caf\u00E9"));
        type_into(f.at(kStartConstantFirst + 2), QStringLiteral("K-42"));
        // Emptied by the user's own key, as typing an empty text stores nothing.
        auto* third = f.at<QLineEdit>(kStartConstantFirst + 2);
        third->setFocus();
        third->selectAll();
        QTest::keyClick(third, Qt::Key_Backspace);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(third, &out);
        type_into(f.at(kStartConstantFirst), QStringLiteral("first"));
        type_into(f.at(kStartConstantFirst), QStringLiteral("first"));
        f.ok();
        const CParamStartup& s = f.definition.startup;
        QCOMPARE(QString::fromStdString(std::string(text_bytes(s.password))), QStringLiteral("secret"));
        QCOMPARE(int(s.lockUtilities), 1);
        QCOMPARE(int(s.lockSystemMenu), 1);
        QCOMPARE(QString::fromStdString(std::string(text_bytes(s.applicationVersion))), QStringLiteral("1.2"));
        QCOMPARE(std::string(text_bytes(s.splashLines[7].text)), std::string("Caf\xC3\xA9"));
        QCOMPARE(std::string(text_bytes(s.constants[0])), std::string("first"));
        QVERIFY(s.constants[2] == Text<85>{});
    }

    void fontErrorsAreShownAndTheListFollowsTheFont() {
        StartupFixture f;
        auto* fonts = f.at<QComboBox>(kStartSplashFont);
        f.loadThrough(kStartLoadFont, f.write("short.bft", Bytes(17, 0)));
        QCOMPARE(f.errors(), QStringList{"Font file error"});
        QCOMPARE(fonts->count(), 2);
        f.loadFont(16, 8);
        QCOMPARE(fonts->count(), 3);
        QCOMPARE(control<QLabel>(f.page, "fontInfo")->text(), QStringLiteral("8 x 16 pixels"));
        QVERIFY(f.at(kStartClearFont)->isEnabled());
        f.at<QCheckBox>(kStartUseSplash)->click();
        choose(fonts, 2);
        // A font that fails after its body was read leaves no font at all.
        Bytes height11 = font_file(16, 8);
        height11[8] = 11;
        f.loadThrough(kStartLoadFont, f.write("small.bft", height11));
        QCOMPARE(f.errors().last(), QStringLiteral("Error in font size"));
        QCOMPARE(fonts->count(), 2);
        QCOMPARE(fonts->currentText(), QStringLiteral("Large"));
        QVERIFY(!f.at(kStartClearFont)->isEnabled());
        // The stored choice changes only by the user's own selection.
        QCOMPARE(int(f.startup()->workingCopy().splashFont), 2);
        f.loadThrough(kStartLoadFont, QString()); // cancelled: nothing happens
        QCOMPARE(f.errors().size(), 2);
    }

    void clearingTheFontReachesTheOtherPagesWhenTheStartupPageIsLeft() {
        StartupFixture f;
        f.loadFont(24, 12);
        f.sheet->showPage(kPageMenu);
        QCOMPARE(f.sheet->context().customFontLines, 5);
        auto* menuFonts = control<QComboBox>(f.sheet->pageById(kPageMenu), kMenuFont);
        QCOMPARE(menuFonts->count(), 3);
        f.sheet->showPage(kPageStartup);
        f.at<QCheckBox>(kStartUseSplash)->click();
        choose(f.at(kStartSplashFont), 2);
        f.click(kStartClearFont);
        QCOMPARE(f.at<QComboBox>(kStartSplashFont)->currentText(), QStringLiteral("Large"));
        QVERIFY(f.sheet->context().customFontLoaded); // not before leaving the page
        f.sheet->showPage(kPageMenu);
        QVERIFY(!f.sheet->context().customFontLoaded);
        QCOMPARE(menuFonts->count(), 2);
        f.ok();
        QVERIFY(!f.definition.startup.hasCustomFont());
    }

    void picturesLoadIntoTheirSlots() {
        StartupFixture f;
        f.at<QCheckBox>(kStartUseSplash)->click();
        f.loadThrough(kStartLoadImage, f.picture("wide.bmp", 200, 40));
        QVERIFY(f.at(kStartClearImage)->isEnabled());
        f.loadThrough(kStartMenuImageLoad[1], f.picture("small.png", 10, 3));
        QVERIFY(f.at(kStartMenuImageClear[1])->isEnabled());
        QVERIFY(f.at(kStartMenuImagePreview[1])->isEnabled());
        QVERIFY(!f.at(kStartMenuImagePreview[0])->isEnabled());
        // A bad file changes nothing and says why.
        const auto before = f.startup()->workingCopy().splashImage;
        f.loadThrough(kStartLoadImage, f.write("bad.bmp", Bytes(40, 'B')));
        QCOMPARE(f.errors(), QStringList{"Cannot load bitmap image"});
        QVERIFY(f.startup()->workingCopy().splashImage == before);
        f.ok();
        const CParamStartup& s = f.definition.startup;
        QCOMPARE(int(s.splashImage[0]), 128);
        QCOMPARE(int(s.splashImage[1]), 40);
        QCOMPARE(int(s.splashImage[2 + 16 * 39 + 4]), 0x01); // pixel (39, 39)
        QCOMPARE(int(s.menuImages[1][0]), 64);
        QCOMPARE(int(s.menuImages[1][1]), 64);
        QCOMPARE(int(s.menuImages[1][2 + 8 * 2]), 0x20); // pixel (2, 2)
        QCOMPARE(int(s.menuImages[1][2 + 8 * 3]), 0);    // padded white
        QVERIFY(!s.hasMenuImage(0));
    }

    void clearingAPictureEmptiesItsSlot() {
        StartupFixture f;
        f.at<QCheckBox>(kStartUseSplash)->click();
        f.loadThrough(kStartLoadImage, f.picture("a.png", 20, 20));
        f.loadThrough(kStartMenuImageLoad[2], f.picture("b.png", 20, 20));
        f.click(kStartClearImage);
        f.click(kStartMenuImageClear[2]);
        QVERIFY(!f.at(kStartClearImage)->isEnabled());
        QVERIFY(!f.at(kStartMenuImagePreview[2])->isEnabled());
        f.ok();
        QVERIFY(!f.definition.startup.hasSplashImage());
        QVERIFY(!f.definition.startup.hasMenuImage(2));
    }

    void previewsDrawOnTheEmulatedDisplay() {
        StartupFixture f;
        f.at<QCheckBox>(kStartUseSplash)->click();
        f.loadThrough(kStartMenuImageLoad[0], f.picture("m.png", 64, 64));
        bool diagonal = false;
        with_modal([&] { f.click(kStartMenuImagePreview[0]); },
                   [&](QWidget* d) {
                       QCOMPARE(d->windowTitle(), QStringLiteral("Preview"));
                       const CStatDisplay& display = static_cast<CDlgPreview*>(d)->display();
                       // The picture sits at (32, 50).
                       diagonal = display.is_dark(32, 50) && display.is_dark(95, 113) && !display.is_dark(31, 50);
                       d->close();
                   });
        QVERIFY(diagonal);
        type_into(f.at(kStartSplashLineFirst), QStringLiteral("HELLO"));
        int rows = 0;
        with_modal([&] { f.click(kStartPreview); },
                   [&](QWidget* d) {
                       const CStatDisplay& display = static_cast<CDlgPreview*>(d)->display();
                       rows = display.state().rows;
                       d->close();
                   });
        QCOMPARE(rows, 8); // the 8 x 16 font
    }

    void theTerminalShowsTheSplashScreenAsThePreviewDoes_data() {
        QTest::addColumn<bool>("extended");
        QTest::newRow("plain font") << false;
        QTest::newRow("extended font") << true;
    }
    void theTerminalShowsTheSplashScreenAsThePreviewDoes() {
        QFETCH(bool, extended);
        StartupFixture f;
        if (extended)
            f.loadThrough(kStartLoadFont, f.write("wide.bft", extended_font_file(16, 8)));
        else
            f.loadFont(24, 12);
        f.at<QCheckBox>(kStartUseSplash)->click();
        choose(f.at(kStartSplashFont), 2);
        f.loadThrough(kStartLoadImage, f.picture("splash.png", 128, 30));
        type_into(f.at(kStartSplashLineFirst + 2), QStringLiteral("WELCOME"));
        type_into(f.at(kStartSplashLineFirst + 4), QStringLiteral("v1 ~ Az \u00E9"));
        Screen previewed;
        with_modal([&] { f.click(kStartPreview); },
                   [&](QWidget* d) {
                       previewed = compose_screen(static_cast<CDlgPreview*>(d)->display());
                       d->close();
                   });
        f.ok();
        QVERIFY(f.errors().isEmpty());

        const std::filesystem::path folder = f.dir.path().toStdString();
        const std::string failure = build_load_and_run(f.definition, folder, "WAIT 1\nSCREEN PIXELS \"splash.txt\"\n");
        QVERIFY2(failure.empty(), failure.c_str());
        const std::string shown = file_text(folder / "splash.txt");
        const std::string expected = screen_text_art(previewed);
        // The picture fills rows 0 to 29; the lines below it are drawn too.
        int textPixels = 0;
        for (int y = 30; y < previewed.height; ++y)
            for (int x = 0; x < previewed.width; ++x) textPixels += previewed.dark(x, y) ? 1 : 0;
        QVERIFY(textPixels > 10);
        QCOMPARE(QString::fromStdString(shown), QString::fromStdString(expected));
    }
};

QTEST_MAIN(StartupPageTest)
#include "startup_page_test.moc"
