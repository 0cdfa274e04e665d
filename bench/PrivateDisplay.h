#pragma once

// A private X server with a window manager for the benchmarks that run the real program in
// their own process, and a way to let its events run for a while.
#include <QByteArray>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

inline void runEvents(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// A private X server, so the figures include what the X client libraries cost.
inline pid_t startXServer()
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const QByteArray fd = QByteArray::number(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.constData(), "-screen", "0", "1920x1080x24", "-nolisten",
               "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char display[16] = {};
    // The read end stays open: the server writes its number again whenever it resets, and dies
    // when it cannot.
    const ssize_t length = read(fds[0], display, sizeof display - 1);
    if (length <= 0)
        return -1;
    setenv("DISPLAY", (QByteArray(":") + QByteArray(display, length).trimmed()).constData(), 1);
    return pid;
}

// A window manager, as on a desktop.
inline pid_t startWindowManager()
{
    const pid_t pid = fork();
    if (pid == 0) {
        execlp("openbox", "openbox", static_cast<char*>(nullptr));
        _exit(127);
    }
    sleep(1);
    return pid;
}

/// The private X server and its window manager for a benchmark run in this process, for as
/// long as this lives; says why not when they cannot start. Qt is left to pick the X display.
class PrivateDisplay
{
public:
    PrivateDisplay()
        : m_xserver(startXServer())
    {
        if (m_xserver < 0) {
            std::fprintf(stderr, "Xvfb could not be started\n");
            return;
        }
        m_windowManager = startWindowManager();
        unsetenv("QT_QPA_PLATFORM");
    }
    ~PrivateDisplay()
    {
        for (const pid_t pid : {m_windowManager, m_xserver}) {
            if (pid > 0) {
                kill(pid, SIGTERM);
                waitpid(pid, nullptr, 0);
            }
        }
    }
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    bool started() const { return m_xserver > 0; }

private:
    pid_t m_xserver = -1;
    pid_t m_windowManager = -1;
};

/// Runs \a measure with the command line under a private display; 1 when none could start.
inline int MeasureOnPrivateDisplay(int argc, char** argv, int (*measure)(int, char**))
{
    const PrivateDisplay display;
    return display.started() ? measure(argc, argv) : 1;
}

/// Private runtime and cache folders inside \a dir for the program run by a benchmark, so
/// that its lock, command socket and Find's index are its own.
inline void usePrivateFolders(const QTemporaryDir& dir)
{
    const QString runtime = dir.filePath(QStringLiteral("runtime"));
    QDir().mkdir(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime).constData(), 1);
    setenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("cache"))).constData(), 1);
}
