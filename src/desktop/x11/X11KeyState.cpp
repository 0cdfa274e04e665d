#include "X11KeyState.h"

#include "X11Windows.h"
#include "platform/HotkeyNames.h"

#include <QSocketNotifier>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>
#include <utility>

namespace {

// A press latched for a key nobody asks about (a modifier while its hotkey is up) is
// forgotten after this long, so an old Shift press does not block a hotkey much later.
constexpr qint64 latchLifetimeMs = 300;

QList<KeySym> keysymsFor(int virtualKey)
{
    if (virtualKey == VirtualKey::Shift)
        return {XK_Shift_L, XK_Shift_R};
    if (virtualKey == VirtualKey::Control)
        return {XK_Control_L, XK_Control_R};
    if (virtualKey == VirtualKey::Alt)
        return {XK_Alt_L, XK_Alt_R};
    if (const std::optional<HotkeyName> key = HotkeyNamed(virtualKey))
        return {XStringToKeysym(key->name.toLatin1().constData())};
    return {};
}

// Set when the server refuses a key grab: another client holds that key.
bool g_grabRefused = false;

int noteGrabRefused(Display*, XErrorEvent* error)
{
    if (error->request_code == X_GrabKey && error->error_code == BadAccess)
        g_grabRefused = true;
    return 0;
}

// The X modifier mask that Alt sets in this keyboard map: Mod1 on every usual one.
unsigned altMask(Display* display)
{
    unsigned mask = Mod1Mask;
    const KeyCode alt = XKeysymToKeycode(display, XK_Alt_L);
    XModifierKeymap* map = alt != 0 ? XGetModifierMapping(display) : nullptr;
    if (!map)
        return mask;
    for (int modifier = Mod1MapIndex; modifier <= Mod5MapIndex; ++modifier)
        for (int key = 0; key < map->max_keypermod; ++key)
            if (map->modifiermap[modifier * map->max_keypermod + key] == alt)
                mask = 1U << modifier;
    XFreeModifiermap(map);
    return mask;
}

} // namespace

X11KeyState::X11KeyState()
{
    m_clock.start();
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
        return;
    KeepProcessOnConnectionLoss(m_display);
    int event = 0;
    int error = 0;
    int major = 2;
    int minor = 0;
    if (!XQueryExtension(m_display, "XInputExtension", &m_xinputOpcode, &event, &error) ||
        XIQueryVersion(m_display, &major, &minor) != Success) {
        m_xinputOpcode = -1;
        return;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(m_display, DefaultRootWindow(m_display), &mask, 1);
    XFlush(m_display);
    for (const auto& [modifier, keycodes] :
         {std::pair{VirtualKey::Control, &m_controlKeys}, std::pair{VirtualKey::Shift, &m_shiftKeys},
          std::pair{VirtualKey::Alt, &m_altKeys}}) {
        for (const KeySym keysym : keysymsFor(modifier))
            if (const unsigned keycode = XKeysymToKeycode(m_display, keysym))
                keycodes->insert(keycode);
    }
    // Keys already down when the program starts are known only from the keymap.
    char keymap[32] = {};
    XQueryKeymap(m_display, keymap);
    for (unsigned keycode = 8; keycode < 256; ++keycode)
        if (keycodeDown(keymap, keycode))
            m_down.insert(keycode);
    m_notifier = std::make_unique<QSocketNotifier>(ConnectionNumber(m_display), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { drainEvents(); });
}

X11KeyState::~X11KeyState()
{
    m_notifier.reset();
    if (m_display)
        CloseConnection(m_display);
}

void X11KeyState::drainEvents()
{
    while (XEventsQueued(m_display, QueuedAfterReading) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != m_xinputOpcode ||
            !XGetEventData(m_display, cookie))
            continue;
        const auto keycode = static_cast<unsigned>(static_cast<const XIRawEvent*>(cookie->data)->detail);
        if (cookie->evtype == XI_RawKeyPress) {
            // A held key repeats its press; only the first one is latched, so releasing a
            // held hotkey does not fire it once more.
            if (!m_down.contains(keycode)) {
                m_pressedAt.insert(keycode, m_clock.elapsed());
                m_lastPress.insert(keycode, {m_clock.elapsed(), modifiersDown()});
            }
            m_down.insert(keycode);
        } else if (cookie->evtype == XI_RawKeyRelease) {
            m_down.remove(keycode);
        }
        XFreeEventData(m_display, cookie);
    }
}

