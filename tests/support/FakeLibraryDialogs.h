#pragma once

#include "ui/dialogs/LibraryDialogs.h"

#include <QList>
#include <QStringList>
#include <optional>

/// Answers the library's dialogs from scripts, as the user would have answered them; a used-up
/// script cancels. Records what each dialog was opened with.
struct FakeLibraryDialogs final : LibraryDialogs
{
    std::optional<QString> AskForName(QWidget* over, const QString& what, const QString& proposed) override;
    std::optional<ImageSetChoice> AskForRelocation(QWidget* over, const RelocationRequest& request) override;
    FileOption AskForFileOption(QWidget* over) override;

    QList<std::optional<QString>> names; // nullopt: Cancel
    QStringList namesOffered;            // what each name dialog said it names, "|", the name it offered
    QList<QStringList> targets;          // {Category, Image Set}; an empty one cancels
    QStringList captions;
    QList<FileOption> fileOptions;
};
