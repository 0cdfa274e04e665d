#include "FontFit.h"

#include <QFontMetrics>
#include <QWidget>

int CaptionWidth(const QWidget& window)
{
    QFont font = window.font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    // An icon, a close button and the space between them, each about a line high.
    return metrics.horizontalAdvance(window.windowTitle()) + 4 * metrics.height();
}
