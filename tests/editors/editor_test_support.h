// Helpers for the editor tests: the definition as JSON text, controls by
// id, and answering a modal dialog that a click opens.
#pragma once

#include "model/parameters.h"

#include <QApplication>
#include <QString>
#include <QTest>
#include <QWidget>

#include <functional>
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

// Runs `open` (which opens a modal dialog) and, once the dialog is shown,
// `drive` on it; `drive` must close the dialog.
void with_modal(const std::function<void()>& open, const std::function<void(QWidget*)>& drive);

// Picks entry `index` of a list as the user does (the page reacts to the
// user's choice, not to the program's).
void choose(QWidget* list, int index);

// Types `text` into a line edit, replacing its text, and moves the focus
// away so the edit stores it.
void type_into(QWidget* edit, const QString& text);

} // namespace formwick::test
