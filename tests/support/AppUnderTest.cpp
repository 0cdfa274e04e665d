#include "AppUnderTest.h"

#include <QApplication>
#include <QTimer>

void AppUnderTest::choose(const char* combo, const QString& text)
{
    auto* box = control<QComboBox>(combo);
    const int row = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(row >= 0, qPrintable(text));
    box->setCurrentIndex(row);
    emit box->activated(row);
}

QStringList AppUnderTest::items(const char* combo) const
{
    QStringList texts;
    for (int row = 0; row < control<QComboBox>(combo)->count(); ++row)
        texts.append(control<QComboBox>(combo)->itemText(row));
    return texts;
}

QStringList AppUnderTest::listed() const
{
    QStringList lines;
    for (int row = 0; row < list()->model()->rowCount(); ++row)
        lines.append(list()->model()->index(row, 0).data().toString());
    return lines;
}

QList<int> AppUnderTest::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : list()->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void AppUnderTest::copy(const QColor& colour, QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    fakes.clipboard.setImage(picture);
}

QByteArray AppUnderTest::settingsAfterClose()
{
    main().close();
    return TestLibrary::contents(settingsFile());
}

bool AppUnderTest::inModal(const std::function<void()>& open, const std::function<void(QWidget&)>& act)
{
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            opened = true;
            act(*dialog);
            if (dialog->isVisible())
                dialog->close();
        }
    });
    open();
    QCoreApplication::processEvents();
    return opened;
}
