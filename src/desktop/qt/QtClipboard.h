#pragma once

#include "TransferLimits.h"
#include "platform/Clipboard.h"
#include "platform/ClipboardWriter.h"

#include <memory>

class X11ClipboardReader;

/// The X clipboard: read on an X connection and a thread of its own (X11ClipboardReader), so
/// that no other program's transfer ever holds the window; what the program copies itself goes
/// through QClipboard, which serves it, and is numbered among the changes as its own.
class QtClipboard final : public Clipboard, public ClipboardWriter
{
public:
    enum class Clearing {
        NoOwner,     ///< an X11 desktop: the clipboard is left without owner
        OwnsNothing, ///< XWayland: the program owns a clipboard that offers nothing, which the
                     ///< compositor passes on to the Wayland side where it ignores "no owner"
    };

    explicit QtClipboard(Clearing clearing = Clearing::NoOwner, TransferLimits limits = {});
    ~QtClipboard() override;

    quint64 changeCount() override { return m_change; }
    void clearIfStill(quint64 change) override;
    quint64 offer(QMimeData* offer) override;

private:
    void known(quint64 change);

    std::unique_ptr<X11ClipboardReader> m_reader; // null without an X server: nothing is read
    quint64 m_change = 0;
};
