#include "editors/prop_menu.h"

#include "editors/editor_pages.h"
#include "editors/page_controls.h"
#include "editors/variable_dlg.h"
#include "widgets/icon_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace formwick {

CPropMenu::CPropMenu(EditorContext& context) : CPropPage(kPageMenu, context) {
    name_ = make_list(this, kMenuName, numbered_entries("Menu %1", kMenuCount));
    font_ = make_list(this, kMenuFont, {QStringLiteral("Large"), QStringLiteral("Medium")});
    clr_ = make_list(this, kMenuClr, screen_target_entries());
    QHBoxLayout* top = labelled_row(this, {{"Name:", name_}, {"Font:", font_}, {"CLR Key:", clr_}});

    auto* headerGroup = new QGroupBox(QStringLiteral("Menu Header"), this);
    useHeader_ = new QCheckBox(QStringLiteral("Use Menu header"), headerGroup);
    useHeader_->setObjectName(QString::number(kMenuUseHeader));
    header_ = new QLineEdit(headerGroup);
    header_->setObjectName(QString::number(kMenuHeader));
    header_->setMaxLength(84);
    auto* headerLayout = new QHBoxLayout(headerGroup);
    headerLayout->addWidget(useHeader_);
    headerLayout->addWidget(header_, 1);

    auto* dataGroup = new QGroupBox(QStringLiteral("Data"), this);
    auto* dataLayout = new QGridLayout(dataGroup);
    const struct {
        int checkId, buttonId;
        const char* label;
        std::uint8_t CParamMenu::*flag;
        std::uint8_t CParamMenu::*variable;
    } storeTable[3] = {
        {kMenuStoreHeader, kMenuHeaderVariable, "Store Header", &CParamMenu::storeHeader,
         &CParamMenu::headerVariable},
        {kMenuStoreItemName, kMenuItemNameVariable, "Store Item name", &CParamMenu::storeItemName,
         &CParamMenu::itemNameVariable},
        {kMenuStoreItemNumber, kMenuItemNumberVariable, "Store Item number", &CParamMenu::storeItemNumber,
         &CParamMenu::itemNumberVariable},
    };
    for (int k = 0; k < 3; ++k) {
        StoreRow& row = stores_[k];
        row.check = new QCheckBox(QString::fromUtf8(storeTable[k].label), dataGroup);
        row.check->setObjectName(QString::number(storeTable[k].checkId));
        row.button = make_variable_button(dataGroup, storeTable[k].buttonId);
        row.flag = storeTable[k].flag;
        row.variable = storeTable[k].variable;
        dataLayout->addWidget(row.check, k, 0);
        dataLayout->addWidget(row.button, k, 1, Qt::AlignLeft);
        connect(row.check, &QCheckBox::clicked, this, [this, k](bool checked) {
            menu().*(stores_[k].flag) = checked ? 1 : 0;
            updateEnabled();
        });
        connect(row.button, &QPushButton::clicked, this, [this, k] { chooseVariable(stores_[k]); });
    }
    dataLayout->setColumnStretch(2, 1);

    QGroupBox* storageGroup = make_storage_group(this, kMenuSaveOnNext, kMenuDataFile, saveOnNext_, dataFile_);

    auto* itemsLayout = new QGridLayout;
    itemsLayout->addWidget(make_label(this, QStringLiteral("Item name")), 0, 1);
    itemsLayout->addWidget(make_label(this, QStringLiteral("Next")), 0, 2);
    for (int i = 0; i < kMenuItemCount; ++i) {
        itemNames_[i] = new QLineEdit(this);
        itemNames_[i]->setObjectName(QString::number(menu_item_name_id(i)));
        itemNames_[i]->setMaxLength(84);
        itemNext_[i] = make_list(this, menu_item_next_id(i), screen_target_entries());
        itemsLayout->addWidget(new QLabel(QStringLiteral("#%1").arg(i + 1), this), i + 1, 0);
        itemsLayout->addWidget(itemNames_[i], i + 1, 1);
        itemsLayout->addWidget(itemNext_[i], i + 1, 2);
        connect(itemNames_[i], &QLineEdit::editingFinished, this,
                [this, i] { menu().setItemName(i, to_u16(itemNames_[i]->text())); });
        connect(itemNext_[i], &QComboBox::activated, this, [this, i](int index) {
            if (index >= 0) menu().items[i].next = static_cast<std::uint8_t>(index);
        });
    }
    itemsLayout->setColumnStretch(1, 1);

    auto* side = new QVBoxLayout;
    side->addWidget(dataGroup);
    side->addWidget(storageGroup);
    side->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(itemsLayout, 1);
    middle->addLayout(side);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(headerGroup);
    layout->addLayout(middle);
    layout->addStretch(1);

    connect(name_, &QComboBox::activated, this, &CPropMenu::showMenu);
    connect(font_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) menu().font = static_cast<std::uint8_t>(index);
    });
    connect(clr_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) menu().clrTarget = static_cast<std::uint8_t>(index);
    });
    connect(useHeader_, &QCheckBox::clicked, this, [this](bool checked) {
        menu().useHeader = checked ? 1 : 0;
        updateEnabled();
    });
    connect(header_, &QLineEdit::editingFinished, this,
            [this] { menu().setHeaderText(to_u16(header_->text())); });
    connect(saveOnNext_, &QCheckBox::clicked, this, [this](bool checked) {
        menu().saveOnNext = checked ? 1 : 0;
        updateEnabled();
    });
    connect(dataFile_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) menu().saveDataFile = static_cast<std::uint8_t>(index);
    });
}

