// The Menu page through its controls.
#include "editors/editor_pages.h"
#include "editors/editor_sheet.h"
#include "editors/prop_menu.h"
#include "tests/editors/editor_test_support.h"
#include "widgets/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace formwick;
using namespace formwick::test;

namespace {

struct MenuFixture : SheetOnPage {
    MenuFixture() {
        definition.menus[0].useHeader = 1;
        definition.menus[0].storeHeader = 1;
        definition.menus[0].headerVariable = 4;
        open(kPageMenu);
    }
};

} // namespace

class MenuPageTest : public QObject {
    Q_OBJECT

private slots:
    void theHeaderBoxGovernsItsControlsButKeepsTheirValues() {
        MenuFixture f;
        QCOMPARE(f.at<QPushButton>(kMenuHeaderVariable)->text(), QStringLiteral("Var 4"));
        QVERIFY(f.at(kMenuHeader)->isEnabled() && f.at(kMenuHeaderVariable)->isEnabled());
        f.at<QCheckBox>(kMenuUseHeader)->click();
        for (int id : {kMenuHeader, kMenuStoreHeader, kMenuHeaderVariable}) QVERIFY(!f.at(id)->isEnabled());
        QVERIFY(f.at<QCheckBox>(kMenuStoreHeader)->isChecked());
        for (auto [box, button] : {std::pair{kMenuStoreItemName, kMenuItemNameVariable},
                                   {kMenuStoreItemNumber, kMenuItemNumberVariable}}) {
            QVERIFY(!f.at(button)->isEnabled());
            f.at<QCheckBox>(box)->click();
            QVERIFY(f.at(button)->isEnabled());
        }
        QVERIFY(!f.at(kMenuDataFile)->isEnabled());
        f.at<QCheckBox>(kMenuSaveOnNext)->click();
        QVERIFY(f.at(kMenuDataFile)->isEnabled());
        f.ok();
        QCOMPARE(f.definition.menus[0].useHeader, std::uint8_t(0));
        QCOMPARE(f.definition.menus[0].storeHeader, std::uint8_t(1));
        QCOMPARE(f.definition.menus[0].storeItemNumber, std::uint8_t(1));
    }

    void storeVariablesOfferOnlyTheTwentyVariables() {
        MenuFixture f;
        f.at<QCheckBox>(kMenuStoreItemName)->click();
        with_modal([&] { f.at<QPushButton>(kMenuItemNameVariable)->click(); },
                   [](QWidget* d) {
                       for (const char* id : {"1064", "1087", "1144", "1282", "1288"})
                           QVERIFY2(!d->findChild<QRadioButton*>(id)->isEnabled(), id);
                       QVERIFY(d->findChild<QRadioButton*>("1084")->isEnabled());
                       d->findChild<QRadioButton*>("1084")->click(); // Variable 20
                       d->findChild<QPushButton*>("IDOK")->click();
                   });
        QCOMPARE(f.at<QPushButton>(kMenuItemNameVariable)->text(), QStringLiteral("Var 20"));
        f.ok();
        QCOMPARE(f.definition.menus[0].itemNameVariable, std::uint8_t(20));
    }

    void switchingMenusKeepsTheEdits() {
        MenuFixture f;
        choose(f.at(kMenuName), 1);
        type_into(f.at(kMenuHeader), QStringLiteral("ignored while off"));
        type_into(f.at(menu_item_name_id(0)), QStringLiteral("Receive"));
        choose(f.at(menu_item_next_id(0)), 3);
        choose(f.at(kMenuName), 4);
        QCOMPARE(f.at<QLineEdit>(menu_item_name_id(0))->text(), QString());
        choose(f.at(kMenuName), 1);
        QCOMPARE(f.at<QLineEdit>(menu_item_name_id(0))->text(), QStringLiteral("Receive"));
        QCOMPARE(f.at<QComboBox>(menu_item_next_id(0))->currentIndex(), 3);
    }

    void okWritesTheEditedMenusBack() {
        MenuFixture f;
        choose(f.at(kMenuName), 2);
        choose(f.at(kMenuClr), 9);
        f.at<QCheckBox>(kMenuUseHeader)->click();
        type_into(f.at(kMenuHeader), QStringLiteral("Caf\u00E9 \u2615"));
        type_into(f.at(menu_item_name_id(9)), QStringLiteral("Last"));
        choose(f.at(menu_item_next_id(9)), 16);
        f.at<QCheckBox>(kMenuSaveOnNext)->click();
        choose(f.at(kMenuDataFile), 1);
        f.ok();
        CParameters expected;
        expected.menus[0] = f.definition.menus[0];
        CParamMenu& m = expected.menus[2];
        m.clrTarget = 9;
        m.useHeader = 1;
        m.setHeaderText(u"Caf\u00E9 \u2615");
        m.setItemName(9, u"Last");
        m.items[9].next = 16;
        m.saveOnNext = 1;
        m.saveDataFile = 1;
        QVERIFY(json_of(f.definition) == json_of(expected));
        QCOMPARE(std::string(text_bytes(f.definition.menus[2].header)), std::string("Caf\xC3\xA9 \xE2\x98\x95"));
    }

    void customFontComesAndGoesWithTheStartupFlag() {
        MenuFixture f;
        auto* fonts = f.at<QComboBox>(kMenuFont);
        QCOMPARE(fonts->count(), 2);
        f.sheet->showPage(kPageForm);
        f.sheet->context().customFontLoaded = true;
        f.sheet->showPage(kPageMenu);
        QCOMPARE(fonts->itemText(2), QStringLiteral("Custom"));
        choose(fonts, 2);
        f.sheet->showPage(kPageForm);
        f.sheet->context().customFontLoaded = false;
        f.sheet->showPage(kPageMenu);
        QCOMPARE(fonts->count(), 2);
        QCOMPARE(fonts->currentText(), QStringLiteral("Large"));
        f.ok();
        QCOMPARE(f.definition.menus[0].font, std::uint8_t(0));
    }

    void cancelLeavesTheDefinitionAsItWas() {
        MenuFixture f;
        const std::string before = json_of(f.definition);
        f.at<QCheckBox>(kMenuUseHeader)->click();
        type_into(f.at(menu_item_name_id(0)), QStringLiteral("Changed"));
        f.sheet->showPage(kPageForm);
        control<QPushButton>(f.sheet.get(), "IDCANCEL")->click();
        QVERIFY(json_of(f.definition) == before);
    }
};

QTEST_MAIN(MenuPageTest)
#include "menu_page_test.moc"
