#include "app/AdapterChoice.h"

#include <QTest>

Q_DECLARE_METATYPE(ClipboardWay)

class tst_AdapterChoice : public QObject
{
    Q_OBJECT

private slots:
    void clipboard_data()
    {
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<QStringList>("globals");
        QTest::addColumn<ClipboardWay>("way");
        const QString wlr = QStringLiteral("zwlr_data_control_manager_v1");
        const QString ext = QStringLiteral("ext_data_control_manager_v1");
        const QString seat = QStringLiteral("wl_seat");
        QTest::newRow("X11 session") << false << QStringList() << ClipboardWay::X11;
        QTest::newRow("sway, KDE 5.27 to 6.4")
            << true << QStringList{seat, wlr} << ClipboardWay::WlrDataControl;
        QTest::newRow("KDE 6.5, both offered")
            << true << QStringList{wlr, seat, ext} << ClipboardWay::ExtDataControl;
        QTest::newRow("only the standard one")
            << true << QStringList{ext, seat} << ClipboardWay::ExtDataControl;
        QTest::newRow("GNOME: none") << true << QStringList{seat, QStringLiteral("wl_data_device_manager")}
                                     << ClipboardWay::XWayland;
        QTest::newRow("a name that only begins alike")
            << true << QStringList{QStringLiteral("zwlr_data_control_manager_v10")} << ClipboardWay::XWayland;
    }

    void clipboard()
    {
        QFETCH(bool, wayland);
        QFETCH(QStringList, globals);
        QFETCH(ClipboardWay, way);
        DesktopSession session;
        session.wayland = wayland;
        session.globals = globals;
        QCOMPARE(ChooseClipboard(session), way);
    }
};

QTEST_GUILESS_MAIN(tst_AdapterChoice)
#include "tst_AdapterChoice.moc"
