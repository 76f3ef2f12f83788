// Helpers for the editor tests: the definition as JSON text, controls by
// id, and answering a modal dialog that a click opens.
#pragma once

#include "editors/editor_sheet.h"
#include "model/parameters.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace formwick::test {

std::string json_of(const CParameters& definition);

// The control with this id below `root`; fails the test when missing.
template <class T> T* control(QWidget* root, const QString& id) {
    T* found = root->findChild<T*>(id);
    if (!found) qWarning("no control %s", qPrintable(id));
    return found;
}
template <class T> T* control(QWidget* root, int id) { return control<T>(root, QString::number(id)); }

// The editor sheet on a definition, showing one page; controls of the page
// by id, the sheet's OK, and the message boxes shown. Fill `definition`
// before `open`, or have `prepare` fill it (for a fixture whose constructor
// opens the sheet).
struct SheetOnPage {
    using Prepare = std::function<void(CParameters&)>;

    CParameters definition;
    CScriptedDialogs dialogs;
    std::unique_ptr<CEditorSheet> sheet;
    QWidget* page = nullptr;
    void open(int pageId, const Prepare& prepare = {}) {
        if (prepare) prepare(definition);
        sheet = std::make_unique<CEditorSheet>(definition, dialogs);
        sheet->showPage(pageId);
        page = sheet->pageById(pageId);
    }
    template <class T = QWidget> T* at(int id) { return control<T>(page, id); }
    void ok() { control<QPushButton>(sheet.get(), "IDOK")->click(); }
    // The texts of the boxes of one kind ("error", "information", ...) shown.
    QStringList shown(const QString& kind) const {
        QStringList texts;
        for (const auto& box : dialogs.shown)
            if (box.kind == kind) texts << box.text;
        return texts;
    }
};

// Runs `open` (which opens a modal dialog) and, once the dialog is shown,
// `drive` on it; `drive` must close the dialog.
void with_modal(const std::function<void()>& open, const std::function<void(QWidget*)>& drive);

// Picks entry `index` of a list as the user does (the page reacts to the
// user's choice, not to the program's).
void choose(QWidget* list, int index);

// Types `text` into a line edit, replacing its text, and moves the focus
// away so the edit stores it.
void type_into(QWidget* edit, const QString& text);

// Builds `definition` into an application file in `folder`, loads it back
// (it must come back unchanged) and runs it headless with the key script
// `script` on the RAM disk folder/RAM_DISK, saving screens in `folder`.
// Empty when every step and expectation passed, else what failed.
std::string build_load_and_run(const CParameters& definition, const std::filesystem::path& folder, const std::string& script);

// The whole content of a file, empty when it cannot be read.
std::string file_text(const std::filesystem::path& path);

} // namespace formwick::test
