#pragma once

#include "PipeReader.h"
#include "desktop/qt/TransferLimits.h"
#include "platform/Clipboard.h"
#include "platform/ClipboardWriter.h"

#include <QStringList>
#include <functional>
#include <memory>

class XWaylandClipboard;

/// The clipboard of a Wayland desktop through the compositor's data-control protocol, on a
/// Wayland connection of the program's own: the compositor tells of every copy, and lets the
/// picture be read and the clipboard be emptied whatever window is focused.
class WaylandClipboard final : public Clipboard, public ClipboardWriter
{
public:
    enum class Protocol {
        Ext, ///< ext-data-control-v1
        Wlr, ///< zwlr_data_control_manager_v1
    };

    /// The clipboard of the Wayland display the environment names, through \a protocol; null
    /// when there is no such display or its compositor does not offer the protocol.
    static std::unique_ptr<WaylandClipboard> open(Protocol protocol);

    /// What the clipboard needs of a data-control connection, whichever protocol carries it.
    class Device
    {
    public:
        virtual ~Device() = default;
        /// Hands every change of the selection, as the compositor tells it, to \a changed.
        void reportTo(std::function<void()> changed) { m_changed = std::move(changed); }
        /// Reads what has arrived from the compositor; false once the connection is lost.
        virtual bool pump() = 0;
        virtual quint64 change() const = 0;
        /// The last change before the present one that put anything there, leaving out those
        /// that emptied the clipboard (this program's clearings, another program's, an owner
        /// leaving).
        virtual quint64 follows() const = 0;
        /// The types of the present selection; empty when there is none or it is this program's.
        virtual QStringList foreignTypes() const = 0;
        /// True while what this program offered is the selection.
        virtual bool owns() const = 0;
        /// A pipe the present selection's owner is asked to send it through in \a type; -1 when
        /// none can be had.
        virtual int receive(const QString& type) = 0;
        /// Offers \a data in each of its types, taking it over.
        virtual void offer(std::unique_ptr<QMimeData> data) = 0;
        virtual void empty() = 0;

    protected:
        /// Tells of a change of the selection.
        void report() const
        {
            if (m_changed)
                m_changed();
        }

    private:
        std::function<void()> m_changed;
    };

    /// The clipboard over \a device, reading each picture within \a limits.
    explicit WaylandClipboard(std::unique_ptr<Device> device, TransferLimits limits = {});
    ~WaylandClipboard() override;
    WaylandClipboard(const WaylandClipboard&) = delete;
    WaylandClipboard& operator=(const WaylandClipboard&) = delete;

    quint64 changeCount() override;
    void clearIfStill(quint64 change) override;
    quint64 offer(QMimeData* offer) override;

private:
    void noted();
    void selected();
    void receive(quint64 change, quint64 follows, QStringList types);
    void read();

    std::unique_ptr<Device> m_device;
    TransferLimits m_limits;
    std::unique_ptr<XWaylandClipboard> m_x11; // null without an X display
    quint64 m_x11Change = 0;                  // the change at which the X11 side was looked at
    unsigned long m_x11TakenAt = 0;           // ... and when its owner then had taken it
    PipeReader m_reader;                      // goes first, so that no answer outlives the clipboard
    bool m_reading = false;
    bool m_readLast = false; // the clipboard changed while a picture was read
    quint64 m_asked = 0;     // the last change whose picture was asked for
};
