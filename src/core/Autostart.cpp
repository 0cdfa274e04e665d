#include "Autostart.h"

#include "platform/FileSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>

namespace {

// One argument of the Exec key: quoted, with the characters the quotes do not cover escaped,
// then with the escapes every string value of an entry takes.
QString execArgument(const QString& argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    return quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('%'), QStringLiteral("%%"));
}

bool holdsLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

} // namespace

QString AutostartEntryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/vistrelle.desktop");
}

QByteArray AutostartEntry(const QString& program, const QString& libraryParent)
{
    if (holdsLineBreak(program) || holdsLineBreak(libraryParent))
        return {};
    QString exec = execArgument(program) + QStringLiteral(" --low-resource");
    if (!libraryParent.isEmpty())
        exec += QStringLiteral(" -- ") + execArgument(libraryParent);
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Vistrelle\n"
                          "Comment=Files every screenshot on the clipboard into a library of folders\n"
                          "Exec=%1\n"
                          "Icon=vistrelle\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(exec)
        .toUtf8();
}

Outcome SetStartWithDesktop(bool on, const QString& program, const QString& libraryParent)
{
    const QString path = AutostartEntryPath();
    if (!on) {
        const Outcome removed = RemoveEntry(path);
        return removed.error == ENOENT ? Outcome{} : removed;
    }
    const QByteArray entry = AutostartEntry(program, libraryParent);
    if (entry.isEmpty())
        return Outcome::systemError(EINVAL);
    if (!QDir().mkpath(QFileInfo(path).path()))
        return Outcome::systemError(EACCES);
    return WriteFileReplacing(path, entry);
}
