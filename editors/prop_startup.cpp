#include "editors/prop_startup.h"

#include "editors/dlg_preview.h"
#include "editors/editor_pages.h"
#include "editors/font_file.h"
#include "editors/page_controls.h"
#include "editors/picture_file.h"
#include "model/parameters.h"
#include "widgets/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

namespace formwick {

std::u16string format_terminal_id(std::u16string_view text) {
    std::u16string id(text.substr(0, 6));
    id.insert(0, 6 - id.size(), u' ');
    std::replace(id.begin(), id.end(), u' ', u'0');
    return id;
}

int splash_line_count(bool useSplash, int splashFont, int customFontHeight) {
    if (!useSplash) return 0;
    switch (splashFont) {
    case 1: return 128 / 12;
    case 2: return custom_font_lines(customFontHeight);
    default: return 128 / 16;
    }
}

namespace {

QStringList entries(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* t : texts) list << QString::fromUtf8(t);
    return list;
}

// Stores a list's chosen index into a byte of the working copy.
template <class Apply> void on_choice(QComboBox* list, QObject* owner, Apply apply) {
    QObject::connect(list, &QComboBox::activated, owner, [apply](int index) {
        if (index >= 0) apply(index);
    });
}

} // namespace

CPropStartup::CPropStartup(EditorContext& context) : CPropPage(kPageStartup, context) {
    startTarget_ = make_list(this, kStartTarget, entries({"Form1", "Menu1"}));

    // ---- splash screen
    auto* splashGroup = new QGroupBox(QStringLiteral("Splash screen"), this);
    useSplash_ = make_check(splashGroup, kStartUseSplash, "Use custom splash screen");
    splashFont_ = make_list(splashGroup, kStartSplashFont, entries({"Large", "Medium"}));
    auto* linesLayout = new QGridLayout;
    for (int i = 0; i < kSplashLineCount; ++i) {
        splashLines_[i] = make_edit(splashGroup, kStartSplashLineFirst + i, 84);
        linesLayout->addWidget(new QLabel(QStringLiteral("#%1").arg(i + 1), splashGroup), i, 0);
        linesLayout->addWidget(splashLines_[i], i, 1);
        connect(splashLines_[i], &QLineEdit::editingFinished, this,
                [this, i] { startup_.setSplashLine(i, to_u16(splashLines_[i]->text())); });
    }
    loadImage_ = make_button(splashGroup, kStartLoadImage, "Load Image");
    clearImage_ = make_button(splashGroup, kStartClearImage, "Clear Image");
    preview_ = make_button(splashGroup, kStartPreview, "Preview");
    auto* imageRow = new QHBoxLayout;
    imageRow->addWidget(loadImage_);
    imageRow->addWidget(clearImage_);
    imageRow->addWidget(preview_);
    imageRow->addStretch(1);
    auto* splashLayout = new QVBoxLayout(splashGroup);
    splashLayout->addWidget(useSplash_);
    splashLayout->addLayout(labelled_row(splashGroup, {{"Font:", splashFont_}}));
    splashLayout->addLayout(linesLayout);
    splashLayout->addLayout(imageRow);

    // ---- custom font
    auto* fontGroup = new QGroupBox(QStringLiteral("Custom font"), this);
    auto* loadFont = make_button(fontGroup, kStartLoadFont, "Load...");
    clearFont_ = make_button(fontGroup, kStartClearFont, "Clear...");
    // Says what is loaded, so a load that worked is seen to have worked.
    fontInfo_ = new QLabel(fontGroup);
    fontInfo_->setObjectName(QStringLiteral("fontInfo"));
    auto* fontLayout = new QHBoxLayout(fontGroup);
    fontLayout->addWidget(loadFont);
    fontLayout->addWidget(clearFont_);
    fontLayout->addSpacing(8);
    fontLayout->addWidget(fontInfo_, 1);

    // ---- main menu
    auto* menuGroup = new QGroupBox(QStringLiteral("Main menu"), this);
    dateFormat_ = make_list(menuGroup, kStartDateFormat, entries({"YY/MM/DD", "DD/MM/YY"}));
    auto* imagesGroup = new QGroupBox(QStringLiteral("Menu images"), menuGroup);
    auto* imagesLayout = new QGridLayout(imagesGroup);
    for (int i = 0; i < 3; ++i) {
        auto* load = make_button(imagesGroup, kStartMenuImageLoad[i], "Load");
        menuClear_[i] = make_button(imagesGroup, kStartMenuImageClear[i], "Clear");
        menuPreview_[i] = make_button(imagesGroup, kStartMenuImagePreview[i], "Preview");
        imagesLayout->addWidget(new QLabel(QStringLiteral("#%1").arg(i + 1), imagesGroup), i, 0);
        imagesLayout->addWidget(load, i, 1);
        imagesLayout->addWidget(menuClear_[i], i, 2);
        imagesLayout->addWidget(menuPreview_[i], i, 3);
        connect(load, &QPushButton::clicked, this, [this, i] { loadImage(i); });
        connect(menuClear_[i], &QPushButton::clicked, this, [this, i] {
            startup_.menuImages[i][0] = startup_.menuImages[i][1] = 0;
            updateEnabled();
        });
        connect(menuPreview_[i], &QPushButton::clicked, this, [this, i] { preview(i); });
    }
    imagesLayout->setColumnStretch(4, 1);
    auto* menuLayout = new QVBoxLayout(menuGroup);
    menuLayout->addLayout(labelled_row(menuGroup, {{"Date format:", dateFormat_}}));
    menuLayout->addWidget(imagesGroup);

    // ---- backlight, deletion, id
    auto* backlightGroup = new QGroupBox(QStringLiteral("Backlight"), this);
    brightness_ = make_list(backlightGroup, kStartBrightness, entries({"Low", "Medium", "High"}));
    backlightTime_ = make_list(backlightGroup, kStartBacklightTime,
                               entries({"Off", "10 sec.", "20 sec.", "30 sec.", "40 sec.", "50 sec.", "60 sec."}));
    auto* backlightLayout = new QVBoxLayout(backlightGroup);
    backlightLayout->addLayout(labelled_row(backlightGroup, {{"Brightness level:", brightness_}, {"Time:", backlightTime_}}));
    deleteData_ = make_list(this, kStartDeleteData, entries({"No", "Manual Input", "Auto Input", "Communication"}));
    terminalId_ = make_edit(this, kStartTerminalId, 6);
    terminalId_->setFixedWidth(terminalId_->fontMetrics().horizontalAdvance(QStringLiteral("MMMMMM")) + 16);

    // ---- security
    auto* securityGroup = new QGroupBox(QStringLiteral("Security"), this);
    lockSystemMenu_ = make_check(securityGroup, kStartLockSystemMenu, "Lock OS system menu");
    auto* utilitiesGroup = new QGroupBox(QStringLiteral("Utilities menu"), securityGroup);
    lockUtilities_ = make_check(utilitiesGroup, kStartLockUtilities, "Lock utilities menu by password");
    password_ = make_edit(utilitiesGroup, kStartPassword, 10);
    auto* utilitiesLayout = new QVBoxLayout(utilitiesGroup);
    utilitiesLayout->addWidget(lockUtilities_);
    utilitiesLayout->addLayout(labelled_row(utilitiesGroup, {{"Password: ", password_}}));
    auto* securityLayout = new QVBoxLayout(securityGroup);
    securityLayout->addWidget(lockSystemMenu_);
    securityLayout->addWidget(utilitiesGroup);

    applicationVersion_ = make_edit(this, kStartApplicationVersion, 6);
    auto* constantsGroup = new QGroupBox(QStringLiteral("Custom Application Constants"), this);
    auto* constantsLayout = new QGridLayout(constantsGroup);
    for (int i = 0; i < 3; ++i) {
        constants_[i] = make_edit(constantsGroup, kStartConstantFirst + i, 84);
        constantsLayout->addWidget(new QLabel(QStringLiteral("#%1").arg(i + 1), constantsGroup), i, 0);
        constantsLayout->addWidget(constants_[i], i, 1);
        connect(constants_[i], &QLineEdit::editingFinished, this,
                [this, i] { startup_.setConstant(i, to_u16(constants_[i]->text())); });
    }
    protocol_ = make_list(this, kStartProtocol, entries({"Xaplink", "Ryvo"}));

    auto* left = new QVBoxLayout;
    left->addLayout(labelled_row(this, {{"Program starts from:", startTarget_}}));
    left->addWidget(splashGroup);
    left->addWidget(fontGroup);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(menuGroup);
    right->addWidget(backlightGroup);
    right->addLayout(labelled_row(this, {{"Delete data:", deleteData_}, {"Terminal ID:", terminalId_}}));
    right->addWidget(securityGroup);
    right->addLayout(labelled_row(this, {{"Application version:", applicationVersion_}}));
    right->addWidget(constantsGroup);
    right->addLayout(labelled_row(this, {{"Communication protocol", protocol_}}));
    right->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);

    // ---- what each control stores
    on_choice(startTarget_, this, [this](int i) { startup_.startTarget = static_cast<std::uint8_t>(i); });
    connect(useSplash_, &QCheckBox::clicked, this, [this](bool checked) {
        startup_.useCustomSplash = checked ? 1 : 0;
        updateEnabled();
    });
    on_choice(splashFont_, this, [this](int i) {
        startup_.splashFont = static_cast<std::uint8_t>(i);
        updateEnabled();
    });
    connect(loadImage_, &QPushButton::clicked, this, [this] { loadImage(-1); });
    connect(clearImage_, &QPushButton::clicked, this, [this] {
        startup_.splashImage[0] = startup_.splashImage[1] = 0;
        updateEnabled();
    });
    connect(preview_, &QPushButton::clicked, this, [this] { preview(-1); });
    connect(loadFont, &QPushButton::clicked, this, &CPropStartup::loadFont);
    connect(clearFont_, &QPushButton::clicked, this, &CPropStartup::clearFont);
    on_choice(dateFormat_, this, [this](int i) { startup_.dateFormat = static_cast<std::uint8_t>(i); });
    on_choice(brightness_, this, [this](int i) { startup_.brightness = static_cast<std::uint8_t>(i + 1); });
    on_choice(backlightTime_, this, [this](int i) { startup_.backlightTime = static_cast<std::uint8_t>(i); });
    on_choice(deleteData_, this, [this](int i) { startup_.deleteData = static_cast<std::uint8_t>(i); });
    connect(terminalId_, &QLineEdit::editingFinished, this, [this] {
        startup_.setTerminalIdText(format_terminal_id(to_u16(terminalId_->text())));
        terminalId_->setText(to_qstring(startup_.terminalIdText()));
    });
    connect(lockSystemMenu_, &QCheckBox::clicked, this,
            [this](bool checked) { startup_.lockSystemMenu = checked ? 1 : 0; });
    connect(lockUtilities_, &QCheckBox::clicked, this, [this](bool checked) {
        startup_.lockUtilities = checked ? 1 : 0;
        updateEnabled();
    });
    connect(password_, &QLineEdit::editingFinished, this,
            [this] { startup_.setPasswordText(to_u16(password_->text())); });
    connect(applicationVersion_, &QLineEdit::editingFinished, this,
            [this] { startup_.setApplicationVersionText(to_u16(applicationVersion_->text())); });
    on_choice(protocol_, this, [this](int i) {
        if (i <= 1) startup_.protocol = static_cast<std::uint8_t>(i);
    });
}

