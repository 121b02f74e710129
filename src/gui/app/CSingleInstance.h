#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace tessemar {

// One running instance per user receives the shell commands of later starts (open, print,
// print to) over a local socket, the way a desktop shell would hand them to a running
// program. Each message is one command line of UTF-8 ended by a newline; the receiver answers
// "ok" or "error" at once and carries the command out afterwards, so a sender never waits on a
// message box of the receiver.
class CSingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit CSingleInstance(QString socketPath, QObject* parent = nullptr);
    ~CSingleInstance() override;

    // $XDG_RUNTIME_DIR/tessemar.socket, or a per-user name in the temporary folder when the
    // runtime folder is not set.
    static QString DefaultSocketPath();

    // Starts receiving. A name left behind by an instance that died is taken over; a live
    // instance keeps its name (then false).
    bool Listen();
    bool IsListening() const;

    // Sends a command to the instance listening at socketPath and waits for its answer.
    // True when that instance accepted the command.
    static bool Send(const QString& socketPath, const QString& command, int timeoutMs = 5000);
    // True when an instance listens at socketPath.
    static bool IsRunning(const QString& socketPath);

  signals:
    void commandReceived(const QString& command);

  private:
    void OnNewConnection();
    void OnReadyRead(QLocalSocket* socket);

    QString socketPath_;
    QLocalServer* server_ = nullptr;
};

}  // namespace tessemar
