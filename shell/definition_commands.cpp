// The main window's commands that change or write the definition: Edit,
// New Application, Load Build Application, Build Application, and the save
// question before New, Load and Exit.
#include "appfile/build_application.h"
#include "editors/editor_sheet.h"
#include "shell/definition_file.h"
#include "shell/formwick_dlg.h"
#include "widgets/dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace formwick {

namespace {
constexpr const char* kAppFileFilter = "FORMWICK Files (*.HIX)|*.HIX|All Files (*.*)|*.*||";
// Definitions are also kept as JSON text (in version control, say).
constexpr const char* kLoadFilter =
    "FORMWICK Files (*.HIX)|*.HIX|Formwick definitions (*.JSON)|*.JSON|All Files (*.*)|*.*||";
constexpr const char* kLastFolderKey = "Files/LastFolder";
} // namespace

QString CFormwickDlg::last_folder() const {
    const QString folder = QSettings("Formwick", "Formwick").value(kLastFolderKey).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void CFormwickDlg::remember_folder(const QString& file) {
    QSettings("Formwick", "Formwick").setValue(kLastFolderKey, QFileInfo(file).absolutePath());
}

bool CFormwickDlg::ask_save() {
    if (!dirty_) return true;
    switch (dialogs_.question(this, QString::fromLatin1(kMainWindowTitle), QString::fromLatin1(kSaveQuestion))) {
    case DialogAnswer::Cancel: return false;
    case DialogAnswer::Yes:
        build_application();
        // Still dirty: the save dialog was cancelled or the build failed.
        return !dirty_;
    case DialogAnswer::No: dirty_ = false; return true;
    }
    return false;
}

void CFormwickDlg::cmd_edit() {
    session().stop();
    if (edit_definition(definition_, dialogs_, this)) dirty_ = true;
    restart_run();
}

void CFormwickDlg::cmd_new() {
    if (!ask_save()) return;
    session().stop();
    definition_.reset();
    restart_run();
    dirty_ = false;
}

void CFormwickDlg::cmd_load() {
    if (!ask_save()) return;
    const QString path =
        dialogs_.openFileName(this, QStringLiteral("Load Build Application"), QString::fromLatin1(kLoadFilter),
                              last_folder());
    if (path.isEmpty()) return;
    remember_folder(path);
    std::vector<std::string> messages;
    // A refused file leaves the definition, and the run on it, as they were.
    if (read_definition_file(path.toStdString(), definition_, messages)) {
        session().stop();
        restart_run();
    } else {
        for (const std::string& m : messages) dialogs_.error(this, QString::fromStdString(m));
    }
    dirty_ = false;
}

void CFormwickDlg::cmd_build() { build_application(); }

bool CFormwickDlg::build_application() {
    QString path = dialogs_.saveFileName(this, QStringLiteral("Build Application"), QString::fromLatin1(kAppFileFilter),
                                         last_folder());
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".HIX");
    remember_folder(path);
    CollectingSink sink;
    CBuildApplication builder(path.toStdString(), sink);
    const bool built = builder.build(definition_);
    for (const std::string& m : sink.messages) dialogs_.error(this, QString::fromStdString(m));
    // A failed build keeps the changes marked as unsaved, so Exit still asks.
    if (built) dirty_ = false;
    return true;
}

} // namespace formwick
