#pragma once

#include "platform/ActiveWindowSource.h"
#include "platform/Clipboard.h"
#include "platform/ClipboardWriter.h"
#include "platform/Clock.h"
#include "platform/FolderWatcher.h"
#include "platform/InstanceLock.h"
#include "platform/KeyState.h"
#include "platform/MessageBoxes.h"
#include "platform/Notifications.h"
#include "platform/ScreenGrab.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/ShortcutLatch.h"
#include "platform/Sound.h"
#include "platform/SystemTray.h"
#include "platform/TextReader.h"

#include <QHash>
#include <QMimeData>
#include <QSet>
#include <QStringList>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

/// One message box as the user would have seen it.
struct ShownBox
{
    QString text;
    BoxLook look;
};

/// Answers boxes from a script (Ok or No when the script is used up) and records them.
struct FakeMessageBoxes final : MessageBoxes
{
    BoxAnswer show(const QString& text, BoxLook look, BoxButtons buttons) override;
    QStringList texts() const;

    QList<BoxAnswer> answers;
    QList<ShownBox> shown;
    std::function<void()> whileShown; // what the program does meanwhile (a capture's refresh)
};

/// A clipboard that other programs fill (setImage(), copyText()), take over or empty; every
/// change is numbered and announced, as the desktop's is, and its picture arrives once the
/// event loop runs, or when the test says so (sendLater): a transfer that takes its time. A
/// picture replaced before it is sent never arrives.
struct FakeClipboard final : Clipboard, ClipboardWriter
{
    quint64 changeCount() override { return changes; }
    void clearIfStill(quint64 change) override;
    /// The program's own copy: a change of its own whose picture is never sent back to it.
    quint64 offer(QMimeData* offer) override;

    /// Another program copies \a image.
    void setImage(const QImage& image);
    /// Another program copies words.
    void copyText();
    /// Another program empties the clipboard, or the owner leaves it as its program exits.
    void emptied();
    /// Sends the picture of the oldest change waiting, when it is still on the clipboard;
    /// false when none waits.
    bool send();

    bool holdsImage = false;
    QImage picture;
    QByteArray bytes; // sent instead of the picture when set: a file the owner offers
    quint64 changes = 0;
    int sent = 0;
    bool sendLater = false;             // pictures wait for send()
    bool killedOnItsWay = false;        // pictures are read, but the program dies before they arrive
    QList<quint64> waiting;             // changes whose picture is not sent yet
    QList<quint64> ownClearings;        // changes made by the program's clearings
    QList<quint64> empties;             // changes that put nothing there, ours or not
    std::unique_ptr<QMimeData> offered; // what the program copied last, while it is there

private:
    void change(const QImage& image, bool content);
};

/// A clock that stands still unless told, and records the waits instead of waiting.
struct FakeClock final : Clock
{
    QDateTime now() override { return time; }
    void sleep(int milliseconds) override { slept.append(milliseconds); }

    QDateTime time{QDate(2004, 4, 17), QTime(15, 52, 28)};
    QList<int> slept;
};

/// Keys held down until released; a virtual-key code maps to its 16-bit state. A tapped key
/// reads as pressed once, as a press latched between two queries does.
struct FakeKeyState final : KeyState
{
    short asyncState(int virtualKey) override
    {
        if (taps.remove(virtualKey))
            return static_cast<short>(0x8001);
        return states.value(virtualKey, 0);
    }
    std::optional<int> modifiersAtPress(int virtualKey) override
    {
        return pressedWith.contains(virtualKey) ? std::optional(pressedWith.value(virtualKey)) : std::nullopt;
    }
    bool taken(int virtualKey, int modifiers) override { return held.contains({virtualKey, modifiers}); }
    void press(int virtualKey) { states[virtualKey] = static_cast<short>(0x8000); }
    void tap(int virtualKey) { taps.insert(virtualKey); }
    void releaseAll() { states.clear(); }

    QHash<int, short> states;
    QSet<int> taps;
    QHash<int, int> pressedWith;    // the modifier code held at a key's last press, where it was seen
    QSet<std::pair<int, int>> held; // key and modifier code another program holds
};

/// Gives \a window (given as the screen instead, because of \a why, when there is a why), or
/// fails with \a why, at once; or, when told to answer later, on answer(); or asks the user
/// first, and answers on proceed().
struct FakeScreenGrab final : ScreenGrab
{
    void grab() override
    {
        ++grabs;
        if (whileGrabbing)
            whileGrabbing();
        if (!asks.isEmpty())
            emit waiting(asks);
        else if (!answersLater)
            answer();
    }
    void proceed() override
    {
        asks.clear();
        answer();
    }
    void answer()
    {
        if (window.isNull())
            emit failed(why);
        else {
            if (!why.isEmpty())
                emit screenInstead(why);
            emit taken(window);
        }
    }

    QImage window;
    QString why;
    int grabs = 0;
    bool answersLater = false;
    QString asks;                        // what the desktop asks the user first
    std::function<void()> whileGrabbing; // what the desktop does while it is asked
};

