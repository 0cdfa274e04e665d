#include "ShortcutLatch.h"

namespace {

constexpr auto index(Shortcut shortcut)
{
    return static_cast<std::size_t>(shortcut);
}

} // namespace

void ShortcutLatch::press(Shortcut shortcut)
{
    State& state = m_states[index(shortcut)];
    // A held shortcut that the desktop reports again is one press, not two.
    if (!state.held)
        state.pressed = true;
    state.held = true;
}

void ShortcutLatch::release(Shortcut shortcut)
{
    m_states[index(shortcut)].held = false;
}

void ShortcutLatch::tap(Shortcut shortcut)
{
    // A press that is over at once: it fires once, and a hold the desktop reports goes on.
    m_states[index(shortcut)].pressed = true;
}

bool ShortcutLatch::fired(Shortcut shortcut)
{
    State& state = m_states[index(shortcut)];
    const bool fired = state.held || state.pressed;
    state.pressed = false;
    return fired;
}
