#include "QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon iconFor(BoxLook look)
{
    switch (look) {
    case BoxLook::Information:
        return QMessageBox::Information;
    case BoxLook::Exclamation:
        return QMessageBox::Warning;
    case BoxLook::Critical:
        return QMessageBox::Critical;
    case BoxLook::NoIcon:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

BoxAnswer QtMessageBoxes::show(const QString& text, BoxLook look, BoxButtons buttons)
{
    const bool yesNo = buttons == BoxButtons::YesNo;
    QMessageBox box(iconFor(look), QStringLiteral("Vistrelle"), text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("VistrelleMessage"));
    const int answer = box.exec();
    if (!yesNo)
        return BoxAnswer::Ok;
    return answer == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}
