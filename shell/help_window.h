// The user guide in a window of its own: docs/guide.md and the pages it
// links, shown by a text browser. The guide is looked for beside an
// installed program (share/doc/formwick), in the source tree of a build,
// and in /usr/share/doc/formwick.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace formwick {

inline constexpr const char* kGuideFile = "guide.md";

// The guide's path; empty when it is nowhere.
QString find_user_guide();

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& guide, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

} // namespace formwick
