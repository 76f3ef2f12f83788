// The dialog seam: every message box, question and file dialog of the
// windows goes through this interface. The program uses CQtDialogs; tests
// use CScriptedDialogs, which records what would have been shown and gives
// scripted answers, so no test ever blocks on a dialog.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

class QWidget;

namespace formwick {

enum class DialogAnswer { Yes, No, Cancel };

class CDialogs {
public:
    virtual ~CDialogs() = default;
    // A failure: title "Error", error icon, OK.
    virtual void error(QWidget* parent, const QString& text) = 0;
    // A notice with its own title, information icon, OK.
    virtual void information(QWidget* parent, const QString& title, const QString& text) = 0;
    // A question with Yes, No and Cancel and the question icon.
    virtual DialogAnswer question(QWidget* parent, const QString& title, const QString& text) = 0;
    // File dialogs take filters in the "Name (*.X)|*.X||" form; an empty
    // result means the user cancelled.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& suggested) = 0;
};

// "Text files (*.txt)|*.txt|All files (*.*)|*.*||" -> Qt's ";;" form, with
// every extension matched in either case ("*.txt *.TXT").
QString qt_file_filter(const QString& pipes);

class CQtDialogs final : public CDialogs {
public:
    void error(QWidget* parent, const QString& text) override;
    void information(QWidget* parent, const QString& title, const QString& text) override;
    DialogAnswer question(QWidget* parent, const QString& title, const QString& text) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& suggested) override;
};

// Records every dialog and answers from queues; an empty queue answers
// Cancel, or an empty file name.
class CScriptedDialogs final : public CDialogs {
public:
    struct Shown {
        QString kind; // "error", "information", "question", "open", "save"
        QString title;
        QString text;
    };

    void error(QWidget* parent, const QString& text) override;
    void information(QWidget* parent, const QString& title, const QString& text) override;
    DialogAnswer question(QWidget* parent, const QString& title, const QString& text) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& suggested) override;

    // The texts of every box shown, in order.
    QStringList texts() const;

    std::vector<Shown> shown;
    std::deque<DialogAnswer> answers;
    std::deque<QString> fileNames;
};

} // namespace formwick
