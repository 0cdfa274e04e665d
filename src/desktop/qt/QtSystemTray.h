#pragma once

#include "platform/SystemTray.h"

class QtSystemTray final : public SystemTray
{
public:
    bool available() override;
};
