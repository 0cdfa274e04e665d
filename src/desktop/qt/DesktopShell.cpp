#include "DesktopShell.h"

#include "platform/FileNames.h"
#include "platform/FileSystem.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

// Built from the name's bytes: a name that is not valid UTF-8 reaches the opener unchanged.
QUrl fileUrl(const QString& path)
{
    return QUrl::fromEncoded("file://" + NativePath(path).toPercentEncoding("/"));
}

} // namespace

bool DesktopShell::explore(const QString& folder)
{
    return QDesktopServices::openUrl(fileUrl(folder));
}

bool DesktopShell::open(const QString& path)
{
    // The desktop's opener starts detached and reports success for any name, so a missing
    // file is caught here.
    const std::optional<FileFacts> facts = ReadFileFacts(path);
    return facts && facts->regular && QDesktopServices::openUrl(fileUrl(path));
}
