#pragma once

#include "platform/Shell.h"

#include <QObject>

/// Hands folders and files to the desktop's opener, xdg-open, and hears how it ended: a failure
/// is told also when the opener started but found nothing to open with.
class DesktopShell final : public Shell
{
public:
    void explore(const QString& folder, Failed failed) override;
    void open(const QString& path, Failed failed) override;
    QList<DesktopProgram> programsFor(const QString& path) override;
    void openWith(const QString& path, const QString& id, Failed failed) override;
    void showInFolder(const QString& path, Failed failed) override;

private:
    void runOpener(const QString& path, const Failed& failed);

    QObject m_openers; // the openers still running; one left at the end is stopped, not what it started
};
