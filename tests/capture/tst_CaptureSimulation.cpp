#include "capture/CaptureEngine.h"
#include "core/AppState.h"
#include "support/FakeCaptureWorker.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"

#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// The capture engine driven by random sequences of what the desktop and the user do: new
// copies, transfers that take their time, a worker that files late, a keeper that puts the
// emptied picture back at any moment, text copied in between, and Image Set switches. Whatever
// the order, every picture that stayed on the clipboard until it was sent is filed once, in
// copy order, into the Image Set shown when it arrived; none is cleared unfiled and no picture
// put back is filed again. VISTRELLE_SIMULATION_SEEDS sets how many sequences run.
class tst_CaptureSimulation : public QObject
{
    Q_OBJECT

    // Picture \a id: one flat colour that says its number.
    static QImage picture(int id)
    {
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(qRgb(id % 256, id / 256, 77));
        return image;
    }

private slots:
    void sequences_data()
    {
        QTest::addColumn<quint32>("seed");
        const int seeds = qEnvironmentVariableIntValue("VISTRELLE_SIMULATION_SEEDS");
        for (int seed = 1; seed <= (seeds > 0 ? seeds : 1000); ++seed)
            QTest::addRow("seed %d", seed) << quint32(seed);
    }

    void sequences()
    {
        QFETCH(quint32, seed);
        // On a memory file system where there is one: thousands of synced files.
        QTemporaryDir dir(QDir("/dev/shm").exists() ? "/dev/shm/simulation-XXXXXX" : QString());
        FakeServices fakes;
        FakeCaptureWorker worker;
        AppState state;
        state.libraryRoot = dir.path() + "/";
        state.currentCategory = "Cat";
        state.currentImageSet = "Set";
        state.settings.captureExtension = ".png";
        for (const char* set : {"Cat/Set", "Cat/Other"})
            TestLibrary::makeFolder(state.libraryRoot + set);
        FakeClipboard& clipboard = fakes.clipboard;
        clipboard.sendLater = true;
        worker.holding = true;
        CaptureEngine engine(state, fakes.services, worker);

        QHash<quint64, int> idOfChange; // what each change put there; 0: text
        // Pictures and their Image Sets: the new ones as they arrived, and as they were filed.
        QList<std::pair<int, QString>> arrivals, filed;
        int lastId = 0;
        int lastFiled = 0;
        connect(&clipboard, &Clipboard::arrived, &engine, [&](const ClipboardPicture& arriving) {
            const int id = idOfChange.value(arriving.change);
            // A picture put back straight after its own clearing is no new one.
            if (id != 0 && !(id == lastFiled && clipboard.ownClearings.contains(arriving.follows + 1)))
                arrivals.append({id, state.currentImageSet});
        });
        connect(&engine, &CaptureEngine::filed, &engine, [&](const QString& path) {
            const QRgb colour = QImage(path).pixel(0, 0);
            lastFiled = qRed(colour) + 256 * qGreen(colour);
            filed.append({lastFiled, path.section('/', -2, -2)});
        });

        const auto copy = [&] {
            clipboard.setImage(picture(++lastId));
            idOfChange.insert(clipboard.changes, lastId);
        };
        // The transfers under way catch up, up to the picture on the clipboard now.
        const auto catchUp = [&] {
            while (!clipboard.waiting.isEmpty() && clipboard.waiting.first() != clipboard.changes)
                clipboard.send();
            clipboard.send();
        };
        const auto check = [&] { engine.check(); };
        const auto text = [&] { clipboard.setImage(QImage()); };
        const auto otherSet = [&] {
            state.currentImageSet = state.currentImageSet == "Set" ? "Other" : "Set";
        };
        // Each as likely as it is often listed.
        const std::function<void()> moves[] = {
            copy, copy, catchUp, catchUp, catchUp, [&] { worker.finish(); }, check, text, otherSet, check};
        QRandomGenerator random(seed);
        for (int step = 0; step < 40; ++step) {
            moves[random.bounded(10)]();
            QCoreApplication::processEvents();
            // A keeper puts back, now or at a later step, what the clipboard held before
            // Vistrelle emptied it.
            if (clipboard.ownClearings.contains(clipboard.changes) && lastFiled != 0 &&
                random.bounded(2) == 0) {
                clipboard.setImage(picture(lastFiled));
                idOfChange.insert(clipboard.changes, lastFiled);
            }
            for (const quint64 cleared : std::as_const(clipboard.ownClearings)) {
                const int id = idOfChange.value(cleared - 1);
                QVERIFY2(id == 0 || std::any_of(filed.cbegin(), filed.cend(),
                                                [id](const auto& f) { return f.first == id; }),
                         qPrintable(QStringLiteral("picture %1 was cleared unfiled").arg(id)));
            }
        }
        while (clipboard.send() || worker.finish())
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(filed, arrivals);
    }
};

QTEST_MAIN(tst_CaptureSimulation)
#include "tst_CaptureSimulation.moc"