void CPropStartup::loadWorkingCopy(const CParameters& definition) {
    startup_ = definition.startup;
    showWorkingCopy();
}

void CPropStartup::commit(CParameters& definition) const { definition.startup = startup_; }

bool CPropStartup::deactivate() {
    context().publishFont(startup_);
    return true;
}

void CPropStartup::showWorkingCopy() {
    startTarget_->setCurrentIndex(startup_.startTarget);
    useSplash_->setChecked(startup_.useCustomSplash != 0);
    syncSplashFontList();
    for (int i = 0; i < kSplashLineCount; ++i) splashLines_[i]->setText(to_qstring(startup_.splashLine(i)));
    dateFormat_->setCurrentIndex(startup_.dateFormat);
    brightness_->setCurrentIndex(startup_.brightness - 1);
    backlightTime_->setCurrentIndex(startup_.backlightTime);
    deleteData_->setCurrentIndex(startup_.deleteData);
    terminalId_->setText(to_qstring(startup_.terminalIdText()));
    lockSystemMenu_->setChecked(startup_.lockSystemMenu != 0);
    lockUtilities_->setChecked(startup_.lockUtilities != 0);
    password_->setText(to_qstring(startup_.passwordText()));
    applicationVersion_->setText(to_qstring(startup_.applicationVersionText()));
    for (int i = 0; i < 3; ++i) constants_[i]->setText(to_qstring(startup_.constant(i)));
    protocol_->setCurrentIndex(startup_.protocol);
    updateEnabled();
}

