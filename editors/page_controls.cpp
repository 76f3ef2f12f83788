#include "editors/page_controls.h"

#include "model/field_refs.h"
#include "widgets/icon_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QPainter>
#include <QPixmap>

namespace formwick {

QString to_qstring(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string to_u16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

QComboBox* make_list(QWidget* parent, int id, const QStringList& entries) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::number(id));
    list->addItems(entries);
    return list;
}

QCheckBox* make_check(QWidget* parent, int id, const QString& text) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::number(id));
    return box;
}

QLineEdit* make_edit(QWidget* parent, int id, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    edit->setMaxLength(maxLength);
    return edit;
}

QPushButton* make_button(QWidget* parent, int id, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::number(id));
    return button;
}

QStringList numbered_entries(const char* pattern, int count) {
    QStringList entries;
    for (int i = 1; i <= count; ++i) entries << QString::fromUtf8(pattern).arg(i);
    return entries;
}

QStringList screen_target_entries() {
    return QStringList{QStringLiteral("Main menu")} + numbered_entries("Form %1", 8) +
           numbered_entries("Menu %1", 8);
}

QStringList data_file_entries() { return numbered_entries("Data %1", 3); }

QHBoxLayout* labelled_row(QWidget* parent, std::initializer_list<std::pair<const char*, QWidget*>> controls) {
    auto* row = new QHBoxLayout;
    for (auto [label, control] : controls) {
        row->addWidget(make_label(parent, QString::fromUtf8(label)));
        row->addWidget(control);
        row->addSpacing(8);
    }
    row->addStretch(1);
    return row;
}

QGroupBox* make_storage_group(QWidget* parent, int checkId, int listId, QCheckBox*& check, QComboBox*& list) {
    auto* group = new QGroupBox(QStringLiteral("Storage"), parent);
    check = new QCheckBox(QStringLiteral("Save on Next"), group);
    check->setObjectName(QString::number(checkId));
    list = make_list(group, listId, data_file_entries());
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(check);
    layout->addWidget(list);
    layout->addStretch(1);
    return group;
}

QLabel* make_label(QWidget* parent, const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
    auto* label = new QLabel(shown, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QIcon variable_icon() {
    // A small tag with an "x": drawn here so it scales with the screen.
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal u = size / 16.0;
        p.setPen(QPen(QColor(16, 118, 179), u));
        p.setBrush(QColor(220, 236, 248));
        p.drawRoundedRect(QRectF(1.5 * u, 2.5 * u, 13 * u, 11 * u), 2 * u, 2 * u);
        p.setPen(QPen(QColor(16, 118, 179), 1.6 * u, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5.5 * u, 5.5 * u), QPointF(10.5 * u, 10.5 * u));
        p.drawLine(QPointF(10.5 * u, 5.5 * u), QPointF(5.5 * u, 10.5 * u));
        p.end();
        icon.addPixmap(picture);
    }
    return icon;
}

CIconButton* make_variable_button(QWidget* parent, int id) {
    auto* button = new CIconButton(variable_icon(), QStringLiteral("Nil"), parent);
    button->setObjectName(QString::number(id));
    // Wide enough for the longest display name ("Look 1-10").
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("Look 1-10")) + 40);
    return button;
}

void show_field_ref(CIconButton* button, int code) {
    button->setText(to_qstring(std::u16string(field_ref_name(code))));
}

int sync_font_list(QComboBox* fonts, bool customFontLoaded, int storedFont) {
    const bool blocked = fonts->blockSignals(true);
    if (customFontLoaded && fonts->count() < 3) fonts->addItem(QStringLiteral("Custom"));
    if (!customFontLoaded && fonts->count() > 2) fonts->removeItem(2);
    const int shown = storedFont >= 0 && storedFont < fonts->count() ? storedFont : 0;
    fonts->setCurrentIndex(shown);
    fonts->blockSignals(blocked);
    return shown;
}

} // namespace formwick
