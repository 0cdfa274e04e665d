#include "app/AdapterChoice.h"

#include <QTest>

Q_DECLARE_METATYPE(ClipboardWay)
Q_DECLARE_METATYPE(WindowGrabWay)

// What each desktop session gets: the clipboard, the window grab and the global shortcuts.
class tst_AdapterChoice : public QObject
{
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<bool>("swayIpc");
        QTest::addColumn<QStringList>("globals");
        QTest::addColumn<QString>("chosen"); // the window grab, by the tests
        QTest::addColumn<ClipboardWay>("clipboard");
        QTest::addColumn<WindowGrabWay>("grab");
        const QString wlr = "zwlr_data_control_manager_v1", ext = "ext_data_control_manager_v1";
        const QString seat = "wl_seat", screencopy = "zwlr_screencopy_manager_v1";
        QTest::newRow("X11 session, the portal chosen")
            << false << "SWAY" << true << QStringList{seat, wlr, screencopy} << "portal" << ClipboardWay::X11
            << WindowGrabWay::X11;
        QTest::newRow("sway") << true << "SWAY" << true << QStringList{seat, wlr, screencopy} << ""
                              << ClipboardWay::WlrDataControl << WindowGrabWay::WlrootsScreencopy;
        QTest::newRow("the portal chosen on sway, both data controls offered")
            << true << "SWAY" << true << QStringList{wlr, seat, ext, screencopy} << "portal"
            << ClipboardWay::ExtDataControl << WindowGrabWay::Portal;
        QTest::newRow("screencopy, no layout to ask, only the standard data control")
            << true << "HYPRLAND" << false << QStringList{ext, seat, screencopy} << ""
            << ClipboardWay::ExtDataControl << WindowGrabWay::Portal;
        QTest::newRow("sway's IPC, no screencopy, a name that only begins alike")
            << true << "SWAY" << true << QStringList{seat, wlr + "0"} << "" << ClipboardWay::XWayland
            << WindowGrabWay::Portal;
        QTest::newRow("KDE 5.27 to 6.4") << true << "KDE" << false << QStringList{seat, wlr} << ""
                                         << ClipboardWay::WlrDataControl << WindowGrabWay::KWinScreenShot;
        QTest::newRow("GNOME") << true << "UBUNTU:GNOME" << false
                               << QStringList{seat, "wl_data_device_manager"} << "" << ClipboardWay::XWayland
                               << WindowGrabWay::Portal;
    }

    void choice()
    {
        DesktopSession session;
        QFETCH(bool, wayland);
        session.wayland = wayland;
        QFETCH(QString, desktop);
        session.desktop = desktop;
        QFETCH(bool, swayIpc);
        session.swayIpc = swayIpc;
        QFETCH(QStringList, globals);
        session.globals = globals;
        QFETCH(QString, chosen);
        session.windowGrab = chosen;
        QFETCH(ClipboardWay, clipboard);
        QCOMPARE(ChooseClipboard(session), clipboard);
        QFETCH(WindowGrabWay, grab);
        QCOMPARE(ChooseWindowGrab(session), grab);
        // Global shortcuts come from the portal as well only in a Wayland session.
        QCOMPARE(ChooseHotkeys(session), wayland ? HotkeyWay::X11KeysAndPortal : HotkeyWay::X11Keys);
    }
};

QTEST_GUILESS_MAIN(tst_AdapterChoice)
#include "tst_AdapterChoice.moc"
