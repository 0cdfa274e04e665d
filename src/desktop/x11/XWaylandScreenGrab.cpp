#include "XWaylandScreenGrab.h"

XWaylandScreenGrab::XWaylandScreenGrab(std::unique_ptr<ScreenGrab> wayland)
    : m_wayland(std::move(wayland))
{
    if (!m_wayland)
        return;
    connect(m_wayland.get(), &ScreenGrab::taken, this, &ScreenGrab::taken);
    connect(m_wayland.get(), &ScreenGrab::failed, this, &ScreenGrab::failed);
    connect(m_wayland.get(), &ScreenGrab::waiting, this, &ScreenGrab::waiting);
    connect(m_wayland.get(), &ScreenGrab::screenInstead, this, &ScreenGrab::screenInstead);
}

XWaylandScreenGrab::~XWaylandScreenGrab() = default;

void XWaylandScreenGrab::grab()
{
    // The compositor has no X11 window active while a Wayland window has the focus.
    const QImage picture = m_x11.activeWindow();
    if (!picture.isNull())
        emit taken(picture);
    else if (m_wayland)
        m_wayland->grab();
    else
        emit failed(QString());
}

void XWaylandScreenGrab::proceed()
{
    if (m_wayland)
        m_wayland->proceed();
}
