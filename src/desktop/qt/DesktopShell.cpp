#include "DesktopShell.h"

#include <QFileInfo>
#include <QProcess>

void DesktopShell::explore(const QString& folder, Failed failed)
{
    runOpener(folder, std::move(failed));
}

void DesktopShell::open(const QString& path, Failed failed)
{
    // The opener would report a missing file only as a failure to open it.
    if (!QFileInfo(path).isFile()) {
        failed();
        return;
    }
    runOpener(path, std::move(failed));
}

void DesktopShell::runOpener(const QString& path, Failed failed)
{
    auto* opener = new QProcess(&m_openers);
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({path});
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
