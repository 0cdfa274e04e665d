#include "DesktopShell.h"

#include <QDesktopServices>
#include <QUrl>

bool DesktopShell::explore(const QString& folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

bool DesktopShell::open(const QString& file)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}
