#include "WlrootsScreenGrab.h"

#include "wlr-screencopy-unstable-v1-client-protocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QtEndian>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>
#include <vector>
#include <wayland-client.h>

namespace {

constexpr int answerMs = 2000;

// --- the compositor's IPC: "i3-ipc", then length and type as native 32-bit numbers, then JSON.

QByteArray askTree()
{
    const QString path = qEnvironmentVariable("SWAYSOCK");
    if (path.isEmpty())
        return {};
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(answerMs))
        return {};
    constexpr quint32 getTree = 4;
    QByteArray message("i3-ipc");
    const quint32 header[2] = {0, getTree};
    message.append(reinterpret_cast<const char*>(header), sizeof header);
    socket.write(message);
    QByteArray answer;
    constexpr qsizetype headerSize = 14;
    while (answer.size() < headerSize ||
           answer.size() < headerSize + qFromUnaligned<quint32>(answer.constData() + 6)) {
        if (!socket.waitForReadyRead(answerMs))
            return {};
        answer.append(socket.readAll());
        if (answer.size() > qsizetype(64) * 1024 * 1024)
            return {};
    }
    return answer.mid(headerSize, qFromUnaligned<quint32>(answer.constData() + 6));
}

QRect rectOf(const QJsonValue& value)
{
    const QJsonObject rect = value.toObject();
    return QRect(rect.value(QLatin1String("x")).toInt(), rect.value(QLatin1String("y")).toInt(),
                 rect.value(QLatin1String("width")).toInt(), rect.value(QLatin1String("height")).toInt());
}

std::optional<FocusedWindow> focusedIn(const QJsonObject& node, const QString& output, QPoint outputOrigin)
{
    const QString type = node.value(QLatin1String("type")).toString();
    if (type == QLatin1String("output"))
        return std::nullopt; // outputs are searched one by one, from the root
    if (node.value(QLatin1String("focused")).toBool() &&
        (type == QLatin1String("con") || type == QLatin1String("floating_con"))) {
        // The content: the container's rectangle less the borders and title the compositor draws.
        const QRect container = rectOf(node.value(QLatin1String("rect")));
        const QRect content = rectOf(node.value(QLatin1String("window_rect")));
        const QRect onLayout(container.topLeft() + content.topLeft(), content.size());
        if (onLayout.isEmpty())
            return std::nullopt;
        return FocusedWindow{output, onLayout.translated(-outputOrigin)};
    }
    for (const char* children : {"nodes", "floating_nodes"}) {
        for (const QJsonValue child : node.value(QLatin1String(children)).toArray())
            if (auto found = focusedIn(child.toObject(), output, outputOrigin))
                return found;
    }
    return std::nullopt;
}

// --- the screencopy protocol: one frame of a region of one output, into shared memory.

struct Capture
{
    wl_shm* shm = nullptr;
    zwlr_screencopy_manager_v1* manager = nullptr;
    std::vector<std::pair<wl_output*, QString>> outputs;
    // the frame
    uint32_t format = 0;
    QSize size;
    int stride = 0;
    bool offered = false;
    bool invert = false;
    bool ready = false;
    bool failed = false;
};

void outputGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*,
                    int32_t)
{
}
void outputMode(void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {}
void outputDone(void*, wl_output*) {}
void outputScale(void*, wl_output*, int32_t) {}
void outputName(void* data, wl_output* output, const char* name)
{
    for (auto& [known, knownName] : static_cast<Capture*>(data)->outputs)
        if (known == output)
            knownName = QString::fromUtf8(name);
}
void outputDescription(void*, wl_output*, const char*) {}
constexpr wl_output_listener outputListener{&outputGeometry, &outputMode, &outputDone,
                                            &outputScale,    &outputName, &outputDescription};

void global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    auto* capture = static_cast<Capture*>(data);
    if (qstrcmp(interface, wl_shm_interface.name) == 0 && !capture->shm) {
        capture->shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    } else if (qstrcmp(interface, zwlr_screencopy_manager_v1_interface.name) == 0 && !capture->manager) {
        capture->manager = static_cast<zwlr_screencopy_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_screencopy_manager_v1_interface, 1));
    } else if (qstrcmp(interface, wl_output_interface.name) == 0) {
        // Version 4 tells the output's name, which the IPC uses too.
        auto* output = static_cast<wl_output*>(
            wl_registry_bind(registry, name, &wl_output_interface, std::min<uint32_t>(version, 4)));
        capture->outputs.emplace_back(output, QString());
        wl_output_add_listener(output, &outputListener, capture);
    }
}
void globalRemoved(void*, wl_registry*, uint32_t) {}
constexpr wl_registry_listener registryListener{&global, &globalRemoved};

