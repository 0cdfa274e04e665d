#include "capture/CaptureEngine.h"
#include "core/AppState.h"
#include "platform/ClipboardOffer.h"
#include "support/FakeCaptureWorker.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The capture engine driven by random sequences of what the desktop and the user do: new
// copies, transfers that take their time, a worker that files late, window grabs (time-lapse
// shots among them), a keeper that puts the emptied picture back at any moment (after the
// program's clearing, another program's, or the owner leaving), a clipboard manager that takes
// over the picture just copied (the same pixels, at times in another format), text copied or
// the clipboard emptied in between, a kept picture copied again after text, Image Set switches
// and no Image Set shown, kept pictures copied out of the library, and the Image Set failing in
// every way it can here and mended again: a file standing where it was, its Category moved away, the set
// moved away (also while a picture is written into it). Whatever the order, every new picture is filed at
// most once for each time it arrived (a grab, a new copy, the same picture copied again after
// something else), into the Image Set shown when it arrived and in the order they came unless
// its filing failed, also across the program killed and started again (what it had under way
// but its transfers comes back from the spool); a grab carries its suffix; nothing put back or
// copied out is filed;
// nothing is cleared unfiled and a grab clears nothing; and a picture that could not be filed
// is filed once the cause is gone, unless a later one failed while it waited: at the end none
// waits. VISTRELLE_SIMULATION_SEEDS sets how many sequences run.
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
    static int idOfPicture(const QImage& image)
    {
        const QRgb colour = image.pixel(0, 0);
        return qRed(colour) + 256 * qGreen(colour);
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
        state.settings.timeLapseSilent = seed % 2 == 0;
        state.programDir = state.libraryRoot;
        TestLibrary::makeFile(state.programDir + "Vistrelle.wav", "RIFF");
        for (const char* set : {"Cat/Set", "Cat/Other"})
            TestLibrary::makeFolder(state.libraryRoot + set);
        FakeClipboard& clipboard = fakes.clipboard;
        clipboard.sendLater = true;
        worker.holding = true;
        auto engine = std::make_unique<CaptureEngine>(state, fakes.services, worker);
        const auto start = [&] {
            engine->recoverAtStart(state.libraryRoot);
            std::exchange(worker.heldRecovery, nullptr)();
        };
        start();

        // The picture each change put there (0: text, or files alone), and the copy a manager's
        // takeover goes back to. The program's own copies and what keepers put back are no new
        // pictures, nor is anything taken over from them.
        QHash<quint64, int> idOf;
        QHash<quint64, quint64> takenFrom;
        QSet<quint64> noneNew;
        QHash<quint64, quint64> firstArrived; // the change a new picture first arrived with
        const auto origin = [&](quint64 change) { return takenFrom.value(change, change); };
        // New pictures and their Image Sets as they came, and as they were filed.
        QList<std::pair<int, QString>> arrivals, filed;
        QHash<int, QString> suffixOf; // the grabs'
        QStringList kept;             // the files, in filing order
        const auto filing = [&](const QString& path) {
            filed.append({idOfPicture(QImage(path)), path.section('/', -2, -2)});
            kept.append(path);
        };

        // What became of each picture: the pictures that could not be filed and wait for their
        // cause to go, unless a later one failed meanwhile; refused at once while no Image Set is
        // shown, or by the worker.
        QSet<int> everFailed;
        QSet<std::pair<int, quint64>> waitingAfterFailure; // each picture and its change
        const auto idOfJob = [](const ScreenshotJob& job) {
            const ClipboardPicture picture =
                job.picture.isNull() ? ReadSpooledPicture(job.spoolFile) : job.picture;
            return idOfPicture(picture.image.isNull() ? QImage::fromData(picture.bytes) : picture.image);
        };
        // Which arrival a job files: its clipboard change, or where a killed run left it.
        const auto arrivalOf = [](const ScreenshotJob& job) {
            return job.spoolFile.isEmpty() ? job.picture.change : quint64(qHash(job.spoolFile)) | 1ULL << 63;
        };
        const auto failedNow = [&](int id, quint64 change) {
            everFailed.insert(id);
            waitingAfterFailure.removeIf([&](const std::pair<int, quint64>& waiting) {
                return std::none_of(worker.held.cbegin(), worker.held.cend(), [&](const auto& held) {
                    return std::pair(idOfJob(held.first), arrivalOf(held.first)) == waiting;
                });
            });
            waitingAfterFailure.insert({id, change});
        };
        bool refused = false;
        const auto wire = [&] {
            connect(engine.get(), &CaptureEngine::filed, engine.get(), filing);
            connect(engine.get(), &CaptureEngine::recovered, engine.get(), filing);
            connect(engine.get(), &CaptureEngine::told, engine.get(),
                    [&](const Outcome& outcome) { refused = outcome.kind == Outcome::Kind::Refused; });
        };
        wire();
        QSet<quint64> seen; // every change whose picture arrived
        // The picture on the clipboard when the program was killed last, and the pictures that
        // may be filed once more than they came: copied again as the program was killed, the
        // next start cannot tell them from the picture it had last.
        quint64 killedAt = 0;
        QHash<int, int> perhaps;
        connect(&clipboard, &Clipboard::arrived, this, [&](const ClipboardPicture& arriving) {
            seen.insert(arriving.change);
            const quint64 first = origin(arriving.change);
            const int id = idOf.value(arriving.change);
            const bool knownBefore = std::any_of(arrivals.cbegin(), arrivals.cend(),
                                                 [id](const auto& arrival) { return arrival.first == id; });
            if (killedAt != 0 && first == origin(killedAt) && knownBefore && !noneNew.contains(first) &&
                !firstArrived.contains(first)) {
                firstArrived.insert(first, arriving.change);
                everFailed.insert(id);
                ++perhaps[id];
            } else if (id != 0 && !noneNew.contains(first) && !firstArrived.contains(first)) {
                firstArrived.insert(first, arriving.change);
                arrivals.append({idOf.value(arriving.change), state.currentImageSet});
            }
        });
        // A grab is named with its suffix; with a sound, unless it is a silent time-lapse shot.
        const QRegularExpression name(R"(^Image_\d{6}_\d{6}(_\d+)?(_Time_Lapsed)?\.png$)");
        int audible = 0;
        int lastId = 0;
        worker.afterWrite = [&](const ScreenshotJob& job, const ScreenshotResult& result) {
            // A picture from the spool is there no more once it is filed or found kept: its file,
            // or its pixels, tell.
            int id = job.picture.isNull() && !result.path.isEmpty() ? idOfPicture(QImage(result.path)) : 0;
            for (int known = 1; job.picture.isNull() && result.restored && known <= lastId && id == 0;
                 ++known)
                id = PictureDigest(ClipboardPicture::grabbed(picture(known))) == result.pixels ? known : 0;
            if (id == 0)
                id = idOfJob(job);
            // One the start after a kill could not tell from what it had may be found kept later.
            if (result.restored && perhaps.contains(id) &&
                std::any_of(filed.cbegin(), filed.cend(), [id](const auto& f) { return f.first == id; }))
                waitingAfterFailure.removeIf(
                    [id](const std::pair<int, quint64>& waiting) { return waiting.first == id; });
            if (job.folder.isEmpty()) { // only looked at, while no Image Set is shown
                if (!result.restored)
                    failedNow(id, arrivalOf(job));
                return;
            }
            if (result.outcome.done() && !result.path.isEmpty()) {
                const QString file = result.path.section('/', -1);
                const bool timeLapse = job.spoolFile.isEmpty()
                                           ? job.picture.change == 0 && suffixOf.value(id) == TimeLapseSuffix
                                           : job.suffix == TimeLapseSuffix;
                QVERIFY2(name.match(file).hasMatch() && file.contains(TimeLapseSuffix) == timeLapse,
                         qPrintable(file));
                audible += timeLapse && state.settings.timeLapseSilent ? 0 : 1;
            }
            if (!result.outcome.done())
                failedNow(id, arrivalOf(job));
            else if (!result.path.isEmpty()) // the same picture filed: the one waiting is too
                waitingAfterFailure.removeIf(
                    [id](const std::pair<int, quint64>& waiting) { return waiting.first == id; });
        };

        QRandomGenerator random(seed);
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
        const auto check = [&] { engine->check(); };
        const auto text = [&] { clipboard.copyText(); };
        const auto emptied = [&] { clipboard.emptied(); };
        const auto otherSet = [&] {
            state.currentImageSet = state.currentImageSet == "Set" ? "Other" : "Set";
        };
        // The active window, a time-lapse shot or not, grabbed and handed straight on.
        const auto grab = [&] {
            fakes.grab.window = picture(++lastId);
            suffixOf.insert(lastId, random.bounded(2) == 0 ? TimeLapseSuffix : QString());
            arrivals.append({lastId, state.currentImageSet});
            refused = false;
            engine->window().request(suffixOf.value(lastId));
            if (refused)
                failedNow(lastId, 0);
        };
        const auto noSet = [&] { state.currentImageSet = state.currentImageSet.isEmpty() ? "Set" : ""; };

        // What fails: the folder of the Image Set shown, a file put in its place, the Category
        // moved aside, the set moved aside now or as the next picture is written into it.
        // Mended, each comes back; a set made again meanwhile takes the files moved aside.
        struct Broken
        {
            QString kind, folder, aside;
            bool happened = true;
        };
        std::optional<Broken> broken;
        const auto moveAside = [&](const QString& folder, const QString& kind) {
            broken = Broken{kind, folder, folder + ".aside"};
            QVERIFY(QDir().rename(folder, broken->aside));
        };
        const auto breakSet = [&] {
            // Only once every kept picture copied out has been compared: those move along.
            if (broken || state.currentImageSet.isEmpty() || !clipboard.waiting.isEmpty() ||
                !worker.held.isEmpty())
                return;
            const QString folder = state.libraryRoot + "Cat/" + state.currentImageSet;
            switch (random.bounded(4)) {
            case 0:
                moveAside(folder, "file");
                TestLibrary::makeFile(folder, "not a folder");
                break;
            case 1:
                moveAside(state.libraryRoot + "Cat", "category");
                break;
            case 2:
                moveAside(folder, "set");
                break;
            default:
                broken = Broken{"set", folder, folder + ".aside", false};
                worker.beforeWrite = [&](const QString& path) {
                    if (!broken || broken->happened || !path.startsWith(broken->folder + '/'))
                        return;
                    broken->happened = true;
                    QVERIFY(QDir().rename(broken->folder, broken->aside));
                };
            }
        };
        const auto mend = [&] {
            if (!broken)
                return;
            worker.beforeWrite = nullptr;
            if (broken->kind == "file")
                QVERIFY(QFile::remove(broken->folder));
            if (!broken->happened) {
            } else if (!QFileInfo(broken->folder).isDir()) {
                QVERIFY(QDir().rename(broken->aside, broken->folder));
            } else {
                for (const QString& file : QDir(broken->aside).entryList(QDir::Files)) {
                    const QString from = broken->folder + '/' + file;
                    const QString to = QFileInfo::exists(from) ? broken->folder + "/merged " + file : from;
                    QVERIFY(QDir().rename(broken->aside + '/' + file, to));
                    kept.replace(kept.indexOf(from), to);
                }
                QVERIFY(QDir().rmdir(broken->aside));
            }
            broken.reset();
        };

        // A kept picture, or two as files alone, copied out of the library.
        const auto copyBack = [&] {
            if (kept.isEmpty() || broken)
                return;
            const int chosen = random.bounded(kept.size());
            const bool two = random.bounded(4) == 0;
            QVERIFY(engine->copy(ClipboardOffer::pictures(two ? QStringList{kept.at(chosen), kept.first()}
                                                              : QStringList{kept.at(chosen)})));
            noneNew.insert(clipboard.changes);
            if (!two)
                idOf.insert(clipboard.changes, filed.at(chosen).first);
        };
        // A manager takes the picture on the clipboard over: a copy straight after it was made;
        // what was offered again (taken over, put back) only once the program has read it; a
        // kept picture copied out only while its file is where it was.
        const auto takeOver = [&] {
            const quint64 from = clipboard.changes;
            const int id = idOf.value(from);
            if (id == 0 || (broken && noneNew.contains(origin(from))) ||
                ((origin(from) != from || noneNew.contains(from)) && clipboard.waiting.contains(from)))
                return;
            clipboard.setImage(picture(id));
            if (random.bounded(2) == 0)
                clipboard.bytes = asBitmap(id);
            idOf.insert(clipboard.changes, id);
            takenFrom.insert(clipboard.changes, origin(from));
        };
        // A kept picture copied again from elsewhere, text copied in between: a new picture.
        const auto copyAgain = [&] {
            if (filed.isEmpty())
                return;
            text();
            const int id =
                filed.at(random.bounded(2) == 0 ? filed.size() - 1 : random.bounded(filed.size())).first;
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
        // The program killed and started again: the writer's work and the transfers under way die
        // with it, and so does its own copy on the clipboard; the next one reads the clipboard anew.
        const auto kill = [&] {
            worker.held.clear();
            clipboard.waiting.clear();
            engine.reset();
            if (clipboard.offered)
                clipboard.emptied();
            TestLibrary::makeFile(state.libraryRoot + ".vistrelle-spool/running", "");
            engine = std::make_unique<CaptureEngine>(state, fakes.services, worker);
            wire();
            engine->discardPresent();
            start();
            if (clipboard.holdsImage)
                clipboard.waiting.append(clipboard.changes);
            killedAt = clipboard.changes;
            // What waited for an Image Set goes into the one shown at the start.
            for (const auto& [id, set] : std::as_const(arrivals))
                if (set.isEmpty())
                    everFailed.insert(id);
        };
        const std::function<void()> finish = [&] { worker.finish(); }, newCopy = managed(copy),
                                    ownCopy = managed(copyBack), sameAgain = managed(copyAgain);
        const std::function<void()> moves[] = {newCopy, newCopy,  ownCopy, ownCopy,  ownCopy,   catchUp,
                                               catchUp, catchUp,  finish,  finish,   check,     text,
                                               emptied, otherSet, noSet,   takeOver, sameAgain, grab,
                                               grab,    breakSet, mend,    kill};
        for (int step = 0; step < 40; ++step) {
            fakes.clock.time = fakes.clock.time.addSecs(1);
            moves[random.bounded(int(std::size(moves)))]();
            QCoreApplication::processEvents();
            // A keeper puts back, now or at a later step, the picture the clipboard held before it
            // was emptied, by Vistrelle or another program, once the program has read it.
            quint64 before = clipboard.changes;
            while (clipboard.empties.contains(before))
                --before;
            if (before != clipboard.changes && before > killedAt && seen.contains(before) &&
                firstArrived.contains(origin(before)) && random.bounded(2) == 0) {
                clipboard.setImage(picture(idOf.value(before)));
                idOf.insert(clipboard.changes, idOf.value(before));
                noneNew.insert(clipboard.changes);
            }
            for (const quint64 cleared : std::as_const(clipboard.ownClearings)) {
                const int id = idOf.value(cleared - 1);
                // What came back while a failed one waited may be filed, and cleared, for it.
                QVERIFY2(
                    firstArrived.value(origin(cleared - 1)) == cleared - 1 || everFailed.contains(id),
                    qPrintable(QStringLiteral("change %1 was cleared, not the one filed").arg(cleared - 1)));
                QVERIFY2(id == 0 || std::any_of(filed.cbegin(), filed.cend(),
                                                [id](const auto& f) { return f.first == id; }),
                         qPrintable(QStringLiteral("picture %1 was cleared unfiled").arg(id)));
            }
        }
        // Mended, with an Image Set shown, whatever waits is filed.
        mend();
        state.currentImageSet = "Set";
        for (engine->check(); !worker.held.isEmpty() || !clipboard.waiting.isEmpty(); engine->check()) {
            while (clipboard.send() || worker.finish())
                QCoreApplication::processEvents();
            QCoreApplication::processEvents();
        }
        QVERIFY2(waitingAfterFailure.isEmpty(), "a picture that could not be filed was lost");

        // Each new picture filed no more often than it came, and every one that never failed
        // as often, into its Image Set, in the order they came.
        QHash<int, int> arrived, done;
        for (const auto& [id, set] : std::as_const(arrivals))
            ++arrived[id];
        for (const auto& [id, set] : std::as_const(filed))
            QVERIFY2(++done[id] <= arrived.value(id) + perhaps.value(id),
                     qPrintable(QStringLiteral("%1 filed again").arg(id)));
        const auto neverFailed = [&](QList<std::pair<int, QString>> pictures) {
            pictures.removeIf([&](const auto& picture) { return everFailed.contains(picture.first); });
            return pictures;
        };
        QCOMPARE(neverFailed(filed), neverFailed(arrivals));
        // A capture sound for each file, and only then; silent time-lapse shots make none.
        if (everFailed.isEmpty() && killedAt == 0)
            QCOMPARE(fakes.sound.played.size(), audible);
    }
};

QTEST_MAIN(tst_CaptureSimulation)
#include "tst_CaptureSimulation.moc"
