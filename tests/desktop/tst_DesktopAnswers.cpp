#include "desktop/qt/ImageTypes.h"
#include "desktop/wayland/WlrootsScreenGrab.h"

#include <QTest>

Q_DECLARE_METATYPE(std::optional<FocusedWindow>)

// What the desktop adapters make of what the desktop tells them: which of the types a clipboard
// offers are fetched and in which order, and the focused window's place in the compositor's
// layout tree.
class tst_DesktopAnswers : public QObject
{
    Q_OBJECT

private slots:
    void readable_data()
    {
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<QStringList>("fetched");
        QTest::newRow("PNG first") << QStringList{"image/bmp", "text/plain", "image/png"}
                                   << QStringList{"image/png", "image/bmp"};
        QTest::newRow("aliases of what Qt reads")
            << QStringList{"image/x-bmp", "image/pjpeg", "image/x-portable-pixmap"}
            << QStringList{"image/x-bmp", "image/pjpeg", "image/x-portable-pixmap"};
        QTest::newRow("no reader for it")
            << QStringList{"image/x-made-up", "application/pdf"} << QStringList();
        QTest::newRow("offered twice")
            << QStringList{"image/jpeg", "image/jpeg"} << QStringList{"image/jpeg"};
    }

    void readable()
    {
        QFETCH(QStringList, offered);
        QFETCH(QStringList, fetched);
        QCOMPARE(ReadableImageTypes(offered), fetched);
    }

    void focusedWindow_data()
    {
        QTest::addColumn<QByteArray>("tree");
        QTest::addColumn<std::optional<FocusedWindow>>("focused");
        // sway's layout tree: i3's own output, a tiled (1) and a floating window (2) on the first
        // output, one on the second (3); %1 to %3 whether each is focused.
        const QString layout = R"({"type":"root","nodes":[
            {"type":"output","name":"__i3","rect":{"x":0,"y":0,"width":0,"height":0},"nodes":[]},
            {"type":"output","name":"LEFT","rect":{"x":0,"y":0,"width":1280,"height":720},"nodes":[
             {"type":"workspace","rect":{"x":0,"y":0,"width":1280,"height":720},"nodes":[
              {"type":"con","focused":%1,"rect":{"x":640,"y":27,"width":640,"height":693},
               "window_rect":{"x":2,"y":0,"width":636,"height":691},"nodes":[]}],"floating_nodes":[
              {"type":"floating_con","focused":%2,"rect":{"x":100,"y":50,"width":400,"height":300},
               "window_rect":{"x":2,"y":25,"width":396,"height":273},"nodes":[]}]}]},
            {"type":"output","name":"RIGHT","rect":{"x":1280,"y":0,"width":1920,"height":1080},"nodes":[
             {"type":"workspace","rect":{"x":1280,"y":0,"width":1920,"height":1080},"nodes":[
              {"type":"con","focused":%3,"rect":{"x":1290,"y":40,"width":800,"height":600},
               "window_rect":{"x":0,"y":0,"width":800,"height":600},"nodes":[]}]}]}]})";
        const auto tree = [&](int focused) {
            const auto is = [focused](int n) { return QString(n == focused ? "true" : "false"); };
            return layout.arg(is(1), is(2), is(3)).toUtf8();
        };
        QTest::newRow("tiled, content below the title")
            << tree(1) << std::optional(FocusedWindow{"LEFT", QRect(642, 27, 636, 691)});
        QTest::newRow("floating") << tree(2)
                                  << std::optional(FocusedWindow{"LEFT", QRect(102, 75, 396, 273)});
        QTest::newRow("on the second output, in its own coordinates")
            << tree(3) << std::optional(FocusedWindow{"RIGHT", QRect(10, 40, 800, 600)});
        QTest::newRow("an empty workspace focused") << tree(0) << std::optional<FocusedWindow>();
        QTest::newRow("no answer") << QByteArray() << std::optional<FocusedWindow>();
    }

    void focusedWindow()
    {
        QFETCH(QByteArray, tree);
        QFETCH(std::optional<FocusedWindow>, focused);
        QCOMPARE(FocusedWindowInTree(tree), focused);
    }
};

QTEST_GUILESS_MAIN(tst_DesktopAnswers)
#include "tst_DesktopAnswers.moc"
