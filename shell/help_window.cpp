#include "shell/help_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>

namespace formwick {

QString find_user_guide() {
    const QString program = QCoreApplication::applicationDirPath();
    const QStringList folders{
        program + QStringLiteral("/../share/doc/formwick"),
#ifdef FORMWICK_SOURCE_DOCS
        QStringLiteral(FORMWICK_SOURCE_DOCS),
#endif
        QStringLiteral("/usr/share/doc/formwick"),
    };
    for (const QString& folder : folders) {
        const QFileInfo guide(QDir(folder).filePath(QString::fromLatin1(kGuideFile)));
        if (guide.isFile()) return guide.canonicalFilePath();
    }
    return {};
}

QString heading_anchor(const QString& heading) {
    QString anchor;
    for (const QChar c : heading.trimmed().toLower()) {
        if (c.isLetterOrNumber() || c == u'-' || c == u'_')
            anchor += c;
        else if (c == u' ')
            anchor += u'-';
    }
    return anchor;
}

void GuideBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
    const bool samePage = name.scheme().isEmpty() && name.path().isEmpty() && !name.fragment().isEmpty();
    if (!samePage) {
        QTextBrowser::doSetSource(name, type);
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
            if (block.blockFormat().headingLevel() == 0) continue;
            QTextCursor cursor(block);
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            QTextCharFormat format;
            format.setAnchor(true);
            format.setAnchorNames({heading_anchor(block.text())});
            cursor.mergeCharFormat(format);
        }
        document()->setModified(false);
    }
    if (!name.fragment().isEmpty()) scrollToAnchor(name.fragment());
}

HelpWindow::HelpWindow(const QString& guide, QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new GuideBrowser) {
    setObjectName(QStringLiteral("help"));
    setWindowTitle(QStringLiteral("Formwick Help"));
    browser_->setObjectName(QStringLiteral("guide"));
    browser_->setOpenExternalLinks(true);
    browser_->setSource(QUrl::fromLocalFile(guide), QTextDocument::MarkdownResource);

    auto* back = new QPushButton(QStringLiteral("Back"));
    back->setObjectName(QStringLiteral("back"));
    back->setEnabled(false);
    auto* home = new QPushButton(QStringLiteral("Contents"));
    home->setObjectName(QStringLiteral("contents"));
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(home, &QPushButton::clicked, browser_, &QTextBrowser::home);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(home);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
    resize(760, 640);
}

} // namespace formwick
