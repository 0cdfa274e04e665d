#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/dialogs/frmEnterName.h"
#include "ui/dialogs/frmFileOptions.h"
#include "ui/dialogs/frmRelocate.h"
#include "ui/modes/frmHelp.h"
#include "ui/modes/frmLowResource.h"
#include "ui/modes/frmOptions.h"
#include "ui/viewers/frmPhotos.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringListModel>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

using namespace TestLibrary;

namespace {

// Where a button draws its words.
QRect buttonTextRect(QAbstractButton& button)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(&button))
        element = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<QRadioButton*>(&button))
        element = QStyle::SE_RadioButtonContents;
    return button.style()->subElementRect(element, &option, &button);
}

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
            const bool fits = label->wordWrap() ? label->heightForWidth(room.width()) <= room.height()
                                                : metrics.horizontalAdvance(label->text()) <= room.width() &&
                                                      metrics.height() <= room.height();
            if (!fits)
                report(*label, label->text());
        } else if (auto* button = qobject_cast<QAbstractButton*>(control);
                   button && !button->text().isEmpty()) {
            const QSize text = metrics.size(Qt::TextShowMnemonic, button->text());
            const QRect room = buttonTextRect(*button);
            // A check box or radio button draws its words after the indicator, inside this rectangle.
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

} // namespace

// Every window at the desktop's usual font sizes: no control cuts its words.
class tst_Layouts : public QObject
{
    Q_OBJECT

    QFont m_font;

private slots:
    void initTestCase() { m_font = QApplication::font(); }
    void cleanup() { QApplication::setFont(m_font); }

    void wholeTexts_data()
    {
        QTest::addColumn<double>("points");
        QTest::newRow("11 points") << 11.0;
        QTest::newRow("14 points") << 14.0;
    }

    void wholeTexts()
    {
        QFETCH(double, points);
        QFont font = m_font;
        font.setPointSizeF(points);
        QApplication::setFont(font);

        AppUnderTest t;
        for (const char* name : {"Image_261206_154039_Time_Lapsed.jpg", "Image_261206_154039_2.png",
                                 "(Image_261206_154039).jpeg"})
            makeImage(t.defaultSet() + name, QSize(300, 200));
        setModified(t.defaultSet() + "Image_261206_154039_Time_Lapsed.jpg",
                    QDateTime::fromString("2026-09-30T12:00:00", Qt::ISODate));
        QVERIFY(t.start("MTOP=1500\r\nMLEFT=3000\r\n"));
        t.setCurrentLine(2);
        QCOMPARE(t.main().pos(), QPoint(200, 100)); // where the settings put it

        frmLowResource small(t.state(), t.fakes.services, t.app.engine());
        frmHelp help(t.fakes.shell, t.fakes.boxes, t.programDir());
        frmOptions options(t.state().settings);
        frmFileOptions fileOptions;
        frmEnterName name(QString(), t.fakes.boxes);
        frmRelocate relocate(
            {"Where should these (128) files be moved?", {"Default Category"}, t.root(), "Default Category"},
            std::nullopt, t.fakes.boxes);
        const QStringListModel cells({"Image_261206_154039_Time_Lapsed.jpg"});
        frmPhotos photos(cells, 1, QImage(), nullptr);
        photos.cmdNext_Click();
        for (QWidget* window : std::initializer_list<QWidget*>{&t.main(), &small, &help, &options,
                                                               &fileOptions, &name, &relocate, &photos}) {
            window->show();
            QCOMPARE(cutTexts(*window), QStringList());
        }
    }
};

QTEST_MAIN(tst_Layouts)
#include "tst_Layouts.moc"