void CPropMenu::loadWorkingCopy(const CParameters& definition) {
    menus_ = definition.menus;
    name_->setCurrentIndex(0);
    showMenu(0);
}

void CPropMenu::commit(CParameters& definition) const { definition.menus = menus_; }

void CPropMenu::activate() {
    menu().font = static_cast<std::uint8_t>(sync_font_list(font_, context().customFontLoaded, menu().font));
}

void CPropMenu::showMenu(int m) {
    if (m < 0 || m >= kMenuCount) return;
    shown_ = m; // shown again even when it already is
    CParamMenu& shown = menu();
    // A "Custom" font without a custom font to use shows, and becomes, "Large".
    shown.font = static_cast<std::uint8_t>(sync_font_list(font_, context().customFontLoaded, shown.font));
    clr_->setCurrentIndex(shown.clrTarget);
    useHeader_->setChecked(shown.useHeader != 0);
    header_->setText(to_qstring(shown.headerText()));
    for (StoreRow& row : stores_) {
        row.check->setChecked(shown.*(row.flag) != 0);
        show_field_ref(row.button, shown.*(row.variable));
    }
    saveOnNext_->setChecked(shown.saveOnNext != 0);
    dataFile_->setCurrentIndex(shown.saveDataFile);
    for (int i = 0; i < kMenuItemCount; ++i) {
        itemNames_[i]->setText(to_qstring(shown.itemName(i)));
        itemNext_[i]->setCurrentIndex(shown.items[i].next);
    }
    updateEnabled();
}

void CPropMenu::updateEnabled() {
    const bool header = useHeader_->isChecked();
    header_->setEnabled(header);
    stores_[0].check->setEnabled(header);
    stores_[0].button->setEnabled(header && stores_[0].check->isChecked());
    stores_[1].button->setEnabled(stores_[1].check->isChecked());
    stores_[2].button->setEnabled(stores_[2].check->isChecked());
    dataFile_->setEnabled(saveOnNext_->isChecked());
}

void CPropMenu::chooseVariable(StoreRow& row) {
    VariableModes modes;
    modes.variablesOnly = true;
    if (const std::optional<int> chosen = CVariableDlg::choose(this, menu().*(row.variable), modes)) {
        menu().*(row.variable) = static_cast<std::uint8_t>(*chosen);
        show_field_ref(row.button, *chosen);
    }
}

} // namespace formwick
