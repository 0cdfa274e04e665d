#include "OkCancelButtons.h"

#include <QCoreApplication>
#include <QPushButton>

OkCancelButtons::OkCancelButtons(QWidget* dialog)
    : cmdOK(new QPushButton(QCoreApplication::translate("OkCancelButtons", "&OK"), dialog))
    , cmdCancel(new QPushButton(QCoreApplication::translate("OkCancelButtons", "&Cancel"), dialog))
{
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
}
