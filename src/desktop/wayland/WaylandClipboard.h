#pragma once

#include "PipeReader.h"
#include "platform/Clipboard.h"
#include "platform/ClipboardWriter.h"

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
    ~WaylandClipboard() override;
    WaylandClipboard(const WaylandClipboard&) = delete;
    WaylandClipboard& operator=(const WaylandClipboard&) = delete;

    quint64 changeCount() override;
    void clearIfStill(quint64 change) override;
    quint64 offer(QMimeData* offer) override;

    /// The protocol's side of the clipboard, one implementation per protocol.
    class Device;

private:
    explicit WaylandClipboard(std::unique_ptr<Device> device);
    void noted();
    void selected();
    void receive(quint64 change, quint64 follows, QStringList types);
    void read();

    std::unique_ptr<Device> m_device;
    std::unique_ptr<XWaylandClipboard> m_x11; // null without an X display
    quint64 m_x11Change = 0;                  // the change at which the X11 side was looked at
    unsigned long m_x11TakenAt = 0;           // ... and when its owner then had taken it
    PipeReader m_reader;                      // goes first, so that no answer outlives the clipboard
    bool m_reading = false;
    bool m_readLast = false; // the clipboard changed while a picture was read
};
