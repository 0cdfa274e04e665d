#include "DesktopSession.h"

#include <QFileInfo>
#include <wayland-client.h>

namespace {

void global(void* data, wl_registry*, uint32_t, const char* interface, uint32_t)
{
    static_cast<QStringList*>(data)->append(QString::fromUtf8(interface));
}

void globalRemoved(void*, wl_registry*, uint32_t) {}

constexpr wl_registry_listener registryListener{&global, &globalRemoved};

} // namespace

DesktopSession ProbeDesktopSession()
{
    DesktopSession session;
    session.desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP").toUpper();
    const QString swaySocket = qEnvironmentVariable("SWAYSOCK");
    session.swayIpc = !swaySocket.isEmpty() && QFileInfo(swaySocket).exists();
    session.windowGrab = qEnvironmentVariable("VISTRELLE_WINDOW_GRAB");
    // Without WAYLAND_DISPLAY the library would try a default name, which an X11 session
    // does not answer to anyway.
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return session;
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return session;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &session.globals);
    session.wayland = wl_display_roundtrip(display) >= 0;
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return session;
}
