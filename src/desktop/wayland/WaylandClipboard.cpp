#include "WaylandClipboard.h"

#include "PipeWriter.h"
#include "desktop/qt/ImageTypes.h"
#include "desktop/x11/XWaylandClipboard.h"
#include "ext-data-control-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <QCoreApplication>
#include <QHash>
#include <QMimeData>
#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>

namespace {

const QString textType = QStringLiteral("text/plain");

} // namespace

namespace {

// The generated names of one data-control protocol, so that one implementation serves both;
// the two protocols carry the same requests and events in the same order.
#define VISTRELLE_DATA_CONTROL(Name, prefix)                                                                 \
    struct Name                                                                                              \
    {                                                                                                        \
        using Manager = prefix##_manager_v1;                                                                 \
        using Device = prefix##_device_v1;                                                                   \
        using Source = prefix##_source_v1;                                                                   \
        using Offer = prefix##_offer_v1;                                                                     \
        using DeviceListener = prefix##_device_v1_listener;                                                  \
        using SourceListener = prefix##_source_v1_listener;                                                  \
        using OfferListener = prefix##_offer_v1_listener;                                                    \
        static const wl_interface* manager() { return &prefix##_manager_v1_interface; }                      \
        static Device* device(Manager* m, wl_seat* s) { return prefix##_manager_v1_get_data_device(m, s); }  \
        static Source* source(Manager* m) { return prefix##_manager_v1_create_data_source(m); }              \
        static void destroy(Manager* m) { prefix##_manager_v1_destroy(m); }                                  \
        static void destroy(Device* d) { prefix##_device_v1_destroy(d); }                                    \
        static void destroy(Source* s) { prefix##_source_v1_destroy(s); }                                    \
        static void destroy(Offer* o) { prefix##_offer_v1_destroy(o); }                                      \
        static void listen(Device* d, const DeviceListener* l, void* p)                                      \
        {                                                                                                    \
            prefix##_device_v1_add_listener(d, l, p);                                                        \
        }                                                                                                    \
        static void listen(Source* s, const SourceListener* l, void* p)                                      \
        {                                                                                                    \
            prefix##_source_v1_add_listener(s, l, p);                                                        \
        }                                                                                                    \
        static void listen(Offer* o, const OfferListener* l, void* p)                                        \
        {                                                                                                    \
            prefix##_offer_v1_add_listener(o, l, p);                                                         \
        }                                                                                                    \
        static void select(Device* d, Source* s) { prefix##_device_v1_set_selection(d, s); }                 \
        static void offer(Source* s, const char* type) { prefix##_source_v1_offer(s, type); }                \
        static void receive(Offer* o, const char* type, int fd) { prefix##_offer_v1_receive(o, type, fd); }  \
    }

VISTRELLE_DATA_CONTROL(ExtDataControl, ext_data_control);
VISTRELLE_DATA_CONTROL(WlrDataControl, zwlr_data_control);
#undef VISTRELLE_DATA_CONTROL

template <class P> class DataControlDevice final : public WaylandClipboard::Device
{
public:
    using Manager = typename P::Manager;
    using Offer = typename P::Offer;
    using Source = typename P::Source;

    // The connection with the protocol's manager and the first seat, or null.
    static std::unique_ptr<DataControlDevice> open()
    {
        wl_display* display = wl_display_connect(nullptr);
        if (!display)
            return nullptr;
        std::unique_ptr<DataControlDevice> device(new DataControlDevice(display));
        if (!device->bind())
            return nullptr;
        return device;
    }

    ~DataControlDevice() override
    {
        m_notifier.reset();
        if (m_selection)
            P::destroy(m_selection);
        if (m_primary)
            P::destroy(m_primary);
        for (auto offer = m_offers.keyBegin(); offer != m_offers.keyEnd(); ++offer)
            P::destroy(*offer);
        if (m_source)
            P::destroy(m_source);
        if (m_device)
            P::destroy(m_device);
        if (m_manager)
            P::destroy(m_manager);
        if (m_seat)
            wl_seat_destroy(m_seat);
        if (m_registry)
            wl_registry_destroy(m_registry);
        wl_display_disconnect(m_display);
    }

    bool pump() override
    {
        if (m_lost)
            return false;
        while (wl_display_prepare_read(m_display) != 0)
            wl_display_dispatch_pending(m_display);
        wl_display_flush(m_display);
        pollfd wait{wl_display_get_fd(m_display), POLLIN, 0};
        if (poll(&wait, 1, 0) > 0)
            wl_display_read_events(m_display);
        else
            wl_display_cancel_read(m_display);
        wl_display_dispatch_pending(m_display);
        return checkConnection();
    }

    quint64 change() const override { return m_change; }
    quint64 follows() const override { return m_follows; }

    QStringList foreignTypes() const override
    {
        return m_selection && !m_source ? m_selectionTypes : QStringList();
    }

    bool owns() const override { return m_source != nullptr; }

    int receive(const QString& type) override
    {
        if (m_lost || !m_selection)
            return -1;
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0)
            return -1;
        P::receive(m_selection, type.toUtf8().constData(), ends[1]);
        wl_display_flush(m_display);
        ::close(ends[1]);
        return ends[0];
    }

    void offer(std::unique_ptr<QMimeData> data) override
    {
        QStringList types;
        for (const QString& type : data->formats()) {
            types.append(type);
            // Wayland programs ask for text under the names X11 programs used too.
            if (type == textType)
                types << QStringLiteral("text/plain;charset=utf-8") << QStringLiteral("UTF8_STRING")
                      << QStringLiteral("STRING") << QStringLiteral("TEXT");
        }
        types.removeDuplicates();
        m_ownData = std::move(data);
        select(types);
    }

    void empty() override
    {
        if (m_lost)
            return;
        // The selection event of the clearing arrives within the round trip: it is ours.
        P::select(m_device, nullptr);
        m_emptying = true;
        wl_display_roundtrip(m_display);
        m_emptying = false;
        checkConnection();
    }

private:
    // Makes a source offering \a types the selection, in place of the program's last one.
    void select(const QStringList& types)
    {
        if (m_lost)
            return;
        if (m_source)
            P::destroy(m_source);
        m_source = P::source(m_manager);
        P::listen(m_source, &sourceListener, this);
        for (const QString& type : types)
            P::offer(m_source, type.toUtf8().constData());
        P::select(m_device, m_source);
        // The selection event of this copy arrives before the call returns, so the change
        // it makes is known to whoever asks next.
        wl_display_roundtrip(m_display);
        checkConnection();
    }

    explicit DataControlDevice(wl_display* display)
        : m_display(display)
    {
    }

    bool bind()
    {
        m_registry = wl_display_get_registry(m_display);
        wl_registry_add_listener(m_registry, &registryListener, this);
        wl_display_roundtrip(m_display);
        if (!m_manager || !m_seat)
            return false;
        m_device = P::device(m_manager, m_seat);
        P::listen(m_device, &deviceListener, this);
        // The present selection arrives at once; it was there before the program started.
        wl_display_roundtrip(m_display);
        if (!checkConnection())
            return false;
        m_notifier = std::make_unique<QSocketNotifier>(wl_display_get_fd(m_display), QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { pump(); });
        return true;
    }

    bool checkConnection()
    {
        if (!m_lost && wl_display_get_error(m_display) == 0)
            return true;
        // The compositor is gone: the clipboard stays empty from here on.
        if (!m_lost && m_notifier)
            m_notifier->setEnabled(false);
        m_lost = true;
        return false;
    }

    static void global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
    {
        auto* self = static_cast<DataControlDevice*>(data);
        if (!self->m_manager && qstrcmp(interface, P::manager()->name) == 0)
            self->m_manager = static_cast<Manager*>(wl_registry_bind(registry, name, P::manager(), 1));
        else if (!self->m_seat && qstrcmp(interface, wl_seat_interface.name) == 0)
            self->m_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    }
    static void globalRemoved(void*, wl_registry*, uint32_t) {}

    static void dataOffer(void* data, typename P::Device*, Offer* offer)
    {
        auto* self = static_cast<DataControlDevice*>(data);
        self->m_offers.insert(offer, {});
        P::listen(offer, &offerListener, self);
    }

    static void offered(void* data, Offer* offer, const char* type)
    {
        auto* self = static_cast<DataControlDevice*>(data);
        if (auto found = self->m_offers.find(offer); found != self->m_offers.end())
            found->append(QString::fromUtf8(type));
    }

    static void selection(void* data, typename P::Device*, Offer* offer)
    {
        auto* self = static_cast<DataControlDevice*>(data);
        if (self->m_selection)
            P::destroy(self->m_selection);
        self->m_selection = offer;
        self->m_selectionTypes = offer ? self->m_offers.take(offer) : QStringList();
        ++self->m_change;
        // A change that empties the clipboard (a clearing, another program's, an owner leaving)
        // puts nothing there: the same picture after it may be the one before, put back.
        if (offer && !self->m_emptying) {
            self->m_follows = self->m_lastForeign;
            self->m_lastForeign = self->m_change;
        }
        self->report();
    }

    static void primarySelection(void* data, typename P::Device*, Offer* offer)
    {
        auto* self = static_cast<DataControlDevice*>(data);
        if (self->m_primary)
            P::destroy(self->m_primary);
        self->m_primary = offer;
        if (offer)
            self->m_offers.remove(offer);
    }

    static void finished(void* data, typename P::Device*)
    {
        // The seat went away; without it there is no clipboard to watch.
        auto* self = static_cast<DataControlDevice*>(data);
        self->m_lost = true;
        if (self->m_notifier)
            self->m_notifier->setEnabled(false);
    }

    static void send(void* data, Source*, const char* type, int fd)
    {
        auto* self = static_cast<DataControlDevice*>(data);
        if (!self->m_ownData) {
            ::close(fd);
            return;
        }
        const QString asked = QString::fromUtf8(type);
        const bool text = asked.startsWith(QLatin1String("text/plain")) ||
                          asked == QLatin1String("UTF8_STRING") || asked == QLatin1String("STRING") ||
                          asked == QLatin1String("TEXT");
        PipeWriter::start(
            fd, self->m_ownData->data(text && !self->m_ownData->hasFormat(asked) ? textType : asked));
    }

    static void cancelled(void* data, Source* source)
    {
        auto* self = static_cast<DataControlDevice*>(data);
        P::destroy(source);
        if (self->m_source == source) {
            self->m_source = nullptr;
            self->m_ownData.reset();
        }
    }

    static constexpr wl_registry_listener registryListener{&global, &globalRemoved};
    static constexpr
        typename P::DeviceListener deviceListener{&dataOffer, &selection, &finished, &primarySelection};
    static constexpr typename P::OfferListener offerListener{&offered};
    static constexpr typename P::SourceListener sourceListener{&send, &cancelled};

    wl_display* m_display;
    wl_registry* m_registry = nullptr;
    Manager* m_manager = nullptr;
    wl_seat* m_seat = nullptr;
    typename P::Device* m_device = nullptr;
    QHash<Offer*, QStringList> m_offers; // introduced, not yet the selection
    Offer* m_selection = nullptr;
    QStringList m_selectionTypes;
    Offer* m_primary = nullptr;
    Source* m_source = nullptr;           // what this program offered, while it is the selection
    std::unique_ptr<QMimeData> m_ownData; // what the user copied out of the library
    quint64 m_change = 0;
    quint64 m_follows = 0;
    quint64 m_lastForeign = 0; // the last change that put anything there
    bool m_emptying = false;
    bool m_lost = false;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace

std::unique_ptr<WaylandClipboard> WaylandClipboard::open(Protocol protocol)
{
    std::unique_ptr<Device> device;
    if (protocol == Protocol::Ext)
        device = DataControlDevice<ExtDataControl>::open();
    else
        device = DataControlDevice<WlrDataControl>::open();
    if (!device)
        return nullptr;
    auto clipboard = std::make_unique<WaylandClipboard>(std::move(device));
    // The X11 side is emptied too where the desktop has one: its owner stays otherwise.
    clipboard->m_x11 = XWaylandClipboard::open();
    clipboard->noted();
    return clipboard;
}

WaylandClipboard::WaylandClipboard(std::unique_ptr<Device> device, TransferLimits limits)
    : m_device(std::move(device))
    , m_limits(limits)
{
    // A new selection's picture is read once the compositor's events of the moment have all
    // been taken.
    m_device->reportTo([this] {
        noted();
        emit changed();
        QMetaObject::invokeMethod(this, &WaylandClipboard::selected, Qt::QueuedConnection);
    });
    // What the clipboard held at start is read like any other picture.
    QMetaObject::invokeMethod(this, &WaylandClipboard::selected, Qt::QueuedConnection);
}

WaylandClipboard::~WaylandClipboard() = default;

quint64 WaylandClipboard::changeCount()
{
    m_device->pump();
    return m_device->change();
}

void WaylandClipboard::noted()
{
    // An X11 program's copy reaches the X11 side before the compositor passes it on: the X11
    // owner of a change is the one there as the change is told.
    if (!m_x11)
        return;
    m_x11Change = m_device->change();
    m_x11TakenAt = m_x11->takenAt();
}

void WaylandClipboard::selected()
{
    // One picture is read at a time; owners that came and went meanwhile are passed over for
    // the last one, whose transfer starts once the one under way has ended.
    if (m_reading) {
        m_readLast = true;
        return;
    }
    m_device->pump();
    // Several changes told before the first is looked at all lead here; each is read once.
    if (m_device->owns() || m_device->change() == m_asked)
        return;
    const QStringList types = ReadableImageTypes(m_device->foreignTypes());
    if (types.isEmpty())
        return;
    m_reading = true;
    m_asked = m_device->change();
    receive(m_asked, m_device->follows(), types);
}

void WaylandClipboard::receive(quint64 change, quint64 follows, QStringList types)
{
    // The pipe is read away from the window; the bytes are the offer's own, also when the
    // clipboard changes meanwhile. A type that brings nothing gives way to the next.
    m_device->pump();
    if (m_device->change() != change)
        return read();
    if (types.isEmpty()) {
        // Each type of the picture on offer brought nothing: told like an owner that stopped,
        // rather than leaving the user waiting for a file.
        emit arrived(ClipboardPicture::failed(
            change, QCoreApplication::translate(
                        "WaylandClipboard",
                        "The program that offered the picture on the clipboard stopped sending it.")));
        return read();
    }
    const int fd = m_device->receive(types.takeFirst());
    if (fd < 0)
        return read();
    // Kept as soon as it is read whole, before the window takes it up.
    m_reader.read(
        fd, m_limits, this,
        [this, change, follows, types](const QByteArray& bytes, const QString& failure, quint64 kept) {
            if (!failure.isEmpty()) {
                emit arrived(ClipboardPicture::failed(change, failure));
            } else if (bytes.isEmpty()) {
                return receive(change, follows, types);
            } else {
                ClipboardPicture picture = ClipboardPicture::sent(change, follows, bytes);
                picture.caught = kept;
                emit arrived(picture);
            }
            read();
        },
        [this, change, follows](const QByteArray& bytes) {
            return caught(ClipboardPicture::sent(change, follows, bytes)).caught;
        });
}

void WaylandClipboard::read()
{
    m_reading = false;
    if (std::exchange(m_readLast, false))
        selected();
}

quint64 WaylandClipboard::offer(QMimeData* offer)
{
    m_device->offer(std::unique_ptr<QMimeData>(offer));
    return m_device->owns() ? m_device->change() : 0;
}

void WaylandClipboard::clearIfStill(quint64 change)
{
    // Wayland has no way to hold the compositor while looking: a copy made in the moment
    // between this look and the clearing is lost with it. The look is as late as it can be.
    m_device->pump();
    if (m_device->change() != change)
        return;
    // The compositor leaves the X11 side to its X11 owner, still offering the picture there.
    const unsigned long x11TakenAt = m_x11Change == change ? m_x11TakenAt : 0;
    m_device->empty();
    if (m_x11)
        m_x11->emptyAsOf(x11TakenAt);
}
