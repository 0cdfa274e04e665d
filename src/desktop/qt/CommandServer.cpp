#include "CommandServer.h"

#include "RuntimeFolder.h"
#include "platform/FileNames.h"

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int answerSeconds = 5;
// A command is one short line; a client that sends more is cut off.
constexpr qsizetype longestLine = 64;
// Accepted at one go, so that a flood of connections never holds up the window's events.
constexpr int acceptsPerTurn = 64;

QByteArray wordFor(Shortcut shortcut)
{
    return shortcut == Shortcut::ActiveWindow ? QByteArrayLiteral("capture-window")
                                              : QByteArrayLiteral("time-lapse");
}

qint64 nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The address of the socket at \a path. A path longer than an address holds (a deep runtime
// folder) is reached through this process's descriptor of its folder, whose name is short; the
// descriptor stays open as long as the address.
class SocketAddress
{
public:
    explicit SocketAddress(const QByteArray& path)
    {
        m_address.sun_family = AF_UNIX;
        QByteArray name = path;
        if (path.size() >= qsizetype(sizeof m_address.sun_path)) {
            const qsizetype slash = path.lastIndexOf('/');
            m_folder = ::open(path.left(std::max<qsizetype>(slash, 1)).constData(),
                              O_PATH | O_DIRECTORY | O_CLOEXEC);
            if (m_folder < 0)
                return;
            name = "/proc/self/fd/" + QByteArray::number(m_folder) + path.mid(slash);
            if (name.size() >= qsizetype(sizeof m_address.sun_path))
                return;
        }
        std::memcpy(m_address.sun_path, name.constData(), static_cast<size_t>(name.size()));
        m_length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size() + 1);
    }
    ~SocketAddress()
    {
        if (m_folder >= 0)
            ::close(m_folder);
    }
    SocketAddress(const SocketAddress&) = delete;
    SocketAddress& operator=(const SocketAddress&) = delete;

    bool valid() const { return m_length > 0; }
    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&m_address); }
    socklen_t length() const { return m_length; }

private:
    sockaddr_un m_address = {};
    socklen_t m_length = 0;
    int m_folder = -1;
};

bool sendAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        // No SIGPIPE from a peer that has gone: that would end the program.
        const ssize_t sent =
            ::send(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        done += sent;
    }
    return true;
}

} // namespace

QString CommandSocketPath()
{
    const QString folder = RuntimeFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/vistrelle.commands");
}

bool SendShortcutCommand(Shortcut shortcut)
{
    const QString path = CommandSocketPath();
    if (path.isEmpty())
        return false;
    const SocketAddress address(NativePath(path));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const timeval timeout{answerSeconds, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    QByteArray answer;
    if (address.valid() && ::connect(fd, address.get(), address.length()) == 0 &&
        sendAll(fd, wordFor(shortcut) + '\n')) {
        // The program answers once the command is taken, so an end right after this call never
        // loses it.
        char buffer[16];
        while (!answer.contains('\n') && answer.size() < longestLine) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            answer.append(buffer, got);
        }
    }
    ::close(fd);
    return answer == "ok\n";
}

CommandServer::CommandServer(ShortcutLatch& shortcuts)
    : m_shortcuts(shortcuts)
    , m_idleCheck(std::make_unique<QTimer>())
    , m_retry(std::make_unique<QTimer>())
{
    m_idleCheck->setInterval(IdleMs / 4);
    QObject::connect(m_idleCheck.get(), &QTimer::timeout, m_idleCheck.get(), [this] { cutIdleClients(); });
    m_retry->setSingleShot(true);
    QObject::connect(m_retry.get(), &QTimer::timeout, m_retry.get(), [this] {
        if (m_listener < 0)
            listen();
        else
            m_accepting->setEnabled(true);
    });
}

CommandServer::~CommandServer()
{
    for (Client& client : m_clients) {
        client.notifier.reset();
        ::close(client.fd);
    }
    m_accepting.reset();
    if (m_listener >= 0)
        ::close(m_listener);
}

