#pragma once

#include "ui/dialogs/LibraryDialogs.h"

#include <QList>
#include <QStringList>
#include <optional>

/// Answers the library's dialogs from scripts, as the user would have answered them; a used-up
/// script cancels. Records what each dialog was opened with.
struct FakeLibraryDialogs final : LibraryDialogs
{
    std::optional<QString> AskForName(const QString& proposed) override;
    std::optional<ImageSetChoice> AskForRelocation(const RelocationRequest& request) override;
    FileOption AskForFileOption() override;

    QList<std::optional<QString>> names; // nullopt: Cancel
    QStringList namesOffered;            // the name each name dialog opened with
    QList<QStringList> targets;          // {Category, Image Set}; an empty one cancels
    QStringList captions;
    QList<FileOption> fileOptions;
};
