#include "app/AdapterChoice.h"

#include <QTest>

Q_DECLARE_METATYPE(ClipboardWay)
Q_DECLARE_METATYPE(WindowGrabWay)

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
        // Global shortcuts come from the portal as well only in a Wayland session.
        QCOMPARE(ChooseHotkeys(session), wayland ? HotkeyWay::X11KeysAndPortal : HotkeyWay::X11Keys);
    }

    void windowGrab_data()
    {
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<bool>("swayIpc");
        QTest::addColumn<QStringList>("globals");
        QTest::addColumn<QString>("chosen"); // by the tests
        QTest::addColumn<WindowGrabWay>("way");
        const QStringList wlroots{"wl_seat", "zwlr_screencopy_manager_v1"};
        QTest::newRow("sway") << true << "SWAY" << true << wlroots << "" << WindowGrabWay::WlrootsScreencopy;
        QTest::newRow("screencopy, no layout to ask")
            << true << "HYPRLAND" << false << wlroots << "" << WindowGrabWay::Portal;
        QTest::newRow("sway's IPC, no screencopy")
            << true << "SWAY" << true << QStringList{"wl_seat"} << "" << WindowGrabWay::Portal;
        QTest::newRow("KDE Plasma") << true << "KDE" << false << QStringList{"wl_seat"} << ""
                                    << WindowGrabWay::KWinScreenShot;
        QTest::newRow("GNOME") << true << "UBUNTU:GNOME" << false << QStringList{"wl_seat"} << ""
                               << WindowGrabWay::Portal;
        QTest::newRow("the portal, chosen on sway")
            << true << "SWAY" << true << wlroots << "portal" << WindowGrabWay::Portal;
        QTest::newRow("chosen, in an X11 session")
            << false << "SWAY" << true << wlroots << "portal" << WindowGrabWay::X11;
    }

    void windowGrab()
    {
        QFETCH(bool, wayland);
        QFETCH(QString, desktop);
        QFETCH(bool, swayIpc);
        QFETCH(QStringList, globals);
        QFETCH(QString, chosen);
        QFETCH(WindowGrabWay, way);
        DesktopSession session;
        session.wayland = wayland;
        session.desktop = desktop;
        session.swayIpc = swayIpc;
        session.globals = globals;
        session.windowGrab = chosen;
        QCOMPARE(ChooseWindowGrab(session), way);
    }
};

QTEST_GUILESS_MAIN(tst_AdapterChoice)
#include "tst_AdapterChoice.moc"
