#include "PortalScreenGrab.h"

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QUrl>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
// Long enough for a desktop that asks the user the first time; a capture never waits longer.
constexpr int answerMs = 15000;

} // namespace

/// The answer to one portal request, which arrives as a signal on the request's own object.
class PortalResponse final : public QObject
{
    Q_OBJECT

public:
    std::optional<uint> code;
    QVariantMap results;

public slots:
    void response(uint answer, const QVariantMap& values)
    {
        code = answer;
        results = values;
        emit answered();
    }

signals:
    void answered();
};

QImage PortalScreenGrab::activeWindow()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return {};
    // The request's object is named by the caller's token, so the answer can be listened for
    // before the request is made and cannot be missed.
    const QString token = QStringLiteral("vistrelle_shot%1").arg(++m_requests);
    const QString sender = bus.baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString request =
        QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    PortalResponse response;
    const auto listen = [&](const QString& path, bool on) {
        return on ? bus.connect(portalService, path, QStringLiteral("org.freedesktop.portal.Request"),
                                QStringLiteral("Response"), &response, SLOT(response(uint, QVariantMap)))
                  : bus.disconnect(portalService, path, QStringLiteral("org.freedesktop.portal.Request"),
                                   QStringLiteral("Response"), &response, SLOT(response(uint, QVariantMap)));
    };
    listen(request, true);
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath,
                                                       QStringLiteral("org.freedesktop.portal.Screenshot"),
                                                       QStringLiteral("Screenshot"));
    call << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("interactive"), false},
                        {QStringLiteral("modal"), false}};
    QDBusPendingCallWatcher handle(bus.asyncCall(call, answerMs));
    QEventLoop loop;
    QTimer::singleShot(answerMs, &loop, &QEventLoop::quit);
    QObject::connect(&response, &PortalResponse::answered, &loop, &QEventLoop::quit);
    QObject::connect(&handle, &QDBusPendingCallWatcher::finished, &loop, [&] {
        const QDBusPendingReply<QDBusObjectPath> reply = handle;
        if (reply.isError())
            return loop.quit();
        // An older portal names the request differently; its answer then comes there.
        if (reply.value().path() != request) {
            listen(request, false);
            listen(reply.value().path(), true);
        }
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    listen(request, false);
    if (response.code != 0u)
        return {};
    const QString file = QUrl(response.results.value(QStringLiteral("uri")).toString()).toLocalFile();
    QImage picture(file);
    // A picture the portal left in a temporary folder is this program's to remove; one saved
    // among the user's pictures stays.
    if (!file.isEmpty() && file.startsWith(QDir::tempPath() + QLatin1Char('/')))
        QFile::remove(file);
    return picture;
}

#include "PortalScreenGrab.moc"
