#include "ProcessTextReader.h"

#include "ReadingFrames.h"
#include "TesseractReader.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// How often a reading looks whether it is to stop or wait.
constexpr int lookEveryMs = 10;

} // namespace

ProcessTextReader::ProcessTextReader(QString program, QStringList arguments)
    : m_program(std::move(program))
    , m_arguments(std::move(arguments))
{
}

ProcessTextReader::~ProcessTextReader()
{
    // Processes still dying are left to the system: waiting for one the machine gives no
    // processor to would hold up the program's end.
    end();
}

QStringList ProcessTextReader::installedLanguages()
{
    return TesseractReader::InstalledLanguages();
}

void ProcessTextReader::setLanguages(const QStringList& languages)
{
    const QString chosen = TesseractReader::ChosenLanguages(languages);
    if (chosen != m_languages)
        end();
    m_languages = chosen;
}

void ProcessTextReader::rest()
{
    end();
}

void ProcessTextReader::holdNow()
{
    suspend(true);
}

void ProcessTextReader::suspend(bool suspended)
{
    const std::lock_guard lock(m_mutex);
    if (m_pid <= 0 || m_suspended == suspended)
        return;
    ::kill(m_pid, suspended ? SIGSTOP : SIGCONT);
    m_suspended = suspended;
}

bool ProcessTextReader::start()
{
    collectEnded();
    if (m_socket >= 0)
        return true;
    // A socket rather than pipes: writing to a process that died is an error, not a signal
    // that ends the program.
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    // Nothing else of the program's: a pipe a library left open to children would stay open
    // as long as the reader lives.
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    const QByteArray program = QFile::encodeName(m_program);
    QList<QByteArray> arguments{program};
    for (const QString& argument : m_arguments + QStringList{m_languages})
        arguments.append(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, program.constData(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (spawned != 0) {
        ::close(ends[0]);
        return false;
    }
    m_socket = ends[0];
    const std::lock_guard lock(m_mutex);
    m_pid = pid;
    m_suspended = false;
    return true;
}

pid_t ProcessTextReader::letGo()
{
    pid_t pid = 0;
    {
        const std::lock_guard lock(m_mutex);
        pid = std::exchange(m_pid, 0);
    }
    if (m_socket >= 0)
        ::close(std::exchange(m_socket, -1));
    return pid;
}

void ProcessTextReader::end()
{
    const pid_t pid = letGo();
    if (pid <= 0)
        return;
    // Stopped or not, it ends at once; what it read of the picture is given up. At a low
    // priority on a busy machine its dying may take seconds: it is collected later.
    ::kill(pid, SIGKILL);
    m_dying.push_back(pid);
    collectEnded();
}

void ProcessTextReader::collectEnded()
{
    std::erase_if(m_dying, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

TextReading ProcessTextReader::unavailable(const QString& why) const
{
    return {TextReading::Kind::Unavailable,
            QCoreApplication::translate("ProcessTextReader",
                                        "Words in screenshots cannot be read: the reading program %1%2")
                .arg(m_program, why),
            {}};
}

TextReading ProcessTextReader::read(const QByteArray& bytes, const ReadingControl& control,
                                    ReadingHaste haste)
{
    if (!control.waitTurn())
        return {TextReading::Kind::Stopped, {}, {}};
    if (!start())
        return unavailable(QCoreApplication::translate("ProcessTextReader", " could not be started."));
    const QByteArray request = ReadingFrames::Picture(bytes, haste);
    qsizetype sent = 0;
    QByteArray received;
    for (;;) {
        if (control.stopping()) {
            end();
            return {TextReading::Kind::Stopped, {}, {}};
        }
        suspend(control.held());
        pollfd socket{m_socket, static_cast<short>(POLLIN | (sent < request.size() ? POLLOUT : 0)), 0};
        if (poll(&socket, 1, lookEveryMs) < 0 && errno != EINTR)
            break;
        if ((socket.revents & POLLOUT) != 0) {
            const ssize_t written =
                send(m_socket, request.constData() + sent, static_cast<size_t>(request.size() - sent),
                     MSG_NOSIGNAL | MSG_DONTWAIT);
            if (written < 0 && errno != EAGAIN && errno != EINTR)
                break;
            sent += std::max<ssize_t>(written, 0);
        }
        if ((socket.revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            char buffer[4096];
            const ssize_t got = recv(m_socket, buffer, sizeof buffer, MSG_DONTWAIT);
            if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR))
                break;
            received.append(buffer, std::max<ssize_t>(got, 0));
            if (const std::optional<TextReading> answer = ReadingFrames::TakeAnswer(received))
                return *answer;
        }
    }
    // It ended without an answer: brought down by the picture, which is not tried again, or
    // ended on its own.
    const pid_t pid = letGo();
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid || WIFSIGNALED(status))
        return {TextReading::Kind::Unreadable, {}, {}};
    return unavailable(
        QCoreApplication::translate("ProcessTextReader", " ended with code %1.").arg(WEXITSTATUS(status)));
}
