#pragma once

#include <array>

/// The program's two capture shortcuts.
enum class Shortcut {
    ActiveWindow,
    TimeLapse,
};

/// The shortcuts as something outside the keyboard reports them: the desktop's global shortcut
/// service (pressed and released) and a command handed over by a second start (a tap). Read by
/// the hotkey poll like a key: a tap between two looks counts once.
class ShortcutLatch
{
public:
    void press(Shortcut shortcut);
    void release(Shortcut shortcut);
    /// A press and its release at once; a hold reported by press() goes on.
    void tap(Shortcut shortcut);
    /// True while \a shortcut is held, or when it was pressed since the last look.
    bool fired(Shortcut shortcut);

private:
    struct State
    {
        bool held = false;
        bool pressed = false; // since the last look
    };
    std::array<State, 2> m_states{};
};
