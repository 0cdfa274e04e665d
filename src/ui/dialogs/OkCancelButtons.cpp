#include "OkCancelButtons.h"

#include <QPushButton>

OkCancelButtons::OkCancelButtons(QWidget* dialog)
    : cmdOK(new QPushButton(QStringLiteral("&OK"), dialog))
    , cmdCancel(new QPushButton(QStringLiteral("&Cancel"), dialog))
{
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
}
