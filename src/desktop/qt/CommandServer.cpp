#include "CommandServer.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

constexpr int answerMs = 5000;

QByteArray wordFor(Shortcut shortcut)
{
    return shortcut == Shortcut::ActiveWindow ? QByteArrayLiteral("capture-window")
                                              : QByteArrayLiteral("time-lapse");
}

} // namespace

QString CommandSocketPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/vistrelle.commands");
}

bool SendShortcutCommand(Shortcut shortcut)
{
    QLocalSocket socket;
    socket.connectToServer(CommandSocketPath());
    if (!socket.waitForConnected(answerMs))
        return false;
    socket.write(wordFor(shortcut) + '\n');
    if (!socket.waitForBytesWritten(answerMs))
        return false;
    // The program answers once the command is taken, so an end right after this call never
    // loses it.
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(answerMs))
            return false;
    }
    return socket.readLine() == "ok\n";
}

CommandServer::CommandServer(ShortcutLatch& shortcuts)
    : m_shortcuts(shortcuts)
{
}

CommandServer::~CommandServer() = default;

bool CommandServer::listen()
{
    const QString path = CommandSocketPath();
    QDir().mkpath(QFileInfo(path).path());
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(), [this] { serve(); });
    if (m_server->listen(path))
        return true;
    QLocalServer::removeServer(path);
    return m_server->listen(path);
}

void CommandServer::serve()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            // One short line; a client that sends more, or never a line, is cut off.
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > 64)
                    socket->abort();
                return;
            }
            const QByteArray word = socket->readLine().trimmed();
            bool known = false;
            for (const Shortcut shortcut : {Shortcut::ActiveWindow, Shortcut::TimeLapse}) {
                if (word == wordFor(shortcut)) {
                    m_shortcuts.tap(shortcut);
                    known = true;
                }
            }
            socket->write(known ? "ok\n" : "unknown\n");
            socket->disconnectFromServer();
        });
    }
}