void frameBuffer(void* data, zwlr_screencopy_frame_v1*, uint32_t format, uint32_t width, uint32_t height,
                 uint32_t stride)
{
    auto* capture = static_cast<Capture*>(data);
    capture->format = format;
    capture->size = QSize(static_cast<int>(width), static_cast<int>(height));
    capture->stride = static_cast<int>(stride);
    capture->offered = true;
}
void frameFlags(void* data, zwlr_screencopy_frame_v1*, uint32_t flags)
{
    static_cast<Capture*>(data)->invert = (flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0;
}
void frameReady(void* data, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t)
{
    static_cast<Capture*>(data)->ready = true;
}
void frameFailed(void* data, zwlr_screencopy_frame_v1*)
{
    static_cast<Capture*>(data)->failed = true;
}
void frameDamage(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void frameDmabuf(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {}
void frameBufferDone(void*, zwlr_screencopy_frame_v1*) {}
constexpr zwlr_screencopy_frame_v1_listener frameListener{
    &frameBuffer, &frameFlags, &frameReady, &frameFailed, &frameDamage, &frameDmabuf, &frameBufferDone};

// Dispatches until \a done or the compositor has been silent for too long.
template <class Done> bool dispatchUntil(wl_display* display, Done done)
{
    while (!done()) {
        while (wl_display_prepare_read(display) != 0)
            wl_display_dispatch_pending(display);
        wl_display_flush(display);
        pollfd wait{wl_display_get_fd(display), POLLIN, 0};
        const int ready = poll(&wait, 1, answerMs);
        if (ready <= 0) {
            wl_display_cancel_read(display);
            if (ready < 0 && errno == EINTR)
                continue;
            return false;
        }
        if (wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0)
            return false;
    }
    return true;
}

QImage::Format imageFormatOf(uint32_t format)
{
    switch (format) {
    case WL_SHM_FORMAT_XRGB8888:
    case WL_SHM_FORMAT_ARGB8888:
        return QImage::Format_RGB32; // B, G, R, X in memory
    case WL_SHM_FORMAT_XBGR8888:
    case WL_SHM_FORMAT_ABGR8888:
        return QImage::Format_RGBX8888; // R, G, B, X in memory
    default:
        return QImage::Format_Invalid;
    }
}

QImage copyRegion(wl_display* display, Capture& capture, wl_output* output, const QRect& region)
{
    zwlr_screencopy_frame_v1* frame = zwlr_screencopy_manager_v1_capture_output_region(
        capture.manager, 0, output, region.x(), region.y(), region.width(), region.height());
    zwlr_screencopy_frame_v1_add_listener(frame, &frameListener, &capture);
    QImage picture;
    if (dispatchUntil(display, [&] { return capture.offered || capture.failed; }) && !capture.failed &&
        imageFormatOf(capture.format) != QImage::Format_Invalid && !capture.size.isEmpty() &&
        capture.stride >= capture.size.width() * 4) {
        const qsizetype bytes = qsizetype(capture.stride) * capture.size.height();
        const int memory = memfd_create("vistrelle-screencopy", MFD_CLOEXEC);
        void* pixels = MAP_FAILED;
        if (memory >= 0 && ftruncate(memory, bytes) == 0)
            pixels = mmap(nullptr, static_cast<size_t>(bytes), PROT_READ | PROT_WRITE, MAP_SHARED, memory, 0);
        if (pixels != MAP_FAILED) {
            wl_shm_pool* pool = wl_shm_create_pool(capture.shm, memory, static_cast<int32_t>(bytes));
            wl_buffer* buffer = wl_shm_pool_create_buffer(
                pool, 0, capture.size.width(), capture.size.height(), capture.stride, capture.format);
            zwlr_screencopy_frame_v1_copy(frame, buffer);
            if (dispatchUntil(display, [&] { return capture.ready || capture.failed; }) && capture.ready) {
                // Copied out of the shared memory before it goes.
                picture = QImage(static_cast<const uchar*>(pixels), capture.size.width(),
                                 capture.size.height(), capture.stride, imageFormatOf(capture.format))
                              .copy()
                              .convertToFormat(QImage::Format_RGB32);
                if (capture.invert)
                    picture = picture.mirrored();
            }
            wl_buffer_destroy(buffer);
            wl_shm_pool_destroy(pool);
            munmap(pixels, static_cast<size_t>(bytes));
        }
        if (memory >= 0)
            ::close(memory);
    }
    zwlr_screencopy_frame_v1_destroy(frame);
    return picture;
}

QImage screencopy(const FocusedWindow& window)
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return {};
    Capture capture;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &capture);
    QImage picture;
    // The first round trip announces the globals, the second the outputs' names.
    if (wl_display_roundtrip(display) >= 0 && wl_display_roundtrip(display) >= 0 && capture.shm &&
        capture.manager) {
        wl_output* output = capture.outputs.size() == 1 ? capture.outputs.front().first : nullptr;
        for (const auto& [candidate, name] : capture.outputs)
            if (name == window.output)
                output = candidate;
        if (output)
            picture = copyRegion(display, capture, output, window.rect);
    }
    for (const auto& entry : capture.outputs)
        wl_output_destroy(entry.first);
    if (capture.manager)
        zwlr_screencopy_manager_v1_destroy(capture.manager);
    if (capture.shm)
        wl_shm_destroy(capture.shm);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return picture;
}

} // namespace

std::optional<FocusedWindow> FocusedWindowInTree(const QByteArray& tree)
{
    const QJsonObject root = QJsonDocument::fromJson(tree).object();
    for (const QJsonValue value : root.value(QLatin1String("nodes")).toArray()) {
        const QJsonObject output = value.toObject();
        if (output.value(QLatin1String("type")).toString() != QLatin1String("output"))
            continue;
        const QString name = output.value(QLatin1String("name")).toString();
        const QPoint origin = rectOf(output.value(QLatin1String("rect"))).topLeft();
        for (const char* children : {"nodes", "floating_nodes"})
            for (const QJsonValue child : output.value(QLatin1String(children)).toArray())
                if (auto found = focusedIn(child.toObject(), name, origin))
                    return found;
    }
    return std::nullopt;
}

WlrootsScreenGrab::~WlrootsScreenGrab()
{
    if (m_thread)
        m_thread->wait(); // each of its waits ends within seconds
    delete m_thread;
}

void WlrootsScreenGrab::grab()
{
    m_thread = QThread::create([this] {
        const std::optional<FocusedWindow> window = FocusedWindowInTree(askTree());
        m_picture = window ? screencopy(*window) : QImage();
    });
    connect(m_thread, &QThread::finished, this, [this] {
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
        const QImage picture = std::exchange(m_picture, QImage());
        if (picture.isNull())
            emit failed(QString());
        else
            emit taken(picture);
    });
    m_thread->start();
}
