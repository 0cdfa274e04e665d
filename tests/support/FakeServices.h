#pragma once

#include "library/LibraryDialogs.h"
#include "platform/Clipboard.h"
#include "platform/InstanceLock.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "platform/Shell.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

/// One message box as the user would have seen it.
struct ShownBox
{
    QString text;
    BoxLook look;
    BoxButtons buttons;
};

/// Answers boxes from a script (Ok or No when the script is used up) and records them.
class FakeMessageBoxes final : public MessageBoxes
{
public:
    BoxAnswer show(const QString& text, BoxLook look, BoxButtons buttons) override;

    QList<BoxAnswer> answers;
    QList<ShownBox> shown;
    std::function<void()> whileShown; // what the program does meanwhile (a capture's refresh)
    QStringList texts() const;
};

class FakeClipboard final : public Clipboard
{
public:
    bool hasImage() override { return holdsImage; }
    void clear() override { holdsImage = false; }

    bool holdsImage = false;
};

class FakeShell final : public Shell
{
public:
    bool explore(const QString& folder) override;
    bool open(const QString& path) override;

    bool succeeds = true;
    QStringList explored;
    QStringList opened;
};

/// Answers the library's dialogs from scripts, as the user would have answered them; a used-up
/// script cancels. Records what each dialog was opened with.
class FakeLibraryDialogs final : public LibraryDialogs
{
public:
    void AskForName(AppState& state) override;
    void AskForRelocation(AppState& state, const QString& caption, const QStringList& categories) override;
    void AskForFileOption(AppState& state) override;

    QList<std::optional<QString>> names; // nullopt: Cancel
    QStringList namesOffered;            // enteredName as each name dialog opened
    QList<QStringList> targets;          // {Category, Image Set}
    QStringList captions;
    QList<int> fileOptions;
};

class FakeInstanceLock final : public InstanceLock
{
public:
    bool acquire() override { return !heldElsewhere; }

    bool heldElsewhere = false;
};

/// The fakes bundled as the Services the application object takes.
struct FakeServices
{
    FakeMessageBoxes boxes;
    FakeClipboard clipboard;
    FakeShell shell;
    FakeInstanceLock instance;
    FakeLibraryDialogs dialogs;
    Services services{boxes, clipboard, shell, instance, dialogs};
};
