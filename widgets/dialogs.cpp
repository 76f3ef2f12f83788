#include "widgets/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace formwick {

QString qt_file_filter(const QString& pipes) {
    QStringList parts = pipes.split(u'|');
    while (!parts.isEmpty() && parts.back().isEmpty()) parts.removeLast();
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        // The name already shows the patterns; Qt reads them from the
        // parentheses, so they are rewritten there from the pattern part.
        QString name = parts[i];
        name.remove(QRegularExpression(QStringLiteral("\\s*\\([^)]*\\)\\s*$")));
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            if (pattern == QStringLiteral("*.*")) {
                patterns << QStringLiteral("*");
                continue;
            }
            for (const QString& variant : {pattern, pattern.toLower(), pattern.toUpper()})
                if (!patterns.contains(variant)) patterns << variant;
        }
        filters << name + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters.join(QStringLiteral(";;"));
}

void CQtDialogs::error(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QStringLiteral("Error"), text);
}

void CQtDialogs::information(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text);
}

DialogAnswer CQtDialogs::question(QWidget* parent, const QString& title, const QString& text) {
    switch (QMessageBox::question(parent, title, text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes: return DialogAnswer::Yes;
    case QMessageBox::No: return DialogAnswer::No;
    default: return DialogAnswer::Cancel;
    }
}

QString CQtDialogs::openFileName(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, QString(), qt_file_filter(filter));
}

QString CQtDialogs::saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& suggested) {
    return QFileDialog::getSaveFileName(parent, title, suggested, qt_file_filter(filter));
}

void CScriptedDialogs::error(QWidget*, const QString& text) {
    shown.push_back({QStringLiteral("error"), QStringLiteral("Error"), text});
}

void CScriptedDialogs::information(QWidget*, const QString& title, const QString& text) {
    shown.push_back({QStringLiteral("information"), title, text});
}

DialogAnswer CScriptedDialogs::question(QWidget*, const QString& title, const QString& text) {
    shown.push_back({QStringLiteral("question"), title, text});
    if (answers.empty()) return DialogAnswer::Cancel;
    const DialogAnswer a = answers.front();
    answers.pop_front();
    return a;
}

QString CScriptedDialogs::openFileName(QWidget*, const QString& title, const QString&) {
    shown.push_back({QStringLiteral("open"), title, QString()});
    if (fileNames.empty()) return QString();
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QString CScriptedDialogs::saveFileName(QWidget*, const QString& title, const QString&,
                                       const QString& suggested) {
    shown.push_back({QStringLiteral("save"), title, suggested});
    if (fileNames.empty()) return QString();
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QStringList CScriptedDialogs::texts() const {
    QStringList t;
    for (const Shown& s : shown) t << s.text;
    return t;
}

} // namespace formwick
