#pragma once

#include "platform/ScreenGrab.h"

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QThread>
#include <optional>

/// Where the focused window lies: the output showing it and its content's rectangle in that
/// output's logical coordinates.
struct FocusedWindow
{
    QString output;
    QRect rect;

    bool operator==(const FocusedWindow&) const = default;
};

/// The focused window of a sway-compatible compositor's layout tree (the IPC's GET_TREE answer);
/// none when the focus is on no window (an empty workspace).
std::optional<FocusedWindow> FocusedWindowInTree(const QByteArray& tree);

/// The focused window on a wlroots desktop: its rectangle from the compositor's IPC (SWAYSOCK),
/// its pixels through the screencopy protocol, whatever program shows it. Both wait for the
/// compositor's answers, on a thread of their own.
class WlrootsScreenGrab final : public ScreenGrab
{
    Q_OBJECT

public:
    ~WlrootsScreenGrab() override;
    void grab() override;

private:
    QThread* m_thread = nullptr;
    QImage m_picture; // the thread's, until it ends
};
