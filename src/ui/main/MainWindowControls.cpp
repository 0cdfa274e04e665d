#include "MainWindowControls.h"

#include "FileList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton* commandButton(QWidget* parent, const char* name, const QString& caption, const QString& tooltip)
{
    auto* button = named(new QPushButton(caption, parent), name);
    button->setToolTip(tooltip);
    return button;
}

// New, Del and View as wide as their words need, rather than the style's usual least width
// for a button, so the file list beside them gets the room.
QPushButton* compact(QPushButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    const QStyle* style = button->style();
    const int margins = style->pixelMetric(QStyle::PM_ButtonMargin, &option, button) +
                        2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button) +
                        2 * style->pixelMetric(QStyle::PM_ButtonDefaultIndicator, &option, button);
    button->setFixedWidth(text.width() + margins + button->fontMetrics().averageCharWidth() * 2);
    return button;
}

// The two rows' New, Del and View read alike; a screen reader says which row each serves.
QPushButton* rowButton(QWidget* parent, const char* name, const QString& caption, const QString& tooltip,
                       const QString& accessibleName)
{
    auto* button = compact(commandButton(parent, name, caption, tooltip));
    button->setAccessibleName(accessibleName);
    return button;
}

// A label that names \a control to a screen reader, and whose mnemonic moves the focus there.
QLabel* labelFor(QWidget* window, const char* name, const QString& caption, QWidget* control)
{
    auto* label = named(new QLabel(caption, window), name);
    label->setBuddy(control);
    return label;
}

// The list shows whole names up to the longest the program gives a shot, whatever the font: a
// time-lapse shot in a library Syncthing shares, with the widest mark.
int fileListWidth(const FileList* list)
{
    const QStyle* style = list->style();
    const int textMargins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    return list->fontMetrics().horizontalAdvance(
               QStringLiteral("Image_261206_154039_22_wmwm_Time_Lapsed.jpg")) +
           textMargins + 2 * list->frameWidth() +
           style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list) +
           list->fontMetrics().averageCharWidth();
}

} // namespace

