// CInstanceChecker: one copy of the program per user and display. The first
// copy listens on a local socket named from the user and the display; a
// later copy that reaches it asks it to raise its window and ends. A socket
// left behind by a copy that crashed answers no one; it is removed and the
// new copy listens in its place.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace formwick {

class CInstanceChecker : public QObject {
    Q_OBJECT
public:
    // `name` is the socket's name; by default the one for this user and
    // display.
    explicit CInstanceChecker(QString name = default_name(), QObject* parent = nullptr);

    // "Formwick-5E7A3C19-<uid>-<display>" with $WAYLAND_DISPLAY or $DISPLAY
    // (or "none") as the display.
    static QString default_name();

    // True when another copy answered (it has been asked to raise its
    // window). Otherwise this copy now listens, and later checks on this
    // object report no other copy.
    bool another_instance_running();
    bool listening() const { return server_.isListening(); }
    const QString& name() const { return name_; }

signals:
    // A later copy asked this one to bring its window to the front.
    void raiseRequested();

private:
    void on_connection();

    QString name_;
    QLocalServer server_;
};

} // namespace formwick
