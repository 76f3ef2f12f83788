#include "tests/editors/editor_test_support.h"

#include "appfile/definition_json.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

namespace formwick::test {

std::string json_of(const CParameters& definition) {
    std::string text;
    CollectingSink sink;
    if (!definition_to_json(definition, text, sink)) qWarning("definition_to_json failed");
    return text;
}

void with_modal(const std::function<void()>& open, const std::function<void(QWidget*)>& drive) {
    bool driven = false;
    QTimer poll; // stops with this function, so no check outlives it
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (driven || !modal || !modal->isVisible()) return;
        driven = true;
        poll.stop();
        drive(modal);
    });
    poll.start();
    open();
    if (!driven) qWarning("no modal dialog was opened");
}

void choose(QWidget* list, int index) {
    auto* combo = qobject_cast<QComboBox*>(list);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void type_into(QWidget* edit, const QString& text) {
    auto* line = qobject_cast<QLineEdit*>(edit);
    line->setFocus();
    line->selectAll();
    line->clear();
    // QTest types ASCII only; other text goes in as the user's input would.
    bool ascii = true;
    for (QChar c : text) ascii = ascii && c.unicode() < 128;
    if (ascii)
        QTest::keyClicks(line, text);
    else
        line->insert(text);
    // Losing the focus is what stores an edit's text.
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(line, &out);
}

} // namespace formwick::test