void CPropStartup::syncSplashFontList() {
    // The list follows the font; the stored choice changes only by the
    // user's own selection.
    sync_font_list(splashFont_, startup_.hasCustomFont(), startup_.splashFont);
}

void CPropStartup::updateEnabled() {
    const bool splash = useSplash_->isChecked();
    splashFont_->setEnabled(splash);
    loadImage_->setEnabled(splash);
    preview_->setEnabled(splash);
    clearImage_->setEnabled(splash && startup_.hasSplashImage());
    // The lines follow the font the list shows.
    const int lines = splash_line_count(splash, splashFont_->currentIndex(), startup_.glyphHeight);
    for (int i = 0; i < kSplashLineCount; ++i) splashLines_[i]->setEnabled(i < lines);
    clearFont_->setEnabled(startup_.hasCustomFont());
    fontInfo_->setText(startup_.hasCustomFont()
                           ? QStringLiteral("%1 x %2 pixels").arg(startup_.glyphWidth).arg(startup_.glyphHeight)
                           : QStringLiteral("None loaded"));
    for (int i = 0; i < 3; ++i) {
        menuClear_[i]->setEnabled(startup_.hasMenuImage(i));
        menuPreview_[i]->setEnabled(startup_.hasMenuImage(i));
    }
    password_->setEnabled(lockUtilities_->isChecked());
}

