// A native Wayland window of the tests' own, painted in four known colours, one a quarter each
// (red top left, green top right, blue bottom left, yellow bottom right), so that a capture can
// be checked by its content:
//   PaintedWindow APP_ID WIDTH HEIGHT [decorated]
//                                       shows the window at that size, or at the size the
//                                       compositor gives it (a tiling one), painted anew at each
//                                       size; prints "shown WxH" each time; "decorated" asks the
//                                       compositor for its title bar and frame around it
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace {

struct Window
{
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    xdg_wm_base* shell = nullptr;
    zxdg_decoration_manager_v1* decorations = nullptr;
    wl_surface* surface = nullptr;
    int width = 0;
    int height = 0;
    int nextWidth = 0;
    int nextHeight = 0;
    bool closed = false;
};

constexpr uint32_t quarters[4] = {0xffdc2828, 0xff28c83c, 0xff2850dc, 0xffe6d228};

void paint(Window& window)
{
    const int stride = window.width * 4;
    const size_t bytes = static_cast<size_t>(stride) * static_cast<size_t>(window.height);
    const int memory = memfd_create("painted-window", MFD_CLOEXEC);
    if (memory < 0 || ftruncate(memory, static_cast<off_t>(bytes)) != 0)
        std::exit(1);
    auto* pixels =
        static_cast<uint32_t*>(mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, memory, 0));
    if (pixels == MAP_FAILED)
        std::exit(1);
    for (int y = 0; y < window.height; ++y)
        for (int x = 0; x < window.width; ++x)
            pixels[y * window.width + x] =
                quarters[(y < window.height / 2 ? 0 : 2) + (x < window.width / 2 ? 0 : 1)];
    munmap(pixels, bytes);
    wl_shm_pool* pool = wl_shm_create_pool(window.shm, memory, static_cast<int32_t>(bytes));
    wl_buffer* buffer =
        wl_shm_pool_create_buffer(pool, 0, window.width, window.height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(memory);
    wl_surface_attach(window.surface, buffer, 0, 0);
    wl_surface_damage(window.surface, 0, 0, window.width, window.height);
    wl_surface_commit(window.surface);
    std::printf("shown %dx%d\n", window.width, window.height);
    std::fflush(stdout);
}

void configure(void* data, xdg_surface* surface, uint32_t serial)
{
    auto& window = *static_cast<Window*>(data);
    xdg_surface_ack_configure(surface, serial);
    if (window.nextWidth > 0 && window.nextHeight > 0 &&
        (window.nextWidth != window.width || window.nextHeight != window.height)) {
        window.width = window.nextWidth;
        window.height = window.nextHeight;
        paint(window);
    } else {
        wl_surface_commit(window.surface);
    }
}

constexpr wl_registry_listener registryListener{
    [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
        auto& window = *static_cast<Window*>(data);
        if (std::strcmp(interface, wl_compositor_interface.name) == 0)
            window.compositor =
                static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 4));
        else if (std::strcmp(interface, wl_shm_interface.name) == 0)
            window.shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
        else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0)
            window.shell =
                static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
        else if (std::strcmp(interface, zxdg_decoration_manager_v1_interface.name) == 0)
            window.decorations = static_cast<zxdg_decoration_manager_v1*>(
                wl_registry_bind(registry, name, &zxdg_decoration_manager_v1_interface, 1));
    },
    [](void*, wl_registry*, uint32_t) {}};
constexpr xdg_wm_base_listener shellListener{
    [](void*, xdg_wm_base* shell, uint32_t serial) { xdg_wm_base_pong(shell, serial); }};
constexpr xdg_surface_listener surfaceListener{&configure};
constexpr xdg_toplevel_listener toplevelListener{
    [](void* data, xdg_toplevel*, int32_t width, int32_t height, wl_array*) {
        auto& window = *static_cast<Window*>(data);
        if (width > 0 && height > 0) { // zero leaves the size to the window
            window.nextWidth = width;
            window.nextHeight = height;
        }
    },
    [](void* data, xdg_toplevel*) { static_cast<Window*>(data)->closed = true; },
    [](void*, xdg_toplevel*, int32_t, int32_t) {}, [](void*, xdg_toplevel*, wl_array*) {}};

} // namespace

int main(int argc, char* argv[])
{
    const bool decorated = argc == 5 && std::strcmp(argv[4], "decorated") == 0;
    if (argc != 4 && !decorated)
        return 2;
    Window window;
    window.nextWidth = std::atoi(argv[2]);
    window.nextHeight = std::atoi(argv[3]);
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return 1;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &window);
    wl_display_roundtrip(display);
    if (!window.compositor || !window.shm || !window.shell || (decorated && !window.decorations))
        return 1;
    xdg_wm_base_add_listener(window.shell, &shellListener, nullptr);
    window.surface = wl_compositor_create_surface(window.compositor);
    xdg_surface* surface = xdg_wm_base_get_xdg_surface(window.shell, window.surface);
    xdg_surface_add_listener(surface, &surfaceListener, &window);
    xdg_toplevel* toplevel = xdg_surface_get_toplevel(surface);
    xdg_toplevel_add_listener(toplevel, &toplevelListener, &window);
    xdg_toplevel_set_app_id(toplevel, argv[1]);
    xdg_toplevel_set_title(toplevel, argv[1]);
    if (decorated)
        zxdg_toplevel_decoration_v1_set_mode(
            zxdg_decoration_manager_v1_get_toplevel_decoration(window.decorations, toplevel),
            ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE);
    wl_surface_commit(window.surface);
    while (!window.closed && wl_display_dispatch(display) >= 0) {
    }
    return 0;
}
