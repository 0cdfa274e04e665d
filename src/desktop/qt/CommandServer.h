#pragma once

#include "platform/ShortcutLatch.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

class QSocketNotifier;
class QTimer;

/// Hands the capture commands of a second start (`vistrelle --capture-window`, `--time-lapse`)
/// to the running program: a local socket beside the single-instance lock, in a folder only the
/// user may enter. Each command is a tap of its shortcut.
///
/// However many clients connect, the server holds at most MaxClients of them, the oldest giving
/// way to a new one, and cuts off any that has not sent its command within IdleMs: a flood of
/// idle connections neither uses up the program's descriptors nor keeps a real command out. A
/// failed accept never closes the server: a shortage of descriptors pauses accepting a moment,
/// any other failure makes it listen again.
class CommandServer
{
public:
    static constexpr int MaxClients = 8;
    static constexpr int IdleMs = 2000;

    explicit CommandServer(ShortcutLatch& shortcuts);
    ~CommandServer();
    CommandServer(const CommandServer&) = delete;
    CommandServer& operator=(const CommandServer&) = delete;

    /// Starts listening; call only while holding the single-instance lock, since a socket
    /// left by a program that died is replaced. False when it cannot listen.
    bool listen();

    /// The clients connected now.
    int clients() const { return static_cast<int>(m_clients.size()); }

private:
    struct Client
    {
        int fd = -1;
        std::unique_ptr<QSocketNotifier> notifier;
        QByteArray received;
        qint64 since = 0;
    };

    void closeListener();
    void acceptClients();
    void readClient(int fd);
    void drop(int fd);
    void cutIdleClients();
    void retryLater(int ms);

    ShortcutLatch& m_shortcuts;
    int m_listener = -1;
    std::unique_ptr<QSocketNotifier> m_accepting;
    std::vector<Client> m_clients; // oldest first
    std::unique_ptr<QTimer> m_idleCheck;
    std::unique_ptr<QTimer> m_retry;
};

/// The socket's path: in the user's runtime folder, beside the single-instance lock.
QString CommandSocketPath();

/// Hands \a shortcut to the running program; false when none is running or it did not answer.
bool SendShortcutCommand(Shortcut shortcut);
