#include "Startup.h"

#include "platform/FileNames.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

QString asFolder(const QString& path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

bool writable(const QString& folder)
{
    // Permission bits do not tell the whole story (read-only mounts, root), so try it.
    QTemporaryFile probe(folder + QStringLiteral(".vistrelle-XXXXXX"));
    return probe.open();
}

bool holdsLibrary(const QString& folder)
{
    return QFileInfo(folder + QStringLiteral("Vistrelles")).isDir();
}

} // namespace

DataFolders DataFoldersFor(const QString& programDir, const UserFolders& user)
{
    const bool installed = QFileInfo::exists(programDir + QLatin1String(InstalledMarker));
    if (!installed && writable(programDir))
        return {programDir, programDir};
    // Nothing is moved without asking: a library where an earlier version kept it stays in use.
    if (holdsLibrary(programDir))
        return {writable(programDir) ? programDir : asFolder(user.config), programDir};
    const QString former = asFolder(user.formerData);
    if (holdsLibrary(former))
        return {former, former};
    QDir().mkpath(user.config);
    QDir().mkpath(user.pictures);
    return {asFolder(user.config), asFolder(user.pictures)};
}

std::optional<QString> LibraryRootFor(const QString& programDir, const QString& argumentText)
{
    if (argumentText.isEmpty())
        return programDir + QStringLiteral("Vistrelles/");
    if (argumentText.size() == 1)
        return std::nullopt;
    QString parent = QDir(argumentText).absolutePath();
    if (!parent.endsWith(QLatin1Char('/')))
        parent += QLatin1Char('/');
    return parent + QStringLiteral("Vistrelles/");
}

Outcome CreateLibraryIfMissing(const QString& libraryRoot)
{
    namespace fs = std::filesystem;
    const fs::path root(NativePath(libraryRoot).toStdString());
    std::error_code error;
    const bool exists = fs::is_directory(root, error);
    if (error && error != std::errc::no_such_file_or_directory)
        return Outcome::failed(error.value(), QString::fromStdString(error.message()));
    if (exists)
        return {};
    for (const fs::path& folder :
         {root, root / "Default Category", root / "Default Category" / "Default Image Set"}) {
        if (!fs::create_directory(folder, error) && error)
            return Outcome::failed(error.value(), QString::fromStdString(error.message()));
        if (!fs::is_directory(folder, error))
            return Outcome::systemError(ENOTDIR);
    }
    return {};
}
