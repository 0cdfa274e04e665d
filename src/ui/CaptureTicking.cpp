#include "CaptureTicking.h"

#include "capture/CaptureTick.h"
#include "core/AppState.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"

namespace {

class TickGuard
{
public:
    explicit TickGuard(bool& running)
        : m_running(running)
    {
        m_running = true;
    }
    ~TickGuard() { m_running = false; }
    TickGuard(const TickGuard&) = delete;
    TickGuard& operator=(const TickGuard&) = delete;

private:
    bool& m_running;
};

} // namespace

void TickAndTell(AppState& state, Services& services, bool imageSetShown,
                 const std::function<void()>& refresh)
{
    if (state.captureTickRunning)
        return;
    const TickGuard guard(state.captureTickRunning);
    const std::optional<Outcome> outcome = CaptureTick(state, services, imageSetShown);
    if (!outcome)
        return;
    if (!outcome->done()) {
        services.boxes.show(outcome->text, outcome->kind == Outcome::Kind::Refused ? BoxLook::Information
                                                                                   : BoxLook::Exclamation);
        return;
    }
    if (refresh)
        refresh();
}
