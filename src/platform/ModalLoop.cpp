#include "ModalLoop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QPointer>

namespace {

// Holds the application's quit while boxes wait: quitting closes the windows, and a window
// destroyed under a box still on the stack takes the box with it (freed twice) and returns to
// code of a window that is gone.
class QuitHold final : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != QCoreApplication::instance() || event->type() != QEvent::Quit)
            return false;
        if (open.isEmpty()) {
            ending = false;
            return false;
        }
        ending = true;
        for (auto close = open.crbegin(); close != open.crend(); ++close)
            (**close)();
        return true;
    }

    QList<const std::function<void()>*> open; // how to close the boxes waiting, the innermost last
    bool ending = false;                      // a quit is held
};

QuitHold& quitHold()
{
    static QPointer<QuitHold> hold;
    if (!hold) {
        hold = new QuitHold;
        hold->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(hold);
    }
    return *hold;
}

} // namespace

bool ModalLoop::run(const std::function<void()>& exec, const std::function<void()>& close)
{
    QuitHold& hold = quitHold();
    if (hold.ending)
        return false;
    hold.open.append(&close);
    exec();
    hold.open.removeLast();
    if (!hold.ending)
        return true;
    // The last box has returned: the quit comes again through the window thread's own loop.
    if (hold.open.isEmpty())
        QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::Quit));
    return false;
}
