#pragma once

#include "platform/Clipboard.h"

#include <memory>
#include <utility>

class X11SelectionWatch;

/// The X clipboard: content through QClipboard, changes from the X server's own notices on a
/// connection of its own (the XFixes extension), so that every change has a number and a
/// clearing can name the change it means.
class QtClipboard final : public Clipboard
{
public:
    enum class Clearing {
        NoOwner,     ///< an X11 desktop: the clipboard is left without owner
        OwnsNothing, ///< XWayland: the program owns a clipboard that offers nothing, which the
                     ///< compositor passes on to the Wayland side where it ignores "no owner"
    };

    explicit QtClipboard(Clearing clearing = Clearing::NoOwner);
    ~QtClipboard() override;

    quint64 changeCount() override;
    bool hasImage() override;
    void fetch(quint64 change) override;
    void setImage(const QImage& image) override;
    void clear() override;
    void clearIfStill(quint64 change) override;

private:
    void qtChanged();

    std::unique_ptr<X11SelectionWatch> m_watch; // null without an X server: Qt's notices count
    quint64 m_qtChanges = 0;
    std::pair<quint64, quint64> m_known{~quint64(0), 0}; // changes whose image test is kept
    bool m_holdsImage = false;
};
