#pragma once

#include "platform/MessageBoxes.h"

class QtMessageBoxes final : public MessageBoxes
{
public:
    BoxAnswer show(const QString& text, BoxLook look, BoxButtons buttons) override;
};
