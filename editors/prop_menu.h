// The Menu page: the eight menus, one shown at a time, with font, CLR
// target, header, the variables that store the user's choice, the storage
// rule and ten items with their targets.
#pragma once

#include "editors/prop_page.h"
#include "model/menu.h"
#include "model/parameters.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace formwick {

class CIconButton;

enum MenuPageId {
    kMenuName = 1054,
    kMenuFont = 1017,
    kMenuClr = 1018,
    kMenuUseHeader = 1006,
    kMenuHeader = 1055,
    kMenuStoreHeader = 1056,
    kMenuHeaderVariable = 1020,
    kMenuStoreItemName = 1057,
    kMenuItemNameVariable = 1021,
    kMenuStoreItemNumber = 1058,
    kMenuItemNumberVariable = 1022,
    kMenuSaveOnNext = 1059,
    kMenuDataFile = 1060,
    kMenuItemFirstId = 1061, // item i: name 1061 + 2i, next 1062 + 2i
};
constexpr int menu_item_name_id(int i) { return kMenuItemFirstId + 2 * i; }
constexpr int menu_item_next_id(int i) { return kMenuItemFirstId + 2 * i + 1; }

class CPropMenu final : public CPropPage {
    Q_OBJECT
public:
    explicit CPropMenu(EditorContext& context);

    void loadWorkingCopy(const CParameters& definition) override;
    void commit(CParameters& definition) const override;
    void activate() override;

    int shownMenu() const { return shown_; }

private:
    // One "Data" row: a check box and the button of the variable it fills.
    struct StoreRow {
        QCheckBox* check;
        CIconButton* button;
        std::uint8_t CParamMenu::*flag;
        std::uint8_t CParamMenu::*variable;
    };

    void showMenu(int m);
    void updateEnabled();
    void chooseVariable(StoreRow& row);
    CParamMenu& menu() { return menus_[shown_]; }

    std::array<CParamMenu, kMenuCount> menus_{};
    int shown_ = 0;
    QComboBox* name_;
    QComboBox* font_;
    QComboBox* clr_;
    QCheckBox* useHeader_;
    QLineEdit* header_;
    std::array<StoreRow, 3> stores_{};
    QCheckBox* saveOnNext_;
    QComboBox* dataFile_;
    std::array<QLineEdit*, kMenuItemCount> itemNames_{};
    std::array<QComboBox*, kMenuItemCount> itemNext_{};
};

} // namespace formwick
