// What the Data and Lookup pages share: the delimiter list, the file name
// edit with its rule, and number edits checked against a range.
#pragma once

#include "model/file_names.h"

#include <QString>
#include <QStringList>

#include <optional>

class QLineEdit;
class QWidget;

namespace formwick {

class CDialogs;

// Comma, semicolon, vertical bar and "<TAB>", in the order of every
// delimiter choice.
QStringList delimiter_entries();

// Takes the text of a file name edit when it loses the focus: an allowed
// name is stored with its index name and true returned; any other text is
// refused with "<text> cannot be used." and the edit shows the stored name
// again.
bool take_file_name(QLineEdit* edit, FileName& fileName, FileName& indexName, CDialogs& dialogs);

// The integer in `edit` when it lies in low..high; otherwise shows "Enter an
// integer between low and high." and gives nothing.
std::optional<int> checked_number(QLineEdit* edit, int low, int high, CDialogs& dialogs);

} // namespace formwick
