#include "PortalScreenGrab.h"

#include "PortalRequest.h"

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QUrl>
#include <optional>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
// Long enough for a desktop that asks the user the first time; a capture never waits longer.
constexpr int answerMs = 15000;

} // namespace

QImage PortalScreenGrab::activeWindow()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return {};
    const QString token = QStringLiteral("vistrelle_shot%1").arg(++m_requests);
    PortalRequest request(token);
    std::optional<uint> code;
    QVariantMap results;
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
    QObject::connect(&request, &PortalRequest::answered, &loop, [&](uint answer, const QVariantMap& values) {
        code = answer;
        results = values;
        loop.quit();
    });
    QObject::connect(&handle, &QDBusPendingCallWatcher::finished, &loop, [&] {
        const QDBusPendingReply<QDBusObjectPath> reply = handle;
        if (reply.isError())
            return loop.quit();
        request.answeredAt(reply.value().path());
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (code != 0u)
        return {};
    const QString file = QUrl(results.value(QStringLiteral("uri")).toString()).toLocalFile();
    QImage picture(file);
    // A picture the portal left in a temporary folder is this program's to remove; one saved
    // among the user's pictures stays.
    if (!file.isEmpty() && file.startsWith(QDir::tempPath() + QLatin1Char('/')))
        QFile::remove(file);
    return picture;
}
