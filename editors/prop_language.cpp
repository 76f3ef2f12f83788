#include "editors/prop_language.h"

#include "editors/editor_pages.h"
#include "editors/language_po.h"
#include "editors/page_controls.h"
#include "model/parameters.h"
#include "widgets/dialogs.h"
#include "widgets/edit_grid.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace formwick {

namespace {

// Larger files are refused unread: a translation of these texts is a few
// kilobytes.
constexpr qint64 kMaxPoFileSize = 10 * 1024 * 1024;
// At most this many unknown entries are named in the notice.
constexpr int kUnknownShown = 10;

int CParamLanguage::*const kFontFields[3] = {&CParamLanguage::menuFont, &CParamLanguage::stringFont,
                                            &CParamLanguage::messageFont};

} // namespace

CPropLanguage::CPropLanguage(EditorContext& context) : CPropPage(kPageLanguage, context) {
    const struct {
        const char* title;
        const char* original;
        const char* translated;
        int id;
        int maxLength;
    } grids[3] = {
        {"Menus", "Original menus", "Translated menus", kLanguageMenus, kMenuTextChars},
        {"Strings", "Original strings", "Translated strings", kLanguageStrings, kMenuTextChars},
        {"Messages", "Original messages", "Translated messages", kLanguageMessages, kMessageTextChars},
    };
    auto* top = new QHBoxLayout;
    auto* layout = new QVBoxLayout(this);
    for (int g = 0; g < 3; ++g) {
        auto* group = new QGroupBox(QString::fromUtf8(grids[g].title), this);
        grids_[g] = new CEditGrid(QString::fromUtf8(grids[g].original), QString::fromUtf8(grids[g].translated), group);
        grids_[g]->setObjectName(QString::number(grids[g].id));
        grids_[g]->setMaxLength(grids[g].maxLength);
        const LanguageGroup texts = language_group(g);
        grids_[g]->setRowCountTo(static_cast<int>(texts.originals.size()));
        auto* groupLayout = new QVBoxLayout(group);
        groupLayout->addWidget(grids_[g]);
        if (g < 2)
            top->addWidget(group, 1);
        else
            layout->addWidget(group, 2);
    }
    layout->insertLayout(0, top, 1);

    auto* fontGroup = new QGroupBox(QStringLiteral("Fonts"), this);
    const int fontIds[3] = {kLanguageMenuFont, kLanguageStringFont, kLanguageMessageFont};
    for (int g = 0; g < 3; ++g) {
        fonts_[g] = make_list(fontGroup, fontIds[g], {QStringLiteral("Large"), QStringLiteral("Medium")});
        connect(fonts_[g], &QComboBox::activated, this, [this, g](int index) {
            if (index >= 0 && index <= 2) language_.*kFontFields[g] = index;
        });
    }
    auto* fontLayout = new QVBoxLayout(fontGroup);
    fontLayout->addLayout(labelled_row(fontGroup, {{"Convert Menus:", fonts_[0]},
                                                   {"Convert Strings:", fonts_[1]},
                                                   {"Convert Messages:", fonts_[2]}}));
    QPushButton* saveButton = make_button(this, kLanguageSave, QStringLiteral("Save"));
    QPushButton* loadButton = make_button(this, kLanguageLoad, QStringLiteral("Load"));
    saveButton->setToolTip(QStringLiteral("Save the translations as a PO file for translators"));
    loadButton->setToolTip(QStringLiteral("Load the translations from a PO file"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(saveButton);
    buttons->addWidget(loadButton);
    layout->addWidget(fontGroup);
    layout->addLayout(buttons);

    connect(saveButton, &QPushButton::clicked, this, &CPropLanguage::save);
    connect(loadButton, &QPushButton::clicked, this, &CPropLanguage::load);
}

void CPropLanguage::loadWorkingCopy(const CParameters& definition) {
    language_ = definition.language;
    syncFontLists();
    showTranslations(language_, language_.used != 0);
}

void CPropLanguage::activate() { syncFontLists(); }

void CPropLanguage::syncFontLists() {
    // A stored "Custom" shows as "Large" without a custom font but stays
    // stored until the user picks another entry.
    for (int g = 0; g < 3; ++g) sync_font_list(fonts_[g], context().customFontLoaded, language_.*kFontFields[g]);
}

void CPropLanguage::showTranslations(const CParamLanguage& language, bool translated) {
    for (int g = 0; g < 3; ++g) {
        const LanguageGroup texts = language_group(g);
        for (int i = 0; i < static_cast<int>(texts.originals.size()); ++i) {
            const QString shown = translated ? QString::fromStdString(translation(language, g, i)) : QString();
            grids_[g]->setRow(i, QString::fromUtf8(texts.originals[static_cast<std::size_t>(i)]), shown);
        }
    }
}

CParamLanguage CPropLanguage::withCells() const {
    CParamLanguage language = language_;
    for (int g = 0; g < 3; ++g) {
        for (int i = 0; i < grids_[g]->rowCount(); ++i) {
            const std::u16string text = to_u16(grids_[g]->editText(i));
            // The model's setters cut the text and mark the translations used.
            if (g == kGroupMenus) language.setMenuText(i, text);
            else if (g == kGroupStrings) language.setStringText(i, text);
            else language.setMessageText(i, text);
        }
    }
    return language;
}

void CPropLanguage::commit(CParameters& definition) const { definition.language = withCells(); }

void CPropLanguage::save() {
    const QString path = context().dialogs.saveFileName(this, QStringLiteral("Save translations"),
                                                        QString::fromUtf8(kPoFileFilter),
                                                        QStringLiteral("translations.po"));
    if (path.isEmpty()) return;
    const std::string text = language_to_po(withCells());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), qint64(text.size())) != qint64(text.size()) ||
        !file.commit()) {
        context().dialogs.error(this, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    }
}

void CPropLanguage::load() {
    const QString path = context().dialogs.openFileName(this, QStringLiteral("Load translations"),
                                                        QString::fromUtf8(kPoFileFilter));
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPoFileSize) {
        const QString why = file.isOpen() ? QStringLiteral("the file is too large") : file.errorString();
        context().dialogs.error(this, QStringLiteral("Cannot read %1: %2").arg(path, why));
        return;
    }
    const QByteArray bytes = file.readAll();
    CParamLanguage loaded = withCells();
    std::vector<std::string> unknown;
    std::string error;
    if (!apply_po(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), loaded, unknown,
                  error)) {
        context().dialogs.error(this, QStringLiteral("%1 is not a valid PO file (%2). Nothing was loaded.")
                                          .arg(path, QString::fromStdString(error)));
        return;
    }
    showTranslations(loaded, true);
    if (!unknown.empty()) {
        QString list;
        for (std::size_t i = 0; i < unknown.size() && i < kUnknownShown; ++i)
            list += QStringLiteral("\n") + QString::fromStdString(unknown[i]);
        if (unknown.size() > kUnknownShown) list += QStringLiteral("\n...");
        context().dialogs.information(
            this, QStringLiteral("Load"),
            QStringLiteral("%1 entries of the file are not texts of the terminal and were left out:%2")
                .arg(unknown.size())
                .arg(list));
    }
}

} // namespace formwick
