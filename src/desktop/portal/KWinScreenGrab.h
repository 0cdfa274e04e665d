#pragma once

#include "platform/ScreenGrab.h"

#include <memory>

/// The active window from KDE Plasma's compositor (org.kde.KWin.ScreenShot2), which gives it
/// to programs whose desktop entry names that interface; where it refuses, \a otherwise.
class KWinScreenGrab final : public ScreenGrab
{
public:
    explicit KWinScreenGrab(std::unique_ptr<ScreenGrab> otherwise);
    ~KWinScreenGrab() override;
    QImage activeWindow() override;

private:
    std::unique_ptr<ScreenGrab> m_otherwise;
};
