// Small helpers the property pages share: controls named by their ids,
// the common lists, the field-reference button and text conversion.
#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <string>
#include <utility>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace formwick {

class CIconButton;

// Wide text of the model <-> the controls' text.
QString to_qstring(const std::u16string& text);
std::u16string to_u16(const QString& text);

// A combo box with objectName `id` holding `entries`.
QComboBox* make_list(QWidget* parent, int id, const QStringList& entries);
// A check box, a line edit taking at most `maxLength` characters, and a
// push button, each with objectName `id`.
QCheckBox* make_check(QWidget* parent, int id, const QString& text);
QLineEdit* make_edit(QWidget* parent, int id, int maxLength);
QPushButton* make_button(QWidget* parent, int id, const QString& text);
// "Form 1" .. "Form <count>" from the pattern "Form %1".
QStringList numbered_entries(const char* pattern, int count);
// "Main menu", "Form 1" .. "Form 8", "Menu 1" .. "Menu 8": the screen targets.
QStringList screen_target_entries();
QStringList data_file_entries(); // "Data 1" .. "Data 3"

// A row of labelled controls ("Name:" list, "Font:" list ...), left aligned.
QHBoxLayout* labelled_row(QWidget* parent, std::initializer_list<std::pair<const char*, QWidget*>> controls);

// The "Storage" group: "Save on Next" and the data file list.
QGroupBox* make_storage_group(QWidget* parent, int checkId, int listId, QCheckBox*& check, QComboBox*& list);

// A dialog label: "&&" in a label text shows as one "&".
QLabel* make_label(QWidget* parent, const QString& text);

// The icon of the buttons that choose a field reference.
QIcon variable_icon();
// A button showing the display name of a field reference.
CIconButton* make_variable_button(QWidget* parent, int id);
void show_field_ref(CIconButton* button, int code);

// Font lists: "Large", "Medium", and "Custom" only while a custom font is
// loaded. Brings the list in line and returns the font to show for
// `storedFont`: a "Custom" font without a custom font shows as "Large".
int sync_font_list(QComboBox* fonts, bool customFontLoaded, int storedFont);

} // namespace formwick
