#include "PortalScreenGrab.h"

#include "PortalRequest.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString storeService = QStringLiteral("org.freedesktop.impl.portal.PermissionStore");
const QString storePath = QStringLiteral("/org/freedesktop/impl/portal/PermissionStore");
// A portal that has the permission answers at once; one that asks the user gives up on its
// question after 25 s, and an answer is waited for beyond that, so that a next request never
// meets the question still standing.
constexpr int grantedAnswerMs = 15000;
constexpr int questionAnswerMs = 40000;

const QString question = QStringLiteral("Allow Applications to Take Screenshots?");

} // namespace

PortalScreenGrab::PortalScreenGrab(bool desktopAsks)
    : m_desktopAsks(desktopAsks)
{
    qDBusRegisterMetaType<QMap<QString, QStringList>>();
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        end();
        emit failed(QCoreApplication::translate("PortalScreenGrab",
                                                "The desktop's screenshot portal did not answer."));
    });
}

PortalScreenGrab::~PortalScreenGrab() = default;

void PortalScreenGrab::lookUpPermission(const std::function<void(Permission)>& then)
{
    // The portal keeps its users' answer in the permission store, under the table and id
    // "screenshot"; a program outside a sandbox is the application "".
    QDBusMessage call =
        QDBusMessage::createMethodCall(storeService, storePath, storeService, QStringLiteral("Lookup"));
    call << QStringLiteral("screenshot") << QStringLiteral("screenshot");
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, 2000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, then] {
        watcher->deleteLater();
        const QDBusPendingReply<QMap<QString, QStringList>, QDBusVariant> reply = *watcher;
        const QStringList answer = reply.isError() ? QStringList() : reply.argumentAt<0>().value(QString());
        then(answer.value(0) == QLatin1String("yes")  ? Permission::Granted
             : answer.value(0) == QLatin1String("no") ? Permission::Refused
                                                      : Permission::NotGiven);
    });
}

void PortalScreenGrab::grab()
{
    if (!QDBusConnection::sessionBus().isConnected())
        return emit failed(QCoreApplication::translate("PortalScreenGrab",
                                                       "There is no session bus, so no screenshot portal."));
    lookUpPermission([this](Permission permission) {
        m_granted = permission == Permission::Granted;
        // The desktop's question names no program: the user hears first whose it is.
        if (!m_desktopAsks || permission != Permission::NotGiven || m_explained)
            return ask();
        m_explained = true;
        emit waiting(QCoreApplication::translate(
                         "PortalScreenGrab",
                         "To capture a Wayland window, Vistrelle asks the desktop for a screenshot.  "
                         "The desktop asks you once: \"%1\"  Choose Allow, and later captures "
                         "ask nothing (the desktop gives Vistrelle the whole screen).")
                         .arg(question));
    });
}

void PortalScreenGrab::proceed()
{
    ask();
}

void PortalScreenGrab::ask()
{
    const QString token = QStringLiteral("vistrelle_shot%1").arg(++m_requests);
    m_request = new PortalRequest(token, this);
    connect(m_request, &PortalRequest::answered, this, &PortalScreenGrab::answered);
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath,
                                                       QStringLiteral("org.freedesktop.portal.Screenshot"),
                                                       QStringLiteral("Screenshot"));
    call << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("interactive"), false},
                        {QStringLiteral("modal"), false}};
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, request = m_request] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        if (!request || request != m_request)
            return; // answered already, or given up
        if (!reply.isError())
            return request->answeredAt(reply.value().path());
        end();
        emit failed(
            QCoreApplication::translate("PortalScreenGrab",
                                        "No screenshot portal answered (%1): the desktop's portal service "
                                        "(xdg-desktop-portal with its desktop's part) must be installed.")
                .arg(reply.error().message()));
    });
    m_asked = QDateTime::currentDateTime();
    m_deadline.start(m_granted ? grantedAnswerMs : questionAnswerMs);
}

void PortalScreenGrab::answered(uint code, const QVariantMap& results)
{
    end();
    if (code == 0) {
        const QString file = QUrl(results.value(QStringLiteral("uri")).toString()).toLocalFile();
        const QImage picture(file);
        // The portal's file was made for this capture, in a temporary folder or among the
        // user's pictures (KDE Plasma's): it goes once read, so that the library holds the
        // one copy. A file older than the request is not the portal's new one, and stays.
        const QFileInfo made(file);
        if (!file.isEmpty() && (file.startsWith(QDir::tempPath() + QLatin1Char('/')) ||
                                made.lastModified() >= m_asked.addSecs(-1)))
            QFile::remove(file);
        if (!picture.isNull())
            return emit taken(picture);
        return emit failed(QCoreApplication::translate(
            "PortalScreenGrab", "The desktop's screenshot portal gave no readable picture."));
    }
    if (code == 1)
        return emit failed(
            QCoreApplication::translate("PortalScreenGrab", "The screenshot was cancelled on the desktop."));
    // Refused: by the user now or earlier, or the question went unanswered; the permission
    // store tells which.
    lookUpPermission([this](Permission permission) {
        if (permission == Permission::Refused)
            emit failed(
                QCoreApplication::translate(
                    "PortalScreenGrab",
                    "The desktop refuses screenshots to applications (the answer to \"%1\" was Deny). "
                    "To allow them, run: gdbus call --session --dest %2 --object-path %3 --method "
                    "%2.SetPermission screenshot true screenshot \"''\" \"['yes']\"")
                    .arg(question, storeService, storePath));
        else if (permission == Permission::NotGiven)
            emit failed(
                QCoreApplication::translate("PortalScreenGrab",
                                            "The desktop's question \"%1\" went unanswered. The next capture "
                                            "asks again: choose Allow.")
                    .arg(question));
        else
            emit failed(QCoreApplication::translate("PortalScreenGrab",
                                                    "The desktop's screenshot portal gave no picture."));
    });
}

void PortalScreenGrab::end()
{
    m_deadline.stop();
    if (m_request)
        m_request->deleteLater();
    m_request = nullptr;
}
