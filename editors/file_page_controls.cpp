#include "editors/file_page_controls.h"

#include "editors/page_controls.h"
#include "editors/prop_form.h"
#include "widgets/dialogs.h"

#include <QLineEdit>

namespace formwick {

QStringList delimiter_entries() {
    return {QStringLiteral(","), QStringLiteral(";"), QStringLiteral("|"), QStringLiteral("<TAB>")};
}

bool take_file_name(QLineEdit* edit, FileName& fileName, FileName& indexName, CDialogs& dialogs) {
    const QString typed = edit->text();
    if (!file_name_allowed(to_u16(typed))) {
        dialogs.error(edit->window(), typed + QStringLiteral(" cannot be used."));
        edit->setText(to_qstring(get_wide(fileName)));
        return false;
    }
    set_file_and_index_name(fileName, indexName, to_u16(typed));
    return true;
}

std::optional<int> checked_number(QLineEdit* edit, int low, int high, CDialogs& dialogs) {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    if (ok && value >= low && value <= high) return value;
    dialogs.error(edit->window(), QString::fromUtf8(kMinMaxMessage).arg(low).arg(high));
    return std::nullopt;
}

} // namespace formwick
