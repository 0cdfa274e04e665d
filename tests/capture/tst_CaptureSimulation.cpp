#include "capture/CaptureEngine.h"
#include "core/AppState.h"
#include "platform/ClipboardOffer.h"
#include "support/FakeCaptureWorker.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"

#include <QBuffer>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// The capture engine driven by random sequences of what the desktop and the user do: new
// copies, transfers that take their time, a worker that files late, a keeper that puts the
// emptied picture back at any moment, a clipboard manager that takes over the picture just
// copied (the same pixels, at times in another format), text copied in between, Image Set
// switches, kept pictures copied out of the library, and a kept picture copied again from
// elsewhere. Whatever the order, every picture that reached the program is filed once, in copy
// order, into the Image Set shown when it first arrived, however often a manager took it over;
// none is cleared unfiled; neither a picture put back nor the program's own copy, nor a
// manager's takeover of either, is filed or cleared. VISTRELLE_SIMULATION_SEEDS sets how many
// sequences run.
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
    // The same picture as a bitmap file: other bytes, the same pixels.
    static QByteArray asBitmap(int id)
    {
        QByteArray bytes;
        QBuffer file(&bytes);
        file.open(QIODevice::WriteOnly);
        picture(id).save(&file, "BMP");
        return bytes;
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
        state.programDir = state.libraryRoot;
        TestLibrary::makeFile(state.programDir + "Vistrelle.wav", "RIFF");
        for (const char* set : {"Cat/Set", "Cat/Other"})
            TestLibrary::makeFolder(state.libraryRoot + set);
        FakeClipboard& clipboard = fakes.clipboard;
        clipboard.sendLater = true;
        worker.holding = true;
        CaptureEngine engine(state, fakes.services, worker);

        // The picture each change put there (0: text, or files alone), and the copy a manager's
        // takeover goes back to. The program's own copies and what keepers put back are no new
        // pictures, nor is anything taken over from them.
        QHash<quint64, int> idOf;
        QHash<quint64, quint64> takenFrom;
        QSet<quint64> noneNew, putBack;
        QHash<quint64, quint64> firstArrived; // the change a new picture first arrived with
        const auto origin = [&](quint64 change) { return takenFrom.value(change, change); };
        // Pictures and their Image Sets: the new ones as they first arrived, and as they were filed.
        QList<std::pair<int, QString>> arrivals, filed;
        QStringList kept; // the files, in filing order
        connect(&clipboard, &Clipboard::arrived, &engine, [&](const ClipboardPicture& arriving) {
            const quint64 first = origin(arriving.change);
            if (idOf.value(arriving.change) != 0 && !noneNew.contains(first) &&
                !firstArrived.contains(first)) {
                firstArrived.insert(first, arriving.change);
                arrivals.append({idOf.value(arriving.change), state.currentImageSet});
            }
        });
        connect(&engine, &CaptureEngine::filed, &engine, [&](const QString& path) {
            const QRgb colour = QImage(path).pixel(0, 0);
            filed.append({qRed(colour) + 256 * qGreen(colour), path.section('/', -2, -2)});
            kept.append(path);
        });

        QRandomGenerator random(seed);
        int lastId = 0;
        const auto copy = [&] {
            clipboard.setImage(picture(++lastId));
            idOf.insert(clipboard.changes, lastId);
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
        // A kept picture, or two as files alone, copied out of the library.
        const auto copyBack = [&] {
            if (kept.isEmpty())
                return;
            const int chosen = random.bounded(kept.size());
            const bool two = random.bounded(4) == 0;
            QVERIFY(engine.copy(ClipboardOffer::pictures(two ? QStringList{kept.at(chosen), kept.first()}
                                                             : QStringList{kept.at(chosen)})));
            noneNew.insert(clipboard.changes);
            if (!two)
                idOf.insert(clipboard.changes, filed.at(chosen).first);
        };
        // A manager takes the picture on the clipboard over: a copy straight after it was made;
        // what was offered again (taken over, put back) only once the program has read it.
        const auto takeOver = [&] {
            const quint64 from = clipboard.changes;
            const int id = idOf.value(from);
            if (id == 0 ||
                ((origin(from) != from || putBack.contains(from)) && clipboard.waiting.contains(from)))
                return;
            clipboard.setImage(picture(id));
            if (random.bounded(2) == 0)
                clipboard.bytes = asBitmap(id);
            idOf.insert(clipboard.changes, id);
            takenFrom.insert(clipboard.changes, origin(from));
        };
        // A kept picture copied again from elsewhere, something else copied in between.
        const auto copyAgain = [&] {
            if (filed.isEmpty())
                return;
            text();
            const int id = filed.at(random.bounded(filed.size())).first;
            clipboard.setImage(picture(id));
            idOf.insert(clipboard.changes, id);
        };
        // A manager may take a copy over at once.
        const auto managed = [&](const std::function<void()>& copying) {
            return [&, copying] {
                copying();
                if (random.bounded(2) == 0)
                    takeOver();
            };
        };
        // Each as likely as it is often listed.
        const std::function<void()> finish = [&] { worker.finish(); }, newCopy = managed(copy),
                                    ownCopy = managed(copyBack), sameAgain = managed(copyAgain);
        const std::function<void()> moves[] = {newCopy, newCopy, ownCopy,  ownCopy,  ownCopy,
                                               catchUp, catchUp, catchUp,  finish,   finish,
                                               check,   text,    otherSet, takeOver, sameAgain};
        for (int step = 0; step < 40; ++step) {
            moves[random.bounded(int(std::size(moves)))]();
            QCoreApplication::processEvents();
            // A keeper puts back, now or at a later step, what the clipboard held before
            // Vistrelle emptied it.
            if (clipboard.ownClearings.contains(clipboard.changes) && !filed.isEmpty() &&
                random.bounded(2) == 0) {
                clipboard.setImage(picture(filed.last().first));
                idOf.insert(clipboard.changes, filed.last().first);
                noneNew.insert(clipboard.changes);
                putBack.insert(clipboard.changes);
            }
            for (const quint64 cleared : std::as_const(clipboard.ownClearings)) {
                const int id = idOf.value(cleared - 1);
                QVERIFY2(
                    firstArrived.value(origin(cleared - 1)) == cleared - 1,
                    qPrintable(QStringLiteral("change %1 was cleared, not the one filed").arg(cleared - 1)));
                QVERIFY2(id == 0 || std::any_of(filed.cbegin(), filed.cend(),
                                                [id](const auto& f) { return f.first == id; }),
                         qPrintable(QStringLiteral("picture %1 was cleared unfiled").arg(id)));
            }
        }
        while (clipboard.send() || worker.finish())
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(filed, arrivals);
        QCOMPARE(fakes.sound.played.size(), filed.size()); // a capture sound for each file, and only then
    }
};

QTEST_MAIN(tst_CaptureSimulation)
#include "tst_CaptureSimulation.moc"
