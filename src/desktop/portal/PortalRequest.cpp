#include "PortalRequest.h"

#include <QDBusConnection>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");

} // namespace

PortalRequest::PortalRequest(const QString& token, QObject* parent)
    : QObject(parent)
{
    const QString sender =
        QDBusConnection::sessionBus().baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    m_path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    listen(true);
}

PortalRequest::~PortalRequest()
{
    listen(false);
}

void PortalRequest::answeredAt(const QString& path)
{
    if (path == m_path)
        return;
    listen(false);
    m_path = path;
    listen(true);
}

void PortalRequest::response(uint code, const QVariantMap& results)
{
    emit answered(code, results);
}

bool PortalRequest::listen(bool on)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString member = QStringLiteral("Response");
    return on ? bus.connect(portalService, m_path, requestInterface, member, this,
                            SLOT(response(uint, QVariantMap)))
              : bus.disconnect(portalService, m_path, requestInterface, member, this,
                               SLOT(response(uint, QVariantMap)));
}
