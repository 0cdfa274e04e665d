#include "FakeLibraryDialogs.h"

std::optional<QString> FakeLibraryDialogs::AskForName(QWidget*, const QString& what, const QString& proposed)
{
    namesOffered.append(what + '|' + proposed);
    return names.isEmpty() ? std::nullopt : names.takeFirst();
}

std::optional<ImageSetChoice> FakeLibraryDialogs::AskForRelocation(QWidget*, const RelocationRequest& request)
{
    captions.append(request.caption);
    const QStringList target = targets.isEmpty() ? QStringList() : targets.takeFirst();
    if (target.isEmpty())
        return std::nullopt;
    return ImageSetChoice{target.value(0), target.value(1)};
}

FileOption FakeLibraryDialogs::AskForFileOption(QWidget*)
{
    return fileOptions.isEmpty() ? FileOption::Cancel : fileOptions.takeFirst();
}
