// The user guide in a window of its own: docs/guide.md and the pages it
// links, shown by a text browser. The guide is looked for beside an
// installed program (share/doc/formwick), in the source tree of a build,
// and in /usr/share/doc/formwick.
#pragma once

#include <QString>
#include <QTextBrowser>
#include <QWidget>


namespace formwick {

inline constexpr const char* kGuideFile = "guide.md";

// The guide's path; empty when it is nowhere.
QString find_user_guide();

// The anchor a heading gets, as Markdown pages link to it: "The road of one
// application" is "the-road-of-one-application".
QString heading_anchor(const QString& heading);

// A text browser whose Markdown headings are anchors, so the pages' links
// to "#a-heading" (and "page.md#a-heading") lead there.
class GuideBrowser : public QTextBrowser {
    Q_OBJECT
public:
    using QTextBrowser::QTextBrowser;

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& guide, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }

private:
    GuideBrowser* browser_;
};

} // namespace formwick
