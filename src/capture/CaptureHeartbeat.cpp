#include "CaptureHeartbeat.h"

#include "CaptureTick.h"

namespace {

constexpr int tickMs = 100;

} // namespace

CaptureHeartbeat::CaptureHeartbeat(AppState& state, Services& services, CaptureEngine& engine)
    : m_state(state)
    , m_services(services)
    , m_engine(engine)
{
    m_timer.setInterval(tickMs);
    connect(&m_timer, &QTimer::timeout, this, &CaptureHeartbeat::tick);
}

void CaptureHeartbeat::start()
{
    if (!m_timer.isActive())
        m_timer.start();
}

void CaptureHeartbeat::tick()
{
    CaptureTick(m_state, m_services, m_engine);
}
