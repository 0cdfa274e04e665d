#include "DesktopShell.h"

#include "platform/FileNames.h"
#include "platform/FileSystem.h"

#include <QProcess>
#include <QUrl>

namespace {

// Built from the name's bytes: a name that is not valid UTF-8 reaches the opener unchanged.
QUrl fileUrl(const QString& path)
{
    return QUrl::fromEncoded("file://" + NativePath(path).toPercentEncoding("/"));
}

} // namespace

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

QList<DesktopProgram> DesktopShell::programsFor(const QString&)
{
    return {};
}

void DesktopShell::openWith(const QString&, const QString&, Failed failed)
{
    failed();
}

void DesktopShell::showInFolder(const QString& path, Failed failed)
{
    explore(path.section(QLatin1Char('/'), 0, -2), std::move(failed));
}
