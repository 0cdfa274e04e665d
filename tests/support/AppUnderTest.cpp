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
    for (int row = 0; row < list()->count(); ++row)
        lines.append(list()->item(row)->text());
    return lines;
}

QByteArray AppUnderTest::settingsAfterClose()
{
    main().close();
    return TestLibrary::contents(settingsFile());
}

bool AppUnderTest::inDialog(const char* button, const std::function<void(QWidget&)>& act)
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
    click(button);
    QCoreApplication::processEvents();
    return opened;
}
