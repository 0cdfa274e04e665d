// A stand-in for a desktop's global-shortcut service behind the real portal
// (org.freedesktop.impl.portal.GlobalShortcuts), on the session bus it is started on:
//   it answers CreateSession and BindShortcuts, printing "session PATH app APP_ID" and
//   "bound ID TRIGGER" for each shortcut asked for;
//   each line "press ID" or "release ID" on its standard input presses or releases ID, as the
//   user's keys would.
#include "ListedShortcut.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

namespace {

const QString objectPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.impl.portal.GlobalShortcuts");

void say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

} // namespace

class Backend final : public QDBusVirtualObject
{
public:
    QString session;
    QList<ListedShortcut> shortcuts;

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        const QString member = message.member();
        const QList<QVariant> arguments = message.arguments();
        if (member == "GetAll") {
            connection.send(message.createReply(QVariantMap{{"version", 1u}}));
        } else if (member == "Get") { // the version, the one property
            connection.send(message.createReply(QVariant::fromValue(QDBusVariant(1u))));
        } else if (member == "CreateSession") {
            session = arguments.value(1).value<QDBusObjectPath>().path();
            say("session " + session + " app " + arguments.value(2).toString());
            connection.send(message.createReply(QList<QVariant>{0u, QVariantMap()}));
        } else if (member == "BindShortcuts") {
            shortcuts = qdbus_cast<QList<ListedShortcut>>(arguments.value(2));
            QList<ListedShortcut> bound;
            for (const auto& [id, properties] : shortcuts) {
                say("bound " + id + " " + properties.value("preferred_trigger").toString());
                bound.append({id,
                              {{"description", properties.value("description")},
                               {"trigger_description", properties.value("preferred_trigger")}}});
            }
            connection.send(message.createReply(
                QList<QVariant>{0u, QVariantMap{{"shortcuts", QVariant::fromValue(bound)}}}));
        } else if (member == "ListShortcuts") {
            connection.send(message.createReply(
                QList<QVariant>{0u, QVariantMap{{"shortcuts", QVariant::fromValue(shortcuts)}}}));
        } else if (member == "Close") {
            connection.send(message.createReply());
        } else {
            return false;
        }
        return true;
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    qDBusRegisterMetaType<ListedShortcut>();
    qDBusRegisterMetaType<QList<ListedShortcut>>();
    QDBusConnection bus = QDBusConnection::sessionBus();
    Backend backend;
    if (!bus.registerVirtualObject(objectPath, &backend, QDBusConnection::SubPath) ||
        !bus.registerService("org.freedesktop.impl.portal.desktop.vistrelletest")) {
        say("cannot register on the session bus");
        return 1;
    }
    say("ready");
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char chunk[256];
        const ssize_t count = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (count <= 0)
            return QCoreApplication::quit();
        pending.append(chunk, count);
        while (pending.contains('\n')) {
            const QList<QByteArray> words = pending.left(pending.indexOf('\n')).split(' ');
            pending.remove(0, pending.indexOf('\n') + 1);
            if (words.size() != 2)
                continue;
            QDBusMessage signal = QDBusMessage::createSignal(
                objectPath, shortcutsInterface, words[0] == "press" ? "Activated" : "Deactivated");
            signal << QVariant::fromValue(QDBusObjectPath(backend.session)) << QString::fromUtf8(words[1])
                   << qulonglong(0) << QVariantMap();
            bus.send(signal);
        }
    });
    return QCoreApplication::exec();
}
