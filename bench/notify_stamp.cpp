// Helper of bench_notify: a notification server on the session bus that keeps nothing but the
// arrival of each notification, as a file made in DIR the moment the call is taken, so that the
// benchmark sees it the way it sees the capture's own file. "notify_stamp DIR"
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <cstdio>

namespace {

class Stamp final : public QDBusVirtualObject
{
public:
    explicit Stamp(QString folder)
        : m_folder(std::move(folder))
    {
    }

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() != QLatin1String("Notify"))
            return false;
        QFile(m_folder + QStringLiteral("/%1").arg(++m_arrived)).open(QIODevice::WriteOnly);
        // The number of the one it replaces, as a server answers, else a new one.
        const uint replaces = message.arguments().value(1).toUInt();
        connection.send(message.createReply(QVariant::fromValue(replaces ? replaces : ++m_numbered)));
        return true;
    }

private:
    QString m_folder;
    int m_arrived = 0;
    uint m_numbered = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2)
        return 2;
    Stamp stamp(arguments[1]);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), &stamp) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications")))
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    return QCoreApplication::exec();
}
