#include "QtMessageBoxes.h"

#include "platform/ModalLoop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

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

// The lines of text a box holds whole on \a screen: half its height, the rest left to the title,
// the icon and the buttons. A longer text shows a quarter of the height, so the box stays on the
// screen with its details open too.
qsizetype linesIn(const QMessageBox& box, const QScreen* screen, int part)
{
    const int height = screen ? screen->availableGeometry().height() : 480;
    return std::max<qsizetype>(3, height / part / std::max(1, box.fontMetrics().lineSpacing()));
}

} // namespace

BoxAnswer QtMessageBoxes::show(const QString& text, BoxLook look, BoxButtons buttons)
{
    const bool yesNo = buttons == BoxButtons::YesNo;
    QMessageBox box(iconFor(look), QStringLiteral("Vistrelle"), text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("VistrelleMessage"));
    // A long list (files not moved or deleted) shows its first lines; the details hold it whole,
    // in a box that scrolls.
    const QStringList lines = text.split(QLatin1Char('\n'));
    const QScreen* screen =
        box.parentWidget() ? box.parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (lines.size() > linesIn(box, screen, 2)) {
        const qsizetype room = linesIn(box, screen, 4);
        box.setText(lines.first(room - 1).join(QLatin1Char('\n')) +
                    QCoreApplication::translate("QtMessageBoxes",
                                                "\n... and %1 more lines: Show Details lists them all.")
                        .arg(lines.size() - room + 1));
        box.setDetailedText(text);
        // The details open below the text: once the box has grown, it moves up where they would
        // pass the screen.
        for (QAbstractButton* button : box.buttons())
            if (box.buttonRole(button) == QMessageBox::ActionRole)
                QObject::connect(
                    button, &QAbstractButton::clicked, &box,
                    [&box, screen] {
                        if (!screen)
                            return;
                        const QRect free = screen->availableGeometry();
                        if (const int over = box.frameGeometry().bottom() - free.bottom(); over > 0)
                            box.move(box.x(), std::max(free.top(), box.y() - over));
                    },
                    Qt::QueuedConnection);
    }
    int answer = QMessageBox::No;
    ModalLoop::run([&box, &answer] { answer = box.exec(); }, [&box] { box.reject(); });
    if (!yesNo)
        return BoxAnswer::Ok;
    return answer == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}
