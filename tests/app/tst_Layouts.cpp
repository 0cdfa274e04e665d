#include "desktop/qt/QtMessageBoxes.h"
#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/Translations.h"
#include "ui/dialogs/ModalLibraryDialogs.h"
#include "ui/modes/frmHelp.h"
#include "ui/modes/frmLowResource.h"
#include "ui/modes/frmOptions.h"
#include "ui/viewers/frmImage.h"
#include "ui/viewers/frmPhotos.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStringListModel>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

using namespace TestLibrary;

namespace {

// Each control of \a window whose words do not fit it, as "name: text"; the window's own
// caption too, when the window is narrower than the caption with room for a title bar's icon
// and close button.
QStringList cutTexts(QWidget& window)
{
    QStringList cut;
    const auto report = [&cut](const QWidget& control, const QString& text) {
        cut.append(control.objectName() + ": " + text);
    };
    const QFontMetrics caption(QApplication::font());
    if (window.isWindow() &&
        caption.horizontalAdvance(window.windowTitle()) + 3 * caption.height() > window.width())
        report(window, window.windowTitle());
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&window))
            continue;
        const QFontMetrics metrics = control->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(control); label && !label->text().isEmpty()) {
            const QRect room = label->contentsRect();
            // A label with a buddy draws its "&" as the underline of the key that follows.
            const int width = label->buddy() ? metrics.size(Qt::TextShowMnemonic, label->text()).width()
                                             : metrics.horizontalAdvance(label->text());
            const bool fits = label->wordWrap() ? label->heightForWidth(room.width()) <= room.height()
                                                : width <= room.width() && metrics.height() <= room.height();
            if (!fits)
                report(*label, label->text());
        } else if (auto* button = qobject_cast<QAbstractButton*>(control);
                   button && !button->text().isEmpty()) {
            const QSize text = metrics.size(Qt::TextShowMnemonic, button->text());
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            // A check box or radio button draws its words after the indicator, inside this rectangle.
            const auto element = qobject_cast<QCheckBox*>(button)      ? QStyle::SE_CheckBoxContents
                                 : qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                                       : QStyle::SE_PushButtonContents;
            const QRect room = button->style()->subElementRect(element, &option, button);
            if (text.width() > room.width() || text.height() > room.height())
                report(*button, button->text());
        } else if (auto* box = qobject_cast<QGroupBox*>(control)) {
            if (box->minimumSizeHint().width() > box->width())
                report(*box, box->title());
        } else if (auto* list = qobject_cast<QListView*>(control)) {
            const int margins =
                2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
            for (int row = 0; row < list->model()->rowCount(); ++row) {
                const QString line = list->model()->index(row, 0).data().toString();
                if (metrics.horizontalAdvance(line) + margins > list->viewport()->width())
                    report(*list, line);
            }
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            // The line edit's own frame and text margins: about a character's width.
            if (metrics.horizontalAdvance(edit->text()) + metrics.averageCharWidth() > edit->width())
                report(*edit, edit->text());
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                               QStyle::SC_ComboBoxEditField, combo);
            if (metrics.horizontalAdvance(combo->currentText()) > field.width())
                report(*combo, combo->currentText());
        }
    }
    return cut;
}

// Each button of \a window that the user cannot reach: outside the window, or outside the
// part of a scroll area shown once the area is scrolled to it; the window itself when its frame
// passes the free area of its screen.
QStringList unreachable(QWidget& window)
{
    QStringList out;
    const QRect frame = window.frameGeometry(), free = window.screen()->availableGeometry();
    if (!free.contains(frame))
        out.append(QString::asprintf("%s %dx%d at %d,%d on %dx%d", qPrintable(window.objectName()),
                                     frame.width(), frame.height(), frame.x(), frame.y(), free.width(),
                                     free.height()));
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&window))
            continue;
        QRect shownIn = window.rect();
        for (QWidget* up = button->parentWidget(); up != &window; up = up->parentWidget()) {
            if (auto* area = qobject_cast<QScrollArea*>(up)) {
                area->ensureWidgetVisible(button, 0, 0);
                shownIn = QRect(area->viewport()->mapTo(&window, QPoint()), area->viewport()->size());
            }
        }
        const QRect at(button->mapTo(&window, QPoint()), button->size());
        if (!shownIn.contains(at))
            out.append(window.objectName() + "." + button->objectName());
    }
    return out;
}

} // namespace

