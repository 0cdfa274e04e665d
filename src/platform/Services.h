#pragma once

class ActiveWindowSource;
class Clipboard;
class ClipboardWriter;
class Clock;
class FolderWatcher;
class InstanceLock;
class KeyState;
class MessageBoxes;
class Notifications;
class ScreenGrab;
class Shell;
class ShortcutLatch;
class Sound;
class SystemTray;
class TextReader;

/// The machine as the program sees it. DesktopServices holds the real services; tests pass fakes.
struct Services
{
    MessageBoxes& boxes;
    Clipboard& clipboard;
    Shell& shell;
    InstanceLock& instance;
    Clock& clock;
    KeyState& keys;
    ScreenGrab& grab;
    Sound& sound;
    SystemTray& tray;
    ShortcutLatch& shortcuts; ///< the capture shortcuts as the desktop or a second start hands them over
    ActiveWindowSource& windowSource;
    TextReader& reader;               ///< reads on the text reader's own thread
    ClipboardWriter& clipboardWriter; ///< what the user copies out of the library
    Notifications& notifications;
    FolderWatcher& watcher; ///< the change notices of the library's folders shown
};
