#include "KWinScreenGrab.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int answerMs = 5000;
constexpr qsizetype largest = qsizetype(1) << 30;

const QString notAuthorized = QStringLiteral("org.kde.KWin.ScreenShot2.Error.NoAuthorized");

// KDE Plasma 5 draws the window's shadow around it, in pixels that are not opaque (black once
// filed); the window, its title bar and frame included, is what is opaque. A copy, out of the
// bytes \a picture lies in.
QImage windowOnly(const QImage& picture)
{
    if (!picture.hasAlphaChannel())
        return picture.copy();
    const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32);
    int left = pixels.width(), right = -1, top = pixels.height(), bottom = -1;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            if (qAlpha(row[x]) != 255)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = y;
        }
    }
    return right < 0 ? picture.copy() : picture.copy(QRect(QPoint(left, top), QPoint(right, bottom)));
}

} // namespace

KWinScreenGrab::KWinScreenGrab(std::unique_ptr<ScreenGrab> otherwise)
    : m_otherwise(std::move(otherwise))
{
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(answerMs);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        close();
        refused(
            QCoreApplication::translate("KWinScreenGrab", "KDE Plasma's compositor did not answer in time."));
    });
    if (!m_otherwise)
        return;
    // The portal gives the whole screen: the user learns why the window itself was refused.
    connect(m_otherwise.get(), &ScreenGrab::taken, this, [this](const QImage& picture) {
        if (!m_refusal.isEmpty())
            emit screenInstead(m_refusal);
        emit taken(picture);
    });
    connect(m_otherwise.get(), &ScreenGrab::waiting, this, &ScreenGrab::waiting);
    connect(m_otherwise.get(), &ScreenGrab::failed, this, [this](const QString& why) {
        emit failed(m_refusal.isEmpty() ? why : m_refusal + QLatin1Char(' ') + why);
    });
}

KWinScreenGrab::~KWinScreenGrab()
{
    close();
}

void KWinScreenGrab::grab()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    int ends[2];
    if (!bus.isConnected() || pipe2(ends, O_CLOEXEC) != 0)
        return refused(QString());
    // Only this end waits for nothing: the compositor writes to the other end as it pleases.
    fcntl(ends[0], F_SETFL, fcntl(ends[0], F_GETFL) | O_NONBLOCK);
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.KWin"), QStringLiteral("/org/kde/KWin/ScreenShot2"),
        QStringLiteral("org.kde.KWin.ScreenShot2"), QStringLiteral("CaptureActiveWindow"));
    call << QVariantMap{{QStringLiteral("include-decoration"), true},
                        {QStringLiteral("include-shadow"), false},
                        {QStringLiteral("include-cursor"), false},
                        {QStringLiteral("native-resolution"), true}}
         << QVariant::fromValue(QDBusUnixFileDescriptor(ends[1]));
    m_reply = new QDBusPendingCallWatcher(bus.asyncCall(call, answerMs), this);
    ::close(ends[1]);
    m_pipe = ends[0];
    m_layout.reset();
    m_bytes.clear();
    m_ended = false;
    // The pixels come through the pipe, their layout with the answer, in either order.
    m_notifier = new QSocketNotifier(m_pipe, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &KWinScreenGrab::readable);
    connect(m_reply, &QDBusPendingCallWatcher::finished, this, &KWinScreenGrab::replied);
    m_deadline.start();
}

void KWinScreenGrab::proceed()
{
    if (m_otherwise)
        m_otherwise->proceed();
}

void KWinScreenGrab::replied()
{
    const QDBusPendingReply<QVariantMap> reply = *m_reply;
    m_reply->deleteLater();
    m_reply = nullptr;
    if (reply.isError()) {
        close();
        // Not KDE's compositor at all, or one that does not know this program: the other way.
        return refused(
            reply.error().name() == notAuthorized
                ? QCoreApplication::translate("KWinScreenGrab",
                                              "KDE Plasma gives the picture of a window only to programs "
                                              "installed with their desktop entry: install Vistrelle "
                                              "(cmake --install) and start the installed program.")
                : QString());
    }
    m_layout = reply.value();
    settle();
}

void KWinScreenGrab::readable()
{
    char chunk[65536];
    for (;;) {
        const ssize_t count = ::read(m_pipe, chunk, sizeof chunk);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            break; // nothing more for now
        if (count == 0 || m_bytes.size() + count > largest) {
            m_ended = true;
            m_notifier->setEnabled(false);
            break;
        }
        m_bytes.append(chunk, count);
    }
    settle();
}

void KWinScreenGrab::settle()
{
    if (!m_layout)
        return;
    const int width = m_layout->value(QStringLiteral("width")).toInt();
    const int height = m_layout->value(QStringLiteral("height")).toInt();
    const qsizetype stride = m_layout->value(QStringLiteral("stride")).toLongLong();
    const auto format = static_cast<QImage::Format>(m_layout->value(QStringLiteral("format")).toInt());
    const bool sane = width > 0 && height > 0 && format > QImage::Format_Invalid &&
                      format < QImage::NImageFormats &&
                      stride >= qsizetype(width) * QImage::toPixelFormat(format).bitsPerPixel() / 8 &&
                      stride * height <= largest;
    const bool whole = sane && m_bytes.size() >= stride * height;
    if (sane && !whole && !m_ended)
        return; // more to come
    QImage picture;
    if (whole)
        picture = windowOnly(QImage(reinterpret_cast<const uchar*>(m_bytes.constData()), width, height,
                                    stride, format))
                      .convertToFormat(QImage::Format_RGB32);
    close();
    m_bytes.clear();
    if (picture.isNull())
        emit failed(QCoreApplication::translate(
            "KWinScreenGrab", "KDE Plasma's compositor sent no whole picture of the window."));
    else
        emit taken(picture);
}

void KWinScreenGrab::refused(const QString& why)
{
    m_refusal = why;
    if (m_otherwise)
        m_otherwise->grab();
    else
        emit failed(why);
}

void KWinScreenGrab::close()
{
    m_deadline.stop();
    delete m_notifier;
    m_notifier = nullptr;
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->deleteLater();
        m_reply = nullptr;
    }
    if (m_pipe >= 0)
        ::close(m_pipe);
    m_pipe = -1;
    m_layout.reset();
}