void CPropStartup::loadFont() {
    const QString path = context().dialogs.openFileName(this, QStringLiteral("Open"),
                                                        QString::fromUtf8(kFontFileFilter));
    if (path.isEmpty()) return;
    const std::string error = load_font_file(path.toStdString(), startup_);
    if (!error.empty()) context().dialogs.error(this, QString::fromStdString(error));
    syncSplashFontList();
    updateEnabled();
}

void CPropStartup::clearFont() {
    startup_.clearCustomFont();
    syncSplashFontList();
    updateEnabled();
}

void CPropStartup::loadImage(int slot) {
    const QString path = context().dialogs.openFileName(this, QStringLiteral("Open"),
                                                        QString::fromUtf8(kBitmapFileFilter));
    if (path.isEmpty()) return;
    QString error;
    const PictureSlot rule = slot < 0 ? kSplashSlot : kMenuImageSlot;
    if (convert_picture_file(path, rule, conversion_, error) == 0) {
        context().dialogs.error(this, error);
        return;
    }
    if (slot < 0)
        std::copy_n(conversion_.begin(), kSplashImageSize, startup_.splashImage.begin());
    else
        std::copy_n(conversion_.begin(), kMenuImageSize, startup_.menuImages[slot].begin());
    updateEnabled();
}

void CPropStartup::preview(int slot) {
    const PreviewContent content = slot < 0 ? splash_preview(startup_) : menu_image_preview(startup_, slot);
    if (slot >= 0 && !content.picture) return;
    CDlgPreview dialog(content, this);
    dialog.exec();
}

} // namespace formwick