// Every window and dialog, at the desktop's font and at its usual sizes: no control cuts its
// words, each window fits the screen it opens on, its buttons within reach (scrolled to, where the
// window scrolls). CTest runs the first row again on a 1366x768 screen at scale 1.5 and with fonts
// at 192 dpi.
class tst_Layouts : public QObject
{
    Q_OBJECT

private slots:
    // In the desktop's language, as the program starts: CTest runs the windows in German, French
    // and Spanish too.
    void initTestCase() { InstallTranslations(QLocale::system()); }

    void windows_data()
    {
        QTest::addColumn<double>("points");
        QTest::newRow("desktop") << 0.0;
        QTest::newRow("14 points") << 14.0;
    }

    void windows()
    {
        QFETCH(double, points);
        if (points > 0) { // the desktop's font comes first
            QFont font = QApplication::font();
            font.setPointSizeF(points);
            QApplication::setFont(font);
        }

        AppUnderTest t;
        // The longest name a capture gets: a time-lapse shot, 22nd of its second, in a library
        // Syncthing shares.
        for (const char* name : {"Image_261206_154039_Time_Lapsed.jpg", "Image_261206_154039_2.png",
                                 "(Image_261206_154039).jpeg", "Image_261206_154039_22_wmwm_Time_Lapsed.jpg"})
            makeImage(t.defaultSet() + name, QSize(300, 200));
        setModified(t.defaultSet() + "Image_261206_154039_Time_Lapsed.jpg",
                    QDateTime::fromString("2026-09-30T12:00:00", Qt::ISODate));
        for (int n = 0; n < 40; ++n)
            makeImage(t.defaultSet() + QString("Image_261206_1541%1.jpg").arg(n, 2, 10, QChar('0')),
                      QSize(300, 200));
        QVERIFY(t.start());
        t.setCurrentLine(2);

        frmLowResource small(t.state(), t.fakes.services, t.app.engine());
        frmHelp help(t.fakes.shell, t.fakes.boxes, t.programDir());
        frmOptions options(t.state().settings);
        QStringListModel cells(QStringList(20, "Image_261206_154000_Time_Lapsed.jpg"));
        frmPhotos photos(cells, 20, nullptr);
        QStringList out;
        for (QWidget* window :
             QList<QWidget*>{&t.main(), &small, &help, &options, &photos, &t.app.imageViewer()}) {
            window->show();
            if (window != &t.app.imageViewer()) // its width is the user's
                out += cutTexts(*window);
            out += unreachable(*window);
        }
        // The library's dialogs open as the main window's commands open them: over it.
        ModalLibraryDialogs dialogs(t.fakes.boxes);
        const auto look = [&] {
            QTimer::singleShot(0, [&] {
                QWidget* dialog = QApplication::activeModalWidget();
                QVERIFY(dialog);
                if (dialog->parentWidget() != &t.main() ||
                    !t.main().frameGeometry().contains(dialog->frameGeometry().center()))
                    out += dialog->objectName() + " is not over the main window";
                out += cutTexts(*dialog) + unreachable(*dialog);
                dialog->close();
            });
        };
        look();
        dialogs.AskForName(&t.main(), "Name of the new Image Set in Default Category:", QString());
        look();
        dialogs.AskForRelocation(
            &t.main(),
            {"Where should these (128) files be moved?", {"Default Category"}, t.root(), "Default Category"});
        look();
        dialogs.AskForFileOption(&t.main());
        // A message naming many files, its details shown too.
        QTimer::singleShot(0, [&out] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            for (QAbstractButton* button : box->buttons())
                if (box->buttonRole(button) == QMessageBox::ActionRole)
                    button->click();
            QCoreApplication::processEvents();
            out += unreachable(*box);
            box->accept();
        });
        QtMessageBoxes().show(
            "These files were not moved and are still where they were:\n\n" +
                QStringList(400, "Image_261206_154000.jpg: a file of that name is already there").join('\n'),
            BoxLook::Exclamation, BoxButtons::Ok);
        QVERIFY2(out.isEmpty(), qPrintable(out.join("; ")));
    }
};

QTEST_MAIN(tst_Layouts)
#include "tst_Layouts.moc"
