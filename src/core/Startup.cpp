#include "Startup.h"

#include <QDir>
#include <QTemporaryFile>
#include <cerrno>
#include <filesystem>
#include <system_error>

QString ProgramDataFolder(const QString& programDir, const QString& userDataFolder)
{
    // Permission bits do not tell the whole story (read-only mounts, root), so try it.
    QTemporaryFile probe(programDir + QStringLiteral(".vistrelle-XXXXXX"));
    if (probe.open())
        return programDir;
    QDir().mkpath(userDataFolder);
    return userDataFolder.endsWith(QLatin1Char('/')) ? userDataFolder : userDataFolder + QLatin1Char('/');
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
    const fs::path root(libraryRoot.toStdString());
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
