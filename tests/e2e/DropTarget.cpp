// A window of the tests' own that takes drops, as a file manager or a chat window would, and
// prints what each one carried: "drop", the actions the source allows, then a line per type
// with its size, the files named and whether the picture came along. It asks for a move, so
// that a source that would let its file go is caught. With "locate X Y WIDTH HEIGHT" it only
// prints the middle of the first selected line it sees in that part of the screen (drawn in the
// highlight colour of Qt's style), so a test can grab a list's line it cannot otherwise find.
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPalette>
#include <QScreen>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

class DropTarget final : public QWidget
{
public:
    DropTarget()
    {
        setWindowTitle(QStringLiteral("drop-target"));
        setAcceptDrops(true);
        setGeometry(950, 450, 250, 250);
    }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override { event->acceptProposedAction(); }
    void dragMoveEvent(QDragMoveEvent* event) override { event->acceptProposedAction(); }

    void dropEvent(QDropEvent* event) override
    {
        const QMimeData* carried = event->mimeData();
        QStringList allowed;
        if (event->possibleActions() & Qt::CopyAction)
            allowed << QStringLiteral("copy");
        if (event->possibleActions() & Qt::MoveAction)
            allowed << QStringLiteral("move");
        std::printf("drop %s\n", qPrintable(allowed.join(QLatin1Char(','))));
        for (const QString& type : carried->formats())
            std::printf("type %s %lld\n", qPrintable(type),
                        static_cast<long long>(carried->data(type).size()));
        for (const QUrl& url : carried->urls())
            std::printf("file %s\n", url.toLocalFile().toUtf8().constData());
        std::printf("end\n");
        std::fflush(stdout);
        event->setDropAction(event->possibleActions() & Qt::MoveAction ? Qt::MoveAction : Qt::CopyAction);
        event->accept();
    }
};

// The middle of the first run of the highlight colour in the part \a area of the screen.
int locate(const QRect& area)
{
    const QImage screen = QGuiApplication::primaryScreen()
                              ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                              .toImage()
                              .convertToFormat(QImage::Format_RGB32);
    const QPalette palette = QApplication::palette();
    const QRgb active = palette.color(QPalette::Active, QPalette::Highlight).rgb();
    const QRgb inactive = palette.color(QPalette::Inactive, QPalette::Highlight).rgb();
    for (int y = 0; y < screen.height(); ++y) {
        int first = -1;
        int last = -1;
        for (int x = 0; x < screen.width(); ++x) {
            const QRgb pixel = screen.pixel(x, y) | 0xff000000;
            if (pixel == active || pixel == inactive) {
                last = x;
                if (first < 0)
                    first = x;
            }
        }
        // A line of a list, not a button's edge: wider than a few pixels.
        if (last - first > 40) {
            int bottom = y;
            while (bottom + 1 < screen.height() &&
                   ((screen.pixel(first + 1, bottom + 1) | 0xff000000) == active ||
                    (screen.pixel(first + 1, bottom + 1) | 0xff000000) == inactive))
                ++bottom;
            std::printf("%d %d\n", area.x() + first + 20, area.y() + (y + bottom) / 2);
            return 0;
        }
    }
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 6 && arguments.at(1) == QLatin1String("locate"))
        return locate(QRect(arguments.at(2).toInt(), arguments.at(3).toInt(), arguments.at(4).toInt(),
                            arguments.at(5).toInt()));
    DropTarget target;
    target.show();
    return QApplication::exec();
}