MainWindowControls::MainWindowControls(QWidget* window, FileList* fileList)
    : lstComponents(fileList)
    , m_window(window)
{
    auto* grid = new QGridLayout(window);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(0, 1);

    cboImageSetCategory = named(new QComboBox(window), "cboImageSetCategory");
    grid->addWidget(labelFor(window, "lblPackageCategory", tr("&Category"), cboImageSetCategory), 0, 0);
    grid->addWidget(cboImageSetCategory, 1, 0);
    grid->addWidget(rowButton(window, "cmdNewCategory", tr("New"), tr("New category"), tr("New Category")), 1,
                    1);
    grid->addWidget(
        rowButton(window, "cmdDeleteCategory", tr("Del"), tr("Delete category"), tr("Delete Category")), 1,
        2);
    grid->addWidget(rowButton(window, "cmdPhotosByCategory", tr("View"),
                              tr("Thumbnail viewer for image sets in the current category"),
                              tr("View Category")),
                    1, 3);

    cboImageSetName = named(new QComboBox(window), "cboImageSetName");
    grid->addWidget(labelFor(window, "lblPackageName", tr("Image &Set"), cboImageSetName), 2, 0);
    grid->addWidget(cboImageSetName, 3, 0);
    grid->addWidget(rowButton(window, "cmdNewImageSet", tr("New"), tr("New image set"), tr("New Image Set")),
                    3, 1);
    grid->addWidget(
        rowButton(window, "cmdDeleteImageSet", tr("Del"), tr("Delete image set"), tr("Delete Image Set")), 3,
        2);
    grid->addWidget(rowButton(window, "cmdPhotosBySet", tr("View"),
                              tr("Thumbnail viewer for images in current image set"), tr("View Image Set")),
                    3, 3);

    lblImageFiles = labelFor(window, "Label1", tr("Image &Files"), lstComponents);
    // A list takes no name from its label: it is given one.
    lstComponents->setAccessibleName(tr("Image Files"));
    grid->addWidget(lblImageFiles, 4, 0);
    lstComponents->setMinimumWidth(fileListWidth(lstComponents));
    grid->addWidget(lstComponents, 5, 0);

    auto* side = new QVBoxLayout;
    auto* frame1 = named(new QGroupBox(tr("Capture Format"), window), "Frame1");
    auto* formats = new QHBoxLayout(frame1);
    const std::pair<const char*, const char*> formatOptions[] = {
        {"&JPG", QT_TR_NOOP("Output screenshots in Jpeg format")},
        {"&BMP", QT_TR_NOOP("Output screenshots in Bitmap format")},
        {"&PNG",
         QT_TR_NOOP("Output screenshots in PNG format: exact pixels, small files for text and flat colours")},
    };
    for (int index = 0; index < 3; ++index) {
        optFormat[index] =
            named(new QRadioButton(QLatin1String(formatOptions[index].first), frame1), "optFormat");
        optFormat[index]->setToolTip(tr(formatOptions[index].second));
        optFormat[index]->setProperty("index", index);
        formats->addWidget(optFormat[index]);
    }
    side->addWidget(frame1);
    chkPauseCapturing = named(new QCheckBox(tr("P&ause capturing"), window), "chkPauseCapturing");
    chkPauseCapturing->setToolTip(tr("Leave the clipboard and the hotkeys alone until this is unticked"));
    side->addWidget(chkPauseCapturing);

    auto* commands = new QGridLayout;
    commands->setSpacing(4);
    auto* cmdExplore =
        commandButton(window, "cmdExplore", tr("&Explore"), tr("Explore Vistrelles directory"));
    auto* cmdRefresh = commandButton(window, "cmdRefresh", tr("&Refresh"),
                                     tr("Refresh category, image set and image files"));
    auto* cmdOptions =
        commandButton(window, "cmdOptions", tr("&Options"), tr("Miscellaneous options for Vistrelle"));
    auto* cmdHelp = commandButton(window, "cmdHelp", tr("&Help"), QString());
    commands->addWidget(commandButton(window, "cmdFirstImageSet", tr("&Intro Set"),
                                      tr("Make the current image set the first shown when Vistrelle starts")),
                        0, 0);
    commands->addWidget(commandButton(window, "cmdLowResourceMode", tr("&Minimize"),
                                      tr("Low resource (memory) mode of operation")),
                        0, 1);
    commands->addWidget(cmdExplore, 1, 0);
    commands->addWidget(cmdRefresh, 1, 1);
    commands->addWidget(cmdOptions, 2, 0);
    commands->addWidget(cmdHelp, 2, 1);
    side->addLayout(commands);
    lblCaptureStatus = named(new QLabel(window), "lblCaptureStatus");
    lblCaptureStatus->setWordWrap(true);
    lblCaptureStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // It takes the room left over and never asks for more, so the window fits small screens.
    lblCaptureStatus->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    side->addWidget(lblCaptureStatus, 1);
    grid->addLayout(side, 4, 1, 2, 3);

    auto* frame2 = named(new QGroupBox(tr("Image Info"), window), "Frame2");
    auto* info = new QHBoxLayout(frame2);
    info->setContentsMargins(6, 2, 6, 4);
    lblImageInfo = named(new QLabel(frame2), "lblImageInfo");
    lblImageInfo->setToolTip(tr("Date modified & file size in kilobytes"));
    info->addWidget(lblImageInfo);
    grid->addWidget(frame2, 6, 0, 1, 4);

    setTabOrder();
}

QPushButton* MainWindowControls::button(const char* name) const
{
    return m_window->findChild<QPushButton*>(QLatin1String(name));
}

void MainWindowControls::setTabOrder()
{
    // Row by row, as the window reads: each list before the commands that act on it.
    QList<QWidget*> order{cboImageSetCategory};
    for (const char* name : {"cmdNewCategory", "cmdDeleteCategory", "cmdPhotosByCategory"})
        order.append(button(name));
    order.append(cboImageSetName);
    for (const char* name : {"cmdNewImageSet", "cmdDeleteImageSet", "cmdPhotosBySet"})
        order.append(button(name));
    order.append(lstComponents);
    order.append(optFormat[0]);
    order.append(optFormat[1]);
    order.append(optFormat[2]);
    order.append(chkPauseCapturing);
    for (const char* name :
         {"cmdFirstImageSet", "cmdLowResourceMode", "cmdExplore", "cmdRefresh", "cmdOptions", "cmdHelp"})
        order.append(button(name));
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
