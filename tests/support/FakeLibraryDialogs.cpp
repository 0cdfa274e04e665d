#include "FakeLibraryDialogs.h"

std::optional<QString> FakeLibraryDialogs::AskForName(const QString& proposed)
{
    namesOffered.append(proposed);
    return names.isEmpty() ? std::nullopt : names.takeFirst();
}

std::optional<ImageSetChoice> FakeLibraryDialogs::AskForRelocation(const RelocationRequest& request)
{
    captions.append(request.caption);
    const QStringList target = targets.isEmpty() ? QStringList() : targets.takeFirst();
    if (target.isEmpty())
        return std::nullopt;
    return ImageSetChoice{target.value(0), target.value(1)};
}

FileOption FakeLibraryDialogs::AskForFileOption()
{
    return fileOptions.isEmpty() ? FileOption::Cancel : fileOptions.takeFirst();
}
