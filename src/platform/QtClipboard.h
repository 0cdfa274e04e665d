#pragma once

#include "Clipboard.h"

class QtClipboard final : public Clipboard
{
public:
    bool hasImage() override;
    void clear() override;
};
