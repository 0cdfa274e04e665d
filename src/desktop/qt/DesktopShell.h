#pragma once

#include "platform/Shell.h"

class DesktopShell final : public Shell
{
public:
    bool explore(const QString& folder) override;
    bool open(const QString& path) override;
};
