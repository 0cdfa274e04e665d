#pragma once

#include <functional>

/// Runs the event loops of the boxes that wait for an answer (message boxes and dialogs), so
/// that the end of the program never comes while one is on the stack. A quit
/// (a logout, a termination signal, the session manager's quit) that comes while boxes wait
/// closes them all; it is held until the last one has returned to the window that opened it,
/// and then ends the program as it would have without them, windows closed and settings saved.
/// Until then no box opens. For the window thread.
class ModalLoop
{
public:
    /// Runs \a exec, the loop of a box; \a close ends that loop early. False when a quit ended
    /// it, or the program is ending and \a exec was not run at all.
    static bool run(const std::function<void()>& exec, const std::function<void()>& close);
};
