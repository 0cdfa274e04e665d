// Real key presses for a KDE Plasma session without a keyboard (KWin's virtual output): the
// compositor's fake input protocol feeds them in as a keyboard would, so they reach its global
// shortcuts whatever window is focused.
//   FakeKeys ctrl+shift+k   presses the keys in order and releases them in reverse
#include "fake-input-client-protocol.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>
#include <wayland-client.h>

namespace {

org_kde_kwin_fake_input* g_input = nullptr;

constexpr wl_registry_listener registryListener{
    [](void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
        if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
            g_input = static_cast<org_kde_kwin_fake_input*>(
                wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
    },
    [](void*, wl_registry*, uint32_t) {}};

// The evdev key code of a key's name: ctrl, shift, alt, a letter or a digit; 0 for others.
uint32_t keyCode(const std::string& name)
{
    static const std::map<std::string, uint32_t> modifiers{{"ctrl", 29}, {"shift", 42}, {"alt", 56}};
    if (name.size() != 1)
        return modifiers.count(name) ? modifiers.at(name) : 0;
    static const char* const rows[] = {"1234567890", "qwertyuiop", "asdfghjkl", "zxcvbnm"};
    static const uint32_t firsts[] = {2, 16, 30, 44};
    for (int row = 0; row < 4; ++row)
        if (const char* at = std::strchr(rows[row], std::tolower(name[0])))
            return firsts[row] + static_cast<uint32_t>(at - rows[row]);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2)
        return 2;
    std::vector<uint32_t> keys;
    std::string rest = argv[1];
    for (size_t plus; !rest.empty(); rest = plus == std::string::npos ? "" : rest.substr(plus + 1)) {
        plus = rest.find('+');
        const uint32_t code = keyCode(rest.substr(0, plus));
        if (code == 0)
            return 2;
        keys.push_back(code);
    }
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return 1;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, nullptr);
    wl_display_roundtrip(display);
    if (!g_input) {
        std::fprintf(stderr, "the compositor offers no fake input to this program\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(g_input, "Vistrelle tests", "real key presses");
    // Each key down in order, then up in reverse.
    for (size_t step = 0; step < 2 * keys.size(); ++step) {
        const bool down = step < keys.size();
        org_kde_kwin_fake_input_keyboard_key(g_input, keys[down ? step : 2 * keys.size() - 1 - step], down);
        wl_display_roundtrip(display);
        usleep(30000);
    }
    wl_proxy_destroy(reinterpret_cast<wl_proxy*>(g_input));
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return 0;
}
