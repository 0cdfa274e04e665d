#pragma once

#include "platform/Clipboard.h"
#include "platform/InstanceLock.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "platform/Shell.h"

#include <QList>
#include <QStringList>

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
    Services services{boxes, clipboard, shell, instance};
};
