#include "ScreenFit.h"

#include "Screens.h"

#include <QBoxLayout>
#include <QScrollArea>
#include <QStyle>
#include <QWidget>
#include <algorithm>

void FitToScreen(QWidget& window, QBoxLayout& layout, int scrolled, const QScreen* screen)
{
    const QSize wanted = window.sizeHint().expandedTo(window.minimumSize());
    const QSize room = RoomOnScreen(screen);
    if (wanted.width() <= room.width() && wanted.height() <= room.height()) {
        window.setFixedSize(wanted);
        return;
    }
    auto* body = new QWidget;
    body->setObjectName(QStringLiteral("scrolledPart"));
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    for (int moved = 0; moved < scrolled && layout.count() > 0; ++moved) {
        QLayoutItem* item = layout.takeAt(0);
        if (QWidget* widget = item->widget()) {
            delete item;
            bodyLayout->addWidget(widget);
        } else {
            bodyLayout->addItem(item);
        }
    }
    auto* area = new QScrollArea(&window);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(body);
    // The controls inside take the focus, each scrolled into view as Tab reaches it; the area
    // itself would be a stop that says nothing.
    area->setFocusPolicy(Qt::NoFocus);
    layout.insertWidget(0, area, 1);
    // Room for the scroll bar beside the content, so that only the height scrolls where the
    // width allows.
    const int bar = window.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area);
    window.setFixedSize(std::min(room.width(), wanted.width() + bar),
                        std::min(room.height(), wanted.height()));
}
