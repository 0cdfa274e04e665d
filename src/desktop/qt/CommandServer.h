#pragma once

#include "platform/ShortcutLatch.h"

#include <QString>
#include <memory>

class QLocalServer;

/// Hands the capture commands of a second start (`vistrelle --capture-window`, `--time-lapse`)
/// to the running program: a local socket beside the single-instance lock, open only to the
/// user. Each command is a tap of its shortcut.
class CommandServer
{
public:
    explicit CommandServer(ShortcutLatch& shortcuts);
    ~CommandServer();
    CommandServer(const CommandServer&) = delete;
    CommandServer& operator=(const CommandServer&) = delete;

    /// Starts listening; call only while holding the single-instance lock, since a socket
    /// left by a program that died is replaced. False when it cannot listen.
    bool listen();

private:
    void serve();

    ShortcutLatch& m_shortcuts;
    std::unique_ptr<QLocalServer> m_server;
};

/// The socket's path: in the user's runtime folder, beside the single-instance lock.
QString CommandSocketPath();

/// Hands \a shortcut to the running program; false when none is running or it did not answer.
bool SendShortcutCommand(Shortcut shortcut);
