#include "X11ActiveWindowSource.h"

#include "X11Windows.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// A window can close while it is looked at; its errors must not end the program (Xlib's
// default handler exits), so they are counted instead.
int g_errors = 0;
int countError(Display*, XErrorEvent*)
{
    ++g_errors;
    return 0;
}

// The bytes of \a property of \a window in \a type, 8 bits a unit; empty when it has none.
QByteArray property(Display* display, Window window, Atom property, Atom type)
{
    Atom found = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    QByteArray bytes;
    if (XGetWindowProperty(display, window, property, 0, 4096, False, type, &found, &format, &count, &after,
                           &data) == Success &&
        data && found == type && format == 8)
        bytes = QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count));
    if (data)
        XFree(data);
    return bytes;
}

QString titleOf(Display* display, Window window)
{
    const QByteArray name = property(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                                     XInternAtom(display, "UTF8_STRING", False));
    if (!name.isEmpty())
        return QString::fromUtf8(name);
    // An old program's title, in the encoding it gave.
    XTextProperty text{};
    QString title;
    if (XGetWMName(display, window, &text) && text.value) {
        char** list = nullptr;
        int count = 0;
        if (Xutf8TextPropertyToTextList(display, &text, &list, &count) >= Success && list && count > 0)
            title = QString::fromUtf8(list[0]);
        if (list)
            XFreeStringList(list);
        XFree(text.value);
    }
    return title;
}

// The window itself, or the nearest window above it that names its program: the input focus
// may lie on a child of the program's window.
Window programWindow(Display* display, Window window, Window root, QString& program)
{
    while (window != None && window != root) {
        XClassHint hint{};
        if (XGetClassHint(display, window, &hint)) {
            program =
                QString::fromLocal8Bit(hint.res_class && *hint.res_class ? hint.res_class : hint.res_name);
            XFree(hint.res_name);
            XFree(hint.res_class);
            return window;
        }
        window = ParentWindow(display, window);
    }
    return None;
}

} // namespace

void X11ActiveWindowSource::DisplayCloser::operator()(_XDisplay* display) const
{
    CloseConnection(display);
}

X11ActiveWindowSource::X11ActiveWindowSource() = default;
X11ActiveWindowSource::~X11ActiveWindowSource() = default;

PictureSource X11ActiveWindowSource::activeWindow()
{
    if (!m_display)
        m_display.reset(XOpenDisplay(nullptr));
    if (m_display)
        KeepProcessOnConnectionLoss(m_display.get());
    Display* display = m_display.get();
    if (!display)
        return {};
    g_errors = 0;
    const auto previous = XSetErrorHandler(countError);
    PictureSource source;
    const Window root = DefaultRootWindow(display);
    const Window active = ActiveWindow(display, root);
    const Window window = programWindow(display, active, root, source.program);
    if (active != None)
        source.title = titleOf(display, window != None ? window : active);
    XSync(display, False);
    XSetErrorHandler(previous);
    if (g_errors != 0)
        return {};
    return source;
}
