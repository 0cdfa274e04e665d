#include "app/AdapterChoice.h"

#include <QTest>

Q_DECLARE_METATYPE(DesktopSession)
Q_DECLARE_METATYPE(ClipboardWay)
Q_DECLARE_METATYPE(WindowGrabWay)

// What each desktop session gets: the clipboard, the window grab and the global shortcuts. (sway
// and KDE Plasma as they are: the end-to-end Wayland tests.)
class tst_AdapterChoice : public QObject
{
    Q_OBJECT

private slots:
    void choice_data()
    {
        // Wayland, its globals, the desktop, sway's IPC, the window grab chosen by the tests.
        QTest::addColumn<DesktopSession>("session");
        QTest::addColumn<ClipboardWay>("clipboard");
        QTest::addColumn<WindowGrabWay>("grab");
        const QString wlr = "zwlr_data_control_manager_v1", ext = "ext_data_control_manager_v1";
        const QString seat = "wl_seat", screencopy = "zwlr_screencopy_manager_v1";
        QTest::newRow("X11 session, the portal chosen")
            << DesktopSession{false, {seat, wlr, screencopy}, "SWAY", true, "portal"} << ClipboardWay::X11
            << WindowGrabWay::X11;
        QTest::newRow("the portal chosen on sway, both data controls offered")
            << DesktopSession{true, {wlr, seat, ext, screencopy}, "SWAY", true, "portal"}
            << ClipboardWay::ExtDataControl << WindowGrabWay::Portal;
        QTest::newRow("screencopy, no layout to ask, only the standard data control")
            << DesktopSession{true, {ext, seat, screencopy}, "HYPRLAND", false, ""}
            << ClipboardWay::ExtDataControl << WindowGrabWay::Portal;
        QTest::newRow("sway's IPC, no screencopy, a name that only begins alike")
            << DesktopSession{true, {seat, wlr + "0"}, "SWAY", true, ""} << ClipboardWay::XWayland
            << WindowGrabWay::Portal;
    }

    void choice()
    {
        QFETCH(DesktopSession, session);
        QFETCH(ClipboardWay, clipboard);
        QFETCH(WindowGrabWay, grab);
        QCOMPARE(ChooseClipboard(session), clipboard);
        QCOMPARE(ChooseWindowGrab(session), grab);
        // Global shortcuts come from the portal as well only in a Wayland session.
        QCOMPARE(ChooseHotkeys(session), session.wayland ? HotkeyWay::X11KeysAndPortal : HotkeyWay::X11Keys);
    }
};

QTEST_GUILESS_MAIN(tst_AdapterChoice)
#include "tst_AdapterChoice.moc"
