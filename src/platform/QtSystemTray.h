#pragma once

#include "SystemTray.h"

class QtSystemTray final : public SystemTray
{
public:
    bool available() override;
};
