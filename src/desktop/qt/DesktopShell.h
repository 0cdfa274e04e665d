#pragma once

#include "platform/Shell.h"

#include <QDBusConnection>
#include <QObject>

/// Hands folders and files to the desktop's opener, xdg-open, and hears how it ended: a failure
/// is told also when the opener started but found nothing to open with. The programs for a file
/// come from the desktop's registry through GIO; a file is shown in its folder by the file
/// manager on the session bus.
class DesktopShell final : public Shell
{
public:
    /// Asks the file manager on \a bus to show files.
    explicit DesktopShell(const QDBusConnection& bus = QDBusConnection::sessionBus());
    ~DesktopShell() override;

    void explore(const QString& folder, Failed failed) override;
    void open(const QString& path, Failed failed) override;
    QList<DesktopProgram> programsFor(const QString& path) override;
    void openWith(const QString& path, const QString& id, Failed failed) override;
    void showInFolder(const QString& path, Failed failed) override;

private:
    void runOpener(const QString& path, const Failed& failed);

    QDBusConnection m_bus;
    // The openers still running and the file manager's answers awaited; one left at the end is
    // stopped, not what it started.
    QObject m_openers;
};