int X11KeyState::modifiersDown() const
{
    const auto anyDown = [this](const QSet<unsigned>& keycodes) { return m_down.intersects(keycodes); };
    return (anyDown(m_controlKeys) ? HotkeyModifier::Control : 0) |
           (anyDown(m_shiftKeys) ? HotkeyModifier::Shift : 0) |
           (anyDown(m_altKeys) ? HotkeyModifier::Alt : 0);
}

std::optional<int> X11KeyState::modifiersAtPress(int virtualKey)
{
    if (!m_display)
        return std::nullopt;
    // Asked right after asyncState, which has read the events.
    std::optional<Press> latest;
    for (const KeySym keysym : keysymsFor(virtualKey)) {
        const auto press = m_lastPress.constFind(XKeysymToKeycode(m_display, keysym));
        if (press != m_lastPress.cend() && (!latest || press->at > latest->at))
            latest = *press;
    }
    return latest ? std::optional(latest->modifiers) : std::nullopt;
}

bool X11KeyState::keycodeDown(const char keymap[32], unsigned keycode) const
{
    return keycode < 256 && (static_cast<unsigned char>(keymap[keycode / 8]) >> (keycode % 8)) & 1;
}

short X11KeyState::asyncState(int virtualKey)
{
    const QList<KeySym> keysyms = keysymsFor(virtualKey);
    if (!m_display || keysyms.isEmpty())
        return 0;
    if (m_xinputOpcode >= 0)
        drainEvents();
    const qint64 now = m_clock.elapsed();
    bool down = false;
    bool pressed = false;
    bool keymapRead = false;
    char keymap[32] = {};
    for (KeySym keysym : keysyms) {
        const unsigned keycode = XKeysymToKeycode(m_display, keysym);
        if (keycode == 0)
            continue;
        // The key events say which keys are down without asking the server, so an idle tick
        // costs no round trip. A key they report down is confirmed from the keymap, so a
        // release that was never seen cannot leave a hotkey firing forever.
        if (m_xinputOpcode < 0 || m_down.contains(keycode)) {
            if (!keymapRead)
                XQueryKeymap(m_display, keymap);
            keymapRead = true;
            const bool held = keycodeDown(keymap, keycode);
            if (!held)
                m_down.remove(keycode);
            down = down || held;
        }
        const auto latched = m_pressedAt.find(keycode);
        if (latched != m_pressedAt.end()) {
            pressed = pressed || now - latched.value() <= latchLifetimeMs;
            m_pressedAt.erase(latched);
        }
    }
    if (!down && !pressed)
        return 0;
    return static_cast<short>(0x8000 | (pressed ? 1 : 0));
}

bool X11KeyState::taken(int virtualKey, int modifiers)
{
    const QList<KeySym> keysyms = keysymsFor(virtualKey);
    if (!m_display || keysyms.isEmpty() || ConnectionLost(m_display))
        return false;
    unsigned mask = 0;
    if (modifiers >= 0 && modifiers <= HotkeyModifier::All) {
        mask |= (modifiers & HotkeyModifier::Control) ? ControlMask : 0;
        mask |= (modifiers & HotkeyModifier::Shift) ? ShiftMask : 0;
        mask |= (modifiers & HotkeyModifier::Alt) ? altMask(m_display) : 0;
    }
    const Window root = DefaultRootWindow(m_display);
    bool refused = false;
    // The keys are read without grabbing them; a grab is only tried to learn whether the
    // server gives it, and let go of at once.
    for (const KeySym keysym : keysyms) {
        const KeyCode keycode = XKeysymToKeycode(m_display, keysym);
        if (keycode == 0)
            continue;
        XSync(m_display, False);
        g_grabRefused = false;
        const auto previous = XSetErrorHandler(noteGrabRefused);
        XGrabKey(m_display, keycode, mask, root, False, GrabModeAsync, GrabModeAsync);
        XSync(m_display, False);
        XSetErrorHandler(previous);
        if (g_grabRefused) {
            refused = true;
        } else {
            XUngrabKey(m_display, keycode, mask, root);
            XFlush(m_display);
        }
    }
    return refused;
}