struct FakeSound final : Sound
{
    void play(const QString& path) override { played.append(path); }
    QStringList played;
};

/// Opens nothing; when told to fail, it fails at once, as a missing opener does. Knows the
/// programs it is given for every file.
struct FakeShell final : Shell
{
    void explore(const QString& folder, Failed failed) override { ask(explored, folder, failed); }
    void open(const QString& path, Failed failed) override { ask(opened, path, failed); }
    QList<DesktopProgram> programsFor(const QString&) override { return programs; }
    void openWith(const QString& path, const QString& id, Failed failed) override
    {
        ask(openedWith, id + ' ' + path, failed);
    }
    void showInFolder(const QString& path, Failed failed) override { ask(shown, path, failed); }
    void ask(QStringList& asked, const QString& what, const Failed& failed)
    {
        asked.append(what);
        if (!succeeds)
            failed();
    }
    bool succeeds = true;
    QList<DesktopProgram> programs;
    QStringList explored, opened, openedWith, shown;
};

/// Shows nothing (what a capture's notification says and does is the end-to-end test's); counts
/// how often the program took its notification off the screen.
/// Records the summaries and buttons of the notifications shown.
struct FakeNotifications final : Notifications
{
    void notify(const QString& summary, const QString&, const QImage&, const QList<Action>& actions,
                const QString&) override
    {
        told.append(summary);
        for (const Action& action : actions)
            told.append(action.label);
    }
    /// Gone at once; counted.
    void withdraw(std::function<void()> gone) override
    {
        ++withdrawn;
        gone();
    }
    int withdrawn = 0;
    QStringList told;
};

/// Change notices as the tests make them: a notice reaches the program only for a folder it
/// follows, as the kernel's do.
struct FakeFolderWatcher final : FolderWatcher
{
    void watch(const QStringList& folders) override { watched = folders; }
    /// Another program changed an entry of \a folder: true when the program was told.
    bool change(const QString& folder)
    {
        if (!watched.contains(folder))
            return false;
        emit folderChanged(folder);
        return true;
    }
    /// Another program made, removed, renamed or wrote the entries \a names of \a folder.
    bool changeEntries(const QString& folder, const QStringList& names)
    {
        if (!watched.contains(folder))
            return false;
        emit entriesChanged(folder, names);
        return true;
    }
    QStringList watched;
};

struct FakeInstanceLock final : InstanceLock
{
    bool acquire() override { return !heldElsewhere; }
    bool acquireLibrary(const QString&) override { return !libraryHeldElsewhere; }
    bool heldElsewhere = false;
    bool libraryHeldElsewhere = false;
};

struct FakeSystemTray final : SystemTray
{
    bool available() override { return present; }
    bool present = false;
};

struct FakeActiveWindowSource final : ActiveWindowSource
{
    PictureSource activeWindow() override { return window; }
    PictureSource window;
};

/// Reads the words a test gave for a picture's bytes, at once; other pictures hold none, and
/// bytes that are no picture cannot be read. Called on the reader's thread.
struct FakeTextReader final : TextReader
{
    TextReading read(const QByteArray& bytes, const ReadingControl& control, ReadingHaste haste) override;
    QStringList installedLanguages() override { return {"deu", "eng"}; }
    void setLanguages(const QStringList& chosen) override;
    void rest() override {}
    void holdNow() override { ++holdsAsked; }

    /// The picture in the file at \a path holds \a words, each word in its box of \a boxes.
    void holds(const QString& path, const QString& words, const QList<QRect>& boxes = {});
    int reads() const { return static_cast<int>(readWords().size()); }
    /// The words of each picture read, in the order read.
    QStringList readWords() const { return locked(readSoFar); }
    QList<ReadingHaste> readHastes() const { return locked(hastes); }
    QStringList languages() const { return locked(chosen); }
    template <typename Field> Field locked(const Field& field) const
    {
        const std::lock_guard lock(mutex);
        return field;
    }

    mutable std::mutex mutex;
    QHash<QByteArray, QString> texts;
    QHash<QByteArray, QList<QRect>> boxes;
    QStringList chosen;
    QStringList readSoFar;
    QList<ReadingHaste> hastes; // of each picture read, in the order read
    std::atomic_int holdsAsked = 0;
    bool missingData = false; // as without the language data
    /// What happens while a picture is read, on the reader's thread, as it is told to go on.
    std::function<void(const ReadingControl& control)> whileReading;
};

/// The fakes bundled as the Services the logic takes.
struct FakeServices
{
    FakeMessageBoxes boxes;
    FakeClipboard clipboard;
    FakeShell shell;
    FakeInstanceLock instance;
    FakeClock clock;
    FakeKeyState keys;
    FakeScreenGrab grab;
    FakeSound sound;
    FakeSystemTray tray;
    ShortcutLatch shortcuts;
    FakeActiveWindowSource windowSource;
    FakeTextReader reader;
    FakeNotifications notifications;
    FakeFolderWatcher watcher;
    Services services{boxes, clipboard, shell,        instance, clock,     keys,          grab,   sound,
                      tray,  shortcuts, windowSource, reader,   clipboard, notifications, watcher};
};
