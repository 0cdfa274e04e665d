#include "DesktopShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool DesktopShell::explore(const QString& folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

bool DesktopShell::open(const QString& path)
{
    // The desktop's opener starts detached and reports success for any name, so a missing
    // file is caught here.
    return QFileInfo(path).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