bool CommandServer::listen()
{
    closeListener();
    const QString path = CommandSocketPath();
    if (path.isEmpty())
        return false;
    const QByteArray name = NativePath(path);
    // A socket left by a program that died is replaced: only the holder of the lock listens.
    struct stat info = {};
    if (::lstat(name.constData(), &info) == 0 && !S_ISDIR(info.st_mode))
        ::unlink(name.constData());
    const SocketAddress address(name);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    if (!address.valid() || ::bind(fd, address.get(), address.length()) != 0 ||
        ::chmod(name.constData(), 0600) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        ::close(fd);
        return false;
    }
    m_listener = fd;
    m_accepting = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(m_accepting.get(), &QSocketNotifier::activated, m_accepting.get(),
                     [this] { acceptClients(); });
    return true;
}

void CommandServer::closeListener()
{
    if (m_listener < 0)
        return;
    // Called from the notifier's own signal too: it goes once the signal is over.
    m_accepting->setEnabled(false);
    m_accepting.release()->deleteLater();
    ::close(m_listener);
    m_listener = -1;
}

void CommandServer::retryLater(int ms)
{
    m_retry->start(ms);
}

void CommandServer::acceptClients()
{
    for (int turn = 0; turn < acceptsPerTurn; ++turn) {
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            switch (errno) {
            case EINTR:
            case ECONNABORTED:
                continue;
            case EAGAIN:
                return;
            case EMFILE:
            case ENFILE:
            case ENOBUFS:
            case ENOMEM:
                // No descriptor to spare: the clients wait in the queue while the program
                // goes on capturing.
                m_accepting->setEnabled(false);
                retryLater(IdleMs / 8);
                return;
            default:
                closeListener();
                retryLater(IdleMs / 2);
                return;
            }
        }
        if (m_clients.size() >= MaxClients) {
            // The oldest gives way; what it has sent already is still served.
            const int oldest = m_clients.front().fd;
            readClient(oldest);
            drop(oldest);
        }
        Client client;
        client.fd = fd;
        client.since = nowMs();
        client.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(client.notifier.get(), &QSocketNotifier::activated, client.notifier.get(),
                         [this, fd] { readClient(fd); });
        m_clients.push_back(std::move(client));
        if (!m_idleCheck->isActive())
            m_idleCheck->start();
    }
}

void CommandServer::readClient(int fd)
{
    const auto client =
        std::find_if(m_clients.begin(), m_clients.end(), [fd](const Client& each) { return each.fd == fd; });
    if (client == m_clients.end())
        return;
    bool ended = false;
    char buffer[longestLine];
    while (!client->received.contains('\n') && client->received.size() <= longestLine) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && errno == EAGAIN)
            break;
        if (got <= 0) {
            ended = true;
            break;
        }
        client->received.append(buffer, got);
    }
    const qsizetype end = client->received.indexOf('\n');
    if (end < 0) {
        if (ended || client->received.size() > longestLine)
            drop(fd);
        return;
    }
    const QByteArray word = client->received.left(end).trimmed();
    bool known = false;
    for (const Shortcut shortcut : {Shortcut::ActiveWindow, Shortcut::TimeLapse}) {
        if (word == wordFor(shortcut)) {
            m_shortcuts.tap(shortcut);
            known = true;
        }
    }
    sendAll(fd, known ? "ok\n" : "unknown\n");
    drop(fd);
}

void CommandServer::drop(int fd)
{
    const auto client =
        std::find_if(m_clients.begin(), m_clients.end(), [fd](const Client& each) { return each.fd == fd; });
    if (client == m_clients.end())
        return;
    // Called from the client's own notifier too: it goes once the signal is over.
    client->notifier->setEnabled(false);
    client->notifier.release()->deleteLater();
    ::close(fd);
    m_clients.erase(client);
    if (m_clients.empty())
        m_idleCheck->stop();
}

void CommandServer::cutIdleClients()
{
    const qint64 now = nowMs();
    std::vector<int> idle;
    for (const Client& client : m_clients) {
        if (now - client.since >= IdleMs)
            idle.push_back(client.fd);
    }
    for (const int fd : idle)
        drop(fd);
}
