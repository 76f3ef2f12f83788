#include "shell/instance_checker.h"

#include <QLocalSocket>
#include <QRegularExpression>

#include <cstdio>
#include <unistd.h>

namespace formwick {

namespace {
constexpr const char* kGuardBase = "5E7A3C19-8B42-4d0e-9F6A-2C81D4B7E053";
constexpr const char kRaise[] = "raise\n";
constexpr int kConnectMs = 1000;
} // namespace

CInstanceChecker::CInstanceChecker(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &CInstanceChecker::on_connection);
}

QString CInstanceChecker::default_name() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) display = QStringLiteral("none");
    // The name becomes a file name in the temporary folder.
    display.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    return QStringLiteral("Formwick-%1-%2-%3").arg(QString::fromLatin1(kGuardBase).left(8)).arg(getuid()).arg(display);
}

bool CInstanceChecker::another_instance_running() {
    if (server_.isListening()) return false;
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (socket.waitForConnected(kConnectMs)) {
        socket.write(kRaise, sizeof kRaise - 1);
        socket.waitForBytesWritten(kConnectMs);
        socket.disconnectFromServer();
        return true;
    }
    // Nobody answers: whatever socket file is left there is stale.
    QLocalServer::removeServer(name_);
    if (!server_.listen(name_))
        std::fprintf(stderr, "Formwick: cannot guard against a second copy (%s)\n",
                     qPrintable(server_.errorString()));
    return false;
}

void CInstanceChecker::on_connection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto read = [this, socket] {
            if (socket->readAll().contains("raise")) emit raiseRequested();
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        if (socket->bytesAvailable() > 0) read();
    }
}

} // namespace formwick
