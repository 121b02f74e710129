#include "gui/app/CSingleInstance.h"

#include "gui/app/CommandLine.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <unistd.h>

namespace tessemar {
namespace {

// A command line is short; anything longer is not one of ours and is dropped.
constexpr qint64 kMaxMessage = 64 * 1024;

}  // namespace

CSingleInstance::CSingleInstance(QString socketPath, QObject* parent)
    : QObject(parent), socketPath_(std::move(socketPath)) {}

CSingleInstance::~CSingleInstance() {
    if (server_)
        server_->close();
}

QString CSingleInstance::DefaultSocketPath() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && QDir(runtime).exists())
        return runtime + QStringLiteral("/tessemar.socket");
    return QDir::tempPath() + QStringLiteral("/tessemar-%1.socket").arg(::getuid());
}

bool CSingleInstance::Listen() {
    if (!server_) {
        server_ = new QLocalServer(this);
        // No UserAccessOption: with it a second listen() replaces the socket of a live
        // instance instead of failing.
        connect(server_, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
    }
    if (server_->isListening())
        return true;
    if (server_->listen(socketPath_))
        return true;
    if (IsRunning(socketPath_))
        return false;
    // Nobody answers: the socket file is what a crashed instance left behind.
    QLocalServer::removeServer(socketPath_);
    return server_->listen(socketPath_);
}

bool CSingleInstance::IsListening() const {
    return server_ && server_->isListening();
}

bool CSingleInstance::IsRunning(const QString& socketPath) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    const bool running = socket.waitForConnected(1000);
    socket.abort();
    return running;
}

bool CSingleInstance::Send(const QString& socketPath, const QString& command, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(command.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray answer;
    while (!answer.contains('\n')) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
        answer += socket.readAll();
    }
    socket.disconnectFromServer();
    return answer.startsWith("ok");
}

void CSingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        // A client that connects and never speaks must not hold a socket forever.
        QTimer::singleShot(30000, socket, [socket] { socket->abort(); });
        if (socket->bytesAvailable() > 0)
            OnReadyRead(socket);
    }
}

void CSingleInstance::OnReadyRead(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxMessage)
            socket->abort();
        return;
    }
    const QString message = QString::fromUtf8(socket->readLine(kMaxMessage)).trimmed();
    const bool valid = ParseShellCommand(message.toStdString()).has_value();
    socket->write(valid ? "ok\n" : "error\n");
    socket->flush();
    socket->disconnectFromServer();
    // Carried out after the answer has gone, from the event loop.
    if (valid)
        QTimer::singleShot(0, this, [this, message] { emit commandReceived(message); });
}

}  // namespace tessemar
