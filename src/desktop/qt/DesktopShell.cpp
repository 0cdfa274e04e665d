#include "DesktopShell.h"

#include "platform/FileNames.h"
#include "platform/FileSystem.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QFile>
#include <QProcess>
#include <QUrl>
#include <memory>
#include <vector>

// GLib's headers name a member "signals", which Qt defines as a macro.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

namespace {

// Built from the name's bytes: a name that is not valid UTF-8 reaches the opener unchanged.
QUrl fileUrl(const QString& path)
{
    return QUrl::fromEncoded("file://" + NativePath(path).toPercentEncoding("/"));
}

QString folderOf(const QString& path)
{
    return path.section(QLatin1Char('/'), 0, -2);
}

struct GLibFree
{
    void operator()(char* text) const { g_free(text); }
};
using GLibText = std::unique_ptr<char, GLibFree>;

struct GObjectUnref
{
    void operator()(GAppInfo* program) const { g_object_unref(program); }
};
using Program = std::unique_ptr<GAppInfo, GObjectUnref>;

// As much of a file's start as GIO's sniffing looks at.
constexpr qint64 sniffedBytes = 4096;

// The type of the file at \a path as its name gives it, unless its first bytes plainly name
// another: a PNG named .jpg goes to the programs for PNG pictures, which can open it. Bytes that
// only look like text never outweigh the name (nor pass a desktop entry off as something else).
GLibText contentTypeOf(const QString& path)
{
    QByteArray head;
    QFile file;
    if (OpenRegularFile(file, path))
        head = file.read(sniffedBytes);
    const auto* bytes = reinterpret_cast<const guchar*>(head.constData());
    GLibText named(
        g_content_type_guess(NativePath(path).constData(), bytes, static_cast<gsize>(head.size()), nullptr));
    if (head.isEmpty())
        return named;
    gboolean uncertain = TRUE;
    GLibText sniffed(g_content_type_guess(nullptr, bytes, static_cast<gsize>(head.size()), &uncertain));
    if (!uncertain && !g_content_type_is_a(sniffed.get(), "text/plain") &&
        !g_content_type_is_a(named.get(), sniffed.get()))
        return sniffed;
    return named;
}

// The programs the desktop has registered for files like the one at \a path, the one it opens
// them with first, each once; those that take no file (a desktop entry that only starts its
// program) are left out.
std::vector<Program> programsForFile(const QString& path)
{
    const GLibText type = contentTypeOf(path);
    std::vector<Program> programs;
    const auto add = [&programs](GAppInfo* program) {
        const char* id = g_app_info_get_id(program);
        if (!id || (!g_app_info_supports_files(program) && !g_app_info_supports_uris(program)))
            return;
        for (const Program& listed : programs)
            if (g_strcmp0(g_app_info_get_id(listed.get()), id) == 0)
                return;
        programs.emplace_back(G_APP_INFO(g_object_ref(program)));
    };
    if (const Program preferred{g_app_info_get_default_for_type(type.get(), FALSE)})
        add(preferred.get());
    GList* all = g_app_info_get_all_for_type(type.get());
    for (GList* item = all; item; item = item->next)
        add(static_cast<GAppInfo*>(item->data));
    g_list_free_full(all, g_object_unref);
    return programs;
}

} // namespace

DesktopShell::DesktopShell(const QDBusConnection& bus)
    : m_bus(bus)
{
}

DesktopShell::~DesktopShell()
{
    // What is still running is ended with the program: that is no failure to tell on the way out.
    for (QObject* running : m_openers.children())
        running->disconnect();
}

void DesktopShell::explore(const QString& folder, Failed failed)
{
    runOpener(folder, failed);
}

void DesktopShell::open(const QString& path, Failed failed)
{
    // The opener would report a missing file only as a failure to open it.
    const std::optional<FileFacts> facts = ReadFileFacts(path);
    if (!facts || !facts->regular) {
        failed();
        return;
    }
    runOpener(path, failed);
}

void DesktopShell::runOpener(const QString& path, const Failed& failed)
{
    auto* opener = new QProcess(&m_openers);
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({QString::fromLatin1(fileUrl(path).toEncoded())});
    // The opener may run as long as the program it started; its output is not ours to show.
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, failed](int code, QProcess::ExitStatus how) {
                         opener->deleteLater();
                         if (how != QProcess::NormalExit || code != 0)
                             failed();
                     });
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         opener->deleteLater();
                         failed();
                     });
    opener->start();
}

QList<DesktopProgram> DesktopShell::programsFor(const QString& path)
{
    QList<DesktopProgram> programs;
    for (const Program& program : programsForFile(path)) {
        QString icon;
        if (GIcon* given = g_app_info_get_icon(program.get()))
            if (const GLibText name{g_icon_to_string(given)})
                icon = QString::fromUtf8(name.get());
        programs.append({QString::fromUtf8(g_app_info_get_id(program.get())),
                         QString::fromUtf8(g_app_info_get_name(program.get())), icon});
    }
    return programs;
}

void DesktopShell::openWith(const QString& path, const QString& id, Failed failed)
{
    const std::optional<FileFacts> facts = ReadFileFacts(path);
    if (!facts || !facts->regular) {
        failed();
        return;
    }
    // Only a program the desktop has for this file is started, whatever id is asked for.
    const QByteArray wanted = id.toUtf8();
    for (const Program& program : programsForFile(path)) {
        if (wanted != g_app_info_get_id(program.get()))
            continue;
        QByteArray uri = fileUrl(path).toEncoded();
        GList uris{uri.data(), nullptr, nullptr};
        GError* error = nullptr;
        if (g_app_info_launch_uris(program.get(), &uris, nullptr, &error))
            return;
        g_clear_error(&error);
        break;
    }
    failed();
}

void DesktopShell::showInFolder(const QString& path, Failed failed)
{
    // A call on a connection that never was would never be answered.
    if (!m_bus.isConnected()) {
        explore(folderOf(path), std::move(failed));
        return;
    }
    const QString fileManager = QStringLiteral("org.freedesktop.FileManager1");
    QDBusMessage call =
        QDBusMessage::createMethodCall(fileManager, QStringLiteral("/org/freedesktop/FileManager1"),
                                       fileManager, QStringLiteral("ShowItems"));
    call << QStringList{QString::fromLatin1(fileUrl(path).toEncoded())} << QString();
    auto* answer = new QDBusPendingCallWatcher(m_bus.asyncCall(call), &m_openers);
    QObject::connect(answer, &QDBusPendingCallWatcher::finished, answer,
                     [this, answer, folder = folderOf(path), failed = std::move(failed)] {
                         answer->deleteLater();
                         // No file manager on the bus, or one that could not show the file:
                         // the folder at least.
                         if (answer->isError())
                             explore(folder, failed);
                     });
}
