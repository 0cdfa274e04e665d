#pragma once

#include "platform/KeyState.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <memory>

class QSocketNotifier;
struct _XDisplay; // NOLINT(bugprone-reserved-identifier): Xlib's own name for a Display

/// The key state from the X server: the keys down now, plus every key press seen since the
/// key was last asked about, latched from XInput2 raw events on the root window with the
/// modifiers held at that press. Raw events grab nothing, so the focused program still
/// receives the keys. Without an X display no key is ever down.
class X11KeyState final : public KeyState
{
public:
    X11KeyState();
    ~X11KeyState() override;
    X11KeyState(const X11KeyState&) = delete;
    X11KeyState& operator=(const X11KeyState&) = delete;

    short asyncState(int virtualKey) override;
    std::optional<int> modifiersAtPress(int virtualKey) override;

    /// Another X client holds the key when the server refuses a grab of it.
    bool taken(int virtualKey, int modifiers) override;

private:
    /// The hotkey modifier code (HotkeyModifier) of the keys down now, as the events tell it.
    int modifiersDown() const;

    void drainEvents();
    bool keycodeDown(const char keymap[32], unsigned keycode) const;

    _XDisplay* m_display = nullptr;
    int m_xinputOpcode = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QElapsedTimer m_clock;
    QHash<unsigned, qint64> m_pressedAt; // key code -> when its last press was seen
    QSet<unsigned> m_down;               // key codes pressed and not yet released
    struct Press
    {
        qint64 at;
        int modifiers;
    };
    QHash<unsigned, Press> m_lastPress; // key code -> its last press and the modifiers held then
    QSet<unsigned> m_controlKeys;       // the key codes of Ctrl, Shift and Alt
    QSet<unsigned> m_shiftKeys;
    QSet<unsigned> m_altKeys;
};
