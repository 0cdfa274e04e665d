#include "KWinScreenGrab.h"

#include <QDBusConnection>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QElapsedTimer>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr int answerMs = 5000;

// Appends what the compositor has written, waiting up to \a waitMs for it; false when it has
// stopped sending or sends more than \a most.
bool readSome(int fd, QByteArray& bytes, int waitMs, qsizetype most)
{
    pollfd wait{fd, POLLIN, 0};
    const int ready = poll(&wait, 1, waitMs);
    if (ready < 0)
        return errno == EINTR;
    if (ready == 0)
        return waitMs < answerMs;
    char chunk[65536];
    const ssize_t count = ::read(fd, chunk, sizeof chunk);
    if (count < 0)
        return errno == EINTR || errno == EAGAIN;
    if (count == 0 || bytes.size() + count > most)
        return false;
    bytes.append(chunk, count);
    return true;
}

} // namespace

KWinScreenGrab::KWinScreenGrab(std::unique_ptr<ScreenGrab> otherwise)
    : m_otherwise(std::move(otherwise))
{
}

KWinScreenGrab::~KWinScreenGrab() = default;

QImage KWinScreenGrab::activeWindow()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    int ends[2];
    if (!bus.isConnected() || pipe2(ends, O_CLOEXEC) != 0)
        return m_otherwise ? m_otherwise->activeWindow() : QImage();
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.KWin"), QStringLiteral("/org/kde/KWin/ScreenShot2"),
        QStringLiteral("org.kde.KWin.ScreenShot2"), QStringLiteral("CaptureActiveWindow"));
    call << QVariantMap{{QStringLiteral("include-decoration"), true},
                        {QStringLiteral("include-cursor"), false},
                        {QStringLiteral("native-resolution"), true}}
         << QVariant::fromValue(QDBusUnixFileDescriptor(ends[1]));
    QDBusPendingReply<QVariantMap> reply = bus.asyncCall(call, answerMs);
    ::close(ends[1]);
    // The pixels come through the pipe, their layout with the answer. What arrives before the
    // answer is taken at once, so a compositor that writes first never waits on a full pipe.
    constexpr qsizetype largest = qsizetype(1) << 30;
    QByteArray bytes;
    QElapsedTimer waiting;
    waiting.start();
    while (!reply.isFinished() && waiting.elapsed() < answerMs && readSome(ends[0], bytes, 20, largest)) {
    }
    reply.waitForFinished();
    if (reply.isError()) {
        ::close(ends[0]);
        return m_otherwise ? m_otherwise->activeWindow() : QImage();
    }
    const QVariantMap results = reply.value();
    const int width = results.value(QStringLiteral("width")).toInt();
    const int height = results.value(QStringLiteral("height")).toInt();
    const qsizetype stride = results.value(QStringLiteral("stride")).toLongLong();
    const auto format = static_cast<QImage::Format>(results.value(QStringLiteral("format")).toInt());
    const bool sane = width > 0 && height > 0 && format > QImage::Format_Invalid &&
                      format < QImage::NImageFormats &&
                      stride >= qsizetype(width) * QImage::toPixelFormat(format).bitsPerPixel() / 8 &&
                      stride * height <= largest;
    while (sane && bytes.size() < stride * height && readSome(ends[0], bytes, answerMs, largest)) {
    }
    ::close(ends[0]);
    if (!sane || bytes.size() < stride * height)
        return {};
    return QImage(reinterpret_cast<const uchar*>(bytes.constData()), width, height, stride, format)
        .copy()
        .convertToFormat(QImage::Format_RGB32);
}
