#include "library/IndexDatabase.h"
#include "library/IndexSearch.h"
#include "library/ReaderWorker.h"
#include "library/TextIndex.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

using namespace TestLibrary;

// The text index: what Find matches, how pictures are followed when the library moves, and how
// the index survives damage, unreadable pictures, stops and a full disk.
class tst_TextIndex : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::optional<FakeTextReader> m_reader; // made afresh for each test
    std::unique_ptr<ReaderWorker> m_worker;
    QStringList m_problems;
    int m_changes = 0; // answers of the worker that it changed the index
    int m_colour = 0;

    QString m_root; // the library; one test moves it
    QString indexFile() const { return IndexFileFor(m_root, m_dir->path() + "/cache/"); }

    static QDateTime taken(int age = 0) { return QDateTime(QDate(2024, 5, 1), QTime(12, 0)).addSecs(-age); }

    // A picture of its own colour at \a path below the library, holding \a words.
    QString picture(const QString& path, const QString& words = QString(), int age = 0)
    {
        ++m_colour;
        const QString file =
            makeImage(m_root + path, QSize(8, 6), QColor::fromRgb(m_colour * 7919 % 0xffffff));
        setModified(file, taken(age));
        m_reader->holds(file, words);
        return file;
    }

    void start()
    {
        m_worker = std::make_unique<ReaderWorker>(*m_reader);
        connect(m_worker.get(), &ReaderWorker::problem, this,
                [this](const QString& text) { m_problems << text; });
        connect(m_worker.get(), &ReaderWorker::changed, this, [this] { ++m_changes; });
        m_worker->start(m_root, indexFile(), {"eng"});
    }

    // Waits until the worker has read all \a total pictures of the library.
    bool readAll(int total)
    {
        return QTest::qWaitFor([&] { return m_worker->progress() == IndexProgress{total, total}; }, 10000);
    }
    bool startAndReadAll(int total)
    {
        start();
        return readAll(total);
    }

    // Asks the worker \a ask and waits for its answer.
    void andWait(const std::function<void()>& ask)
    {
        const int before = m_changes;
        ask();
        QTRY_VERIFY(m_changes > before);
    }
    // Walks the library again and waits for the walk's answer.
    void resync()
    {
        andWait([this] { m_worker->sync(); });
    }

    QString cacheFolder() const { return m_dir->path() + "/cache/"; }

    // The index's files in which \a word (lower case) still lies, in any case: what a look at
    // the raw bytes would find.
    QStringList traces(const QByteArray& word) const
    {
        QStringList found;
        for (const QString& name : filesIn(cacheFolder()))
            if (contents(cacheFolder() + name).toLower().contains(word))
                found << name;
        return found;
    }

    QStringList find(const QString& words, const QString& within = QString(), int limit = 0) const
    {
        QList<FoundPicture> found;
        IndexSearch(m_root, indexFile()).find(words, found, within, limit);
        QStringList paths;
        for (const FoundPicture& picture : std::as_const(found))
            paths << picture.path.mid(m_root.size());
        return paths;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_root = m_dir->path() + "/Library/";
        makeFolder(m_root);
        m_problems.clear();
        m_reader.emplace();
    }
    void cleanup()
    {
        m_worker.reset();
        removeTree(m_dir->path());
    }

    void findRules_data()
    {
        QTest::addColumn<QString>("search"); // the picture's text | what is typed
        QTest::addColumn<bool>("found");
        QTest::newRow("not inside a word") << "Deployment finished | ployment" << false;
        QTest::newRow("any order, any spacing") << "Deployment finished |  fin\tdeploy " << true;
        QTest::newRow("accents ignored in the text and the words") << "Café Zurich | cafe ZÜR" << true;
        QTest::newRow("decomposed accents") << "Café | cafe\u0301" << true;
        QTest::newRow("punctuation splits words") << "report-2024.pdf | 2024 pdf" << true;
        QTest::newRow("match syntax is plain text") << "nothing \"here\" a*b | here\" NOT a*b" << true;
        QTest::newRow("the words of a picture's place are none of its own")
            << "nothing here | Place" << false;
    }
    void findRules()
    {
        QFETCH(QString, search);
        QFETCH(bool, found);
        picture("Work/Shots/Image_1.png", search.section(" | ", 0, 0));
        QVERIFY(startAndReadAll(1));
        QCOMPARE(find(search.section(" | ", 1)),
                 found ? QStringList{"Work/Shots/Image_1.png"} : QStringList());
    }

    // Newest first, within a folder; a file deleted since the last walk is not given. With a
    // limit, the newest are given, a picture found by a later walk though older among them. A
    // capture is read before the pictures a walk found.
    void answersAndOrder()
    {
        picture("A/One/Image_old.png", "invoice paid", 300);
        picture("A/Two/Image_mid.png", "invoice due", 200);
        picture("B/One/Image_new.png", "invoice sent", 100);
        const QString capture = picture("B/One/Image_capture.png", "invoice drafted", 400);
        // The oldest picture's bytes in another Category too: its file there is no answer within "A/".
        QVERIFY(QFile::copy(m_root + "A/One/Image_old.png", m_root + "B/One/Image_copy.png"));
        setModified(m_root + "B/One/Image_copy.png", taken(700));
        start();
        m_worker->record(capture, {});
        QVERIFY(readAll(5));
        QCOMPARE(find("invoice"),
                 (QStringList{"B/One/Image_new.png", "A/Two/Image_mid.png", "A/One/Image_old.png",
                              "B/One/Image_capture.png", "B/One/Image_copy.png"}));
        QVERIFY(QFile::remove(m_root + "A/Two/Image_mid.png"));
        QCOMPARE(find("invoice", "A/"), QStringList{"A/One/Image_old.png"});
        m_worker->setPaused(true);
        picture("A/Two/Image_oldest.png", "invoice filed", 500);
        const QString later = picture("A/Two/Image_later.png", "captured", 600);
        resync();
        m_worker->record(later, {});
        m_worker->setPaused(false);
        QVERIFY(readAll(6));
        // The capture, though older by its file's time, before the picture the walk found.
        QCOMPARE(m_reader->readWords().mid(4), (QStringList{"captured", "invoice filed"}));
        QCOMPARE(find("invoice", {}, 2), (QStringList{"B/One/Image_new.png", "A/One/Image_old.png"}));
        QCOMPARE(find("invoice", "A/", 1), QStringList{"A/One/Image_old.png"});
    }

    // A capture is read next, in haste: an older picture being read gives way to it (on a busy
    // machine it can take a minute), and is read after it.
    void capturesGoFirst()
    {
        picture("A/One/Image_1.png", "older words", 100);
        std::atomic_int reading = 0;
        m_reader->whileReading = [&](const ReadingControl& control) {
            if (reading++ == 0)
                while (!control.stopping())
                    QThread::msleep(5);
        };
        start();
        QTRY_COMPARE(reading, 1);
        m_worker->record(picture("A/One/Image_2.png", "captured words", 200), {});
        QVERIFY(readAll(2));
        QCOMPARE(m_reader->readWords(), (QStringList{"captured words", "older words"}));
        QCOMPARE(m_reader->readHastes(), (QList{ReadingHaste::Capture, ReadingHaste::Library}));
    }

    // The whole library moved elsewhere keeps what was read of it: nothing is read again. Names
    // that are not UTF-8 are found by their bytes. (A picture moved within the library is the Find
    // box's test.)
    void libraryMovedKeepsWhatWasRead()
    {
        const QString category = PathFromNative("B\xff/");
        const QString moved = category + PathFromNative("Two/Renamed\xe9.png");
        picture("A/One/Image_1.png", "quarterly figures");
        makeFolder(m_root + category + "Two");
        QVERIFY(RenameWithoutReplacing(m_root + "A/One/Image_1.png", m_root + moved).done());
        QVERIFY(startAndReadAll(1));
        m_worker.reset();

        const QString oldFile = indexFile();
        QVERIFY(QDir().rename(m_root, m_dir->path() + "/Moved/"));
        m_root = m_dir->path() + "/Moved/";
        QVERIFY(startAndReadAll(1));
        QCOMPARE(find("figures", category), QStringList{moved});
        QCOMPARE(m_reader->reads(), 1);
        QVERIFY(!QFile::exists(oldFile));
    }

    // Whatever is wrong with the index file, it is started afresh without a word to the user.
    // An index of the version before, which kept neither lines nor boxes, is brought up to this
    // one instead: its words answer Find all along, and its pictures wait to be read again.
    void otherIndexes_data()
    {
        QTest::addColumn<QByteArray>("sql"); // run on a good index, or the bytes the file becomes
        QTest::addColumn<bool>("bytes");
        QTest::addColumn<bool>("kept");
        QTest::newRow("not a database") << QByteArray("this is no database\n").repeated(300) << true << false;
        QTest::newRow("another version") << QByteArray("PRAGMA user_version = 99") << false << false;
        QTest::newRow("another program's tables")
            << QByteArray("DROP TABLE words; PRAGMA user_version = 0") << false << false;
        QTest::newRow("damaged pages") << QByteArray("corrupt") << false << false;
        QTest::newRow("the version before")
            << QByteArray("DROP TABLE boxes; PRAGMA user_version = 2") << false << true;
    }
    void otherIndexes()
    {
        QFETCH(QByteArray, sql);
        QFETCH(bool, bytes);
        QFETCH(bool, kept);
        picture("A/One/Image_1.png", "quarterly figures");
        QVERIFY(startAndReadAll(1));
        m_worker.reset();
        if (bytes) {
            makeFile(indexFile(), sql);
        } else if (sql == "corrupt") {
            // The last pages of the file overwritten, the header and the index's own settings
            // left as they were.
            QFile file(indexFile());
            QVERIFY(file.open(QIODevice::ReadWrite));
            const qint64 size = file.size();
            QVERIFY(size > 8 * 4096);
            file.seek(size - 3 * 4096);
            file.write(QByteArray(3 * 4096, '\x5a'));
        } else {
            QVERIFY(IndexDatabase::openForWriting(m_root, indexFile())->exec(sql.constData()));
        }
        const QStringList answer = kept ? QStringList{"A/One/Image_1.png"} : QStringList();
        QCOMPARE(find("quarterly"), answer);
        {
            TextIndex index(m_root, indexFile());
            QVERIFY(index.open());
            QCOMPARE(index.progress(), (IndexProgress{0, kept ? 1 : 0}));
        }
        QCOMPARE(find("quarterly"), answer);
        QVERIFY(startAndReadAll(1));
        QCOMPARE(find("quarterly"), QStringList{"A/One/Image_1.png"});
        QCOMPARE(m_reader->reads(), 2);
        QCOMPARE(m_problems, QStringList());
    }

    // A file that is no picture is marked once and never read again; so is a picture whose
    // reading never came back (it ended the program) three times.
    void unreadablePictures()
    {
        makeFile(m_root + "A/One/junk.jpg", "not a picture at all");
        picture("A/One/Image_1.png", "fine words");
        QVERIFY(startAndReadAll(2));
        QCOMPARE(m_reader->reads(), 2);
        m_worker.reset();
        start();
        resync();
        QVERIFY(readAll(2));
        QCOMPARE(m_reader->reads(), 2);

        const QString fatal = picture("A/One/Image_2.png", "ends the program");
        m_worker.reset();
        const QByteArray hash = PictureHash(fatal).toHex();
        QVERIFY(IndexDatabase::openForWriting(m_root, indexFile())
                    ->exec("INSERT INTO pictures(hash, attempts) VALUES (x'" + hash + "', 3)"));
        QVERIFY(startAndReadAll(3));
        QCOMPARE(m_reader->reads(), 2);
        QCOMPARE(find("ends"), QStringList());
    }

    // Stopping gives up the picture being read, keeps the others, and the next run reads only
    // the rest; a capture recorded just before the stop is still entered.
    void stoppingKeepsWhatWasRead()
    {
        for (int n = 1; n <= 3; ++n)
            picture(QString("A/One/Image_%1.png").arg(n), "page " + QString::number(n), n);
        std::atomic_bool reading = false;
        // The third picture is read until the reader is asked to stop.
        m_reader->whileReading = [&](const ReadingControl& control) {
            if (m_reader->reads() < 2)
                return;
            reading = true;
            while (!control.stopping())
                QThread::msleep(5);
        };
        start();
        QTRY_VERIFY(reading);
        const QString capture = picture("A/One/Image_4.png", "captured last", 0);
        m_worker->record(capture, {"Notes", "Editor"});
        m_worker.reset();
        QCOMPARE(find("page"), (QStringList{"A/One/Image_1.png", "A/One/Image_2.png"}));
        QCOMPARE(find("notes editor"), QStringList{"A/One/Image_4.png"});
        m_reader->whileReading = nullptr;
        QVERIFY(startAndReadAll(4));
        QCOMPARE(m_reader->readWords(), (QStringList{"page 1", "page 2", "captured last", "page 3"}));
    }

    // A stop ends the worker whenever it comes, also while it looks for a picture to read and
    // finds none: a stop missed there left the program hanging as it closed.
    void stopsWheneverAsked()
    {
        for (int n = 0; n < 200; ++n) {
            start();
            QThread::usleep(n % 50 * 200);
            m_worker.reset();
        }
    }

    // The words of a picture come back with their lines and boxes while its file is as the index
    // holds it; a picture waiting to be read, or a file changed since, has not been read. (Without
    // an index nothing is known, which is not "not read": the Find box's test.)
    void wordsOfAPicture_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("read");
        QTest::newRow("as it was read") << "" << true;
        QTest::newRow("waiting to be read") << "waiting" << false;
        QTest::newRow("its time changed") << "time" << false;
        QTest::newRow("its size changed") << "size" << false;
    }
    void wordsOfAPicture()
    {
        QFETCH(QString, change);
        QFETCH(bool, read);
        const QString file = picture("A/One/Image_1.png");
        TextIndex index(m_root, indexFile());
        QVERIFY(index.open() && index.sync());
        // Two lines; a word much taller, far to the right on a screen of eight.
        const QString text = "Quarterly invoice\nDeployment finished";
        const QList<QRect> boxes = {QRect(20, 35, 62, 13), QRect(87, 36, 46, 22), QRect(20, 75, 180, 13),
                                    QRect(29000, 2000, 300, 80)};
        const std::optional<WaitingPicture> next = index.nextWaiting();
        QVERIFY(next);
        if (change != "waiting")
            QVERIFY(index.store(next->id, {TextReading::Kind::Read, text, boxes}));
        if (change == "time")
            setModified(file, taken(-60));
        if (change == "size") {
            makeFile(file, contents(file) + "more");
            setModified(file, taken());
        }
        PictureWords words;
        const Outcome known = IndexSearch(m_root, indexFile()).wordsOf(file, words);
        QVERIFY(known.done());
        QCOMPARE(words.state, read ? PictureWords::State::Read : PictureWords::State::NotRead);
        QCOMPARE(words.text, read ? text : QString());
        QCOMPARE(words.boxes, read ? boxes : QList<QRect>());
    }

    // A full disk: Find answers from what was saved, the user is told once a run, and reading
    // goes on after the next walk that can write.
    void fullDisk()
    {
        picture("A/One/Image_1.png", "saved before");
        QVERIFY(startAndReadAll(1));
        for (int n = 2; n <= 40; ++n)
            picture(QString("A/One/Image_%1.png").arg(n), "later words " + QString::number(n));
        withFileSizeLimit(4096, [&] {
            m_worker->sync();
            QTRY_COMPARE(m_problems.size(), 1);
            m_worker->sync();
            m_worker->record(m_root + "A/One/Image_2.png", {"Title", "Program"});
            QTest::qWait(200);
            QCOMPARE(m_problems.size(), 1);
            // Started again with no room, the program keeps the index it cannot write to.
            m_worker.reset();
            start();
            QTRY_COMPARE(m_problems.size(), 2);
        });
        QVERIFY(m_problems.first().startsWith("The words read from screenshots cannot be saved in "));
        QCOMPARE(find("saved"), QStringList{"A/One/Image_1.png"});
        resync();
        QVERIFY(readAll(40));
        QCOMPARE(find("later").size(), 39);
        QCOMPARE(m_problems.size(), 2);
    }

    // Other languages read every picture again; a reader without its data stops and says why.
    void languagesAndMissingData()
    {
        picture("A/One/Image_1.png", "words");
        QVERIFY(startAndReadAll(1));
        m_worker->setLanguages({"eng", "deu"});
        QTRY_COMPARE(m_reader->reads(), 2);
        m_reader->missingData = true;
        m_worker->setLanguages({"deu"});
        QTRY_COMPARE(m_problems, QStringList{"no language data"});
        QCOMPARE(find("words"), QStringList{"A/One/Image_1.png"});
    }

    // The index is the user's alone: the folder 0700 and every file in it 0600, the journals
    // too; an index left by a version that made them 0755 and 0644 is mended at the start.
    void privateToTheUser_data()
    {
        QTest::addColumn<bool>("widened");
        QTest::newRow("made now") << false;
        QTest::newRow("made open to all before") << true;
    }
    void privateToTheUser()
    {
        QFETCH(bool, widened);
        picture("A/One/Image_1.png", "secret words");
        if (widened) {
            QVERIFY(startAndReadAll(1));
            m_worker.reset();
            makeFile(cacheFolder() + "stray", "left by an older version");
            const QFileDevice::Permissions open = QFileDevice::ReadUser | QFileDevice::WriteUser |
                                                  QFileDevice::ReadGroup | QFileDevice::ReadOther;
            for (const QString& name : filesIn(cacheFolder()))
                QVERIFY(QFile::setPermissions(cacheFolder() + name, open));
            QVERIFY(QFile::setPermissions(cacheFolder(), open | QFileDevice::ExeUser | QFileDevice::ExeGroup |
                                                             QFileDevice::ExeOther));
        }
        QVERIFY(startAndReadAll(1));
        QStringList modes{QString::number(QFileInfo(cacheFolder()).permissions(), 16)};
        for (const QString& name : filesIn(cacheFolder()))
            modes << name.section('.', 1) + " " +
                         QString::number(QFileInfo(cacheFolder() + name).permissions(), 16);
        QCOMPARE(modes,
                 (widened ? QStringList{"7700", "sqlite 6600", "sqlite-shm 6600", "sqlite-wal 6600", " 6600"}
                          : QStringList{"7700", "sqlite 6600", "sqlite-shm 6600", "sqlite-wal 6600"}));
    }

    // What the user deleted leaves the file: after the walk that finds a picture gone, no byte
    // of the index or its journal holds its words, in the table of texts or the full-text
    // index. Forgetting all words read does the same at once, keeps where the pictures came
    // from, and reads them again only when reading goes on.
    void deletedWordsLeaveTheFile_data()
    {
        QTest::addColumn<bool>("forget");
        QTest::addColumn<bool>("older"); // an index made before pages were given back
        QTest::newRow("the picture deleted") << false << false;
        QTest::newRow("the picture deleted from an older index") << false << true;
        QTest::newRow("every word forgotten") << true << false;
    }
    void deletedWordsLeaveTheFile()
    {
        QFETCH(bool, forget);
        QFETCH(bool, older);
        const QString secret = picture("A/One/Image_1.png", "password Hunter2quokka", 15);
        for (int n = 2; n <= 30; ++n)
            picture(QString("A/One/Image_%1.png").arg(n), "ordinary words " + QString::number(n), n);
        start();
        m_worker->record(secret, {"Vault", "Keeper"});
        QVERIFY(readAll(30));
        if (older) {
            m_worker.reset();
            QVERIFY(IndexDatabase::openForWriting(m_root, indexFile())
                        ->exec("PRAGMA auto_vacuum = NONE; VACUUM"));
            QVERIFY(startAndReadAll(30));
        }
        QVERIFY(!traces("hunter2quokka").isEmpty());
        if (forget) {
            m_worker->setPaused(true);
            andWait([this] { m_worker->forget(); });
            QCOMPARE(find("ordinary"), QStringList());
            QCOMPARE(find("vault keeper"), QStringList{"A/One/Image_1.png"});
        } else {
            QVERIFY(QFile::remove(secret));
            resync();
        }
        QCOMPARE(traces("hunter2quokka"), QStringList());
        QCOMPARE(find("hunter2quokka"), QStringList());
        {
            // The pages set free are given back.
            const std::unique_ptr<IndexDatabase> index = IndexDatabase::openForReading(indexFile());
            SqlStatement freePages = index->prepare("PRAGMA freelist_count");
            QVERIFY(freePages.step());
            QCOMPARE(freePages.integer(0), 0);
        }
        if (forget) {
            m_worker->setPaused(false);
            QVERIFY(readAll(30));
            QCOMPARE(find("hunter2quokka"), QStringList{"A/One/Image_1.png"});
        }
    }

    // A program on the list is never read: its captures have no words, those read from it
    // before are forgotten out of the file, and a program taken off the list is read again.
    void programsNeverRead()
    {
        const QString vault = picture("A/One/Image_1.png", "master Pa55quokka");
        const QString bank = picture("A/One/Image_2.png", "balance Quokkabank", 1);
        const QString notes = picture("A/One/Image_3.png", "shopping list", 2);
        start();
        m_worker->record(vault, {"Vault", "KeePassXC"});
        m_worker->record(notes, {"Notes", "Editor"});
        QVERIFY(readAll(3));
        QCOMPARE(find("pa55quokka"), QStringList{"A/One/Image_1.png"});
        andWait([this] { m_worker->setUnreadPrograms({"keepassxc", "Bank-Browser"}); });
        QCOMPARE(find("pa55quokka"), QStringList());
        QCOMPARE(traces("pa55quokka"), QStringList());
        QCOMPARE(find("vault"), QStringList{"A/One/Image_1.png"});
        QCOMPARE(find("shopping"), QStringList{"A/One/Image_3.png"});
        // Captured from a program on the list: known by its source, never read.
        const int reads = m_reader->reads();
        const QString later = picture("A/One/Image_4.png", "transfer Quokka77", 0);
        m_worker->record(later, {"Online banking", "Bank-Browser"});
        andWait([&] { m_worker->record(bank, {"Statement", "Bank-Browser"}); });
        QCOMPARE(find("banking"), QStringList{"A/One/Image_4.png"});
        QVERIFY(readAll(4));
        QCOMPARE(m_reader->reads(), reads);
        QCOMPARE(find("quokka77"), QStringList());
        QCOMPARE(traces("quokkabank"), QStringList());
        m_worker->setUnreadPrograms({"Bank-Browser"});
        QTRY_COMPARE(find("pa55quokka"), QStringList{"A/One/Image_1.png"});
        QCOMPARE(find("quokka77"), QStringList());
        // Captured from a program on the list while it was being read: its words are not kept.
        m_worker.reset();
        const QString racing = picture("A/One/Image_5.png", "pin Quokka99", 0);
        TextIndex index(m_root, indexFile());
        QVERIFY(index.open() && index.setUnreadPrograms({"Bank-Browser"}) && index.sync());
        const std::optional<WaitingPicture> next = index.nextWaiting();
        QVERIFY(next && next->path == racing);
        QVERIFY(index.record(racing, {"Transfer", "Bank-Browser"}));
        QVERIFY(index.store(next->id, {TextReading::Kind::Read, "pin Quokka99", {}}));
        QCOMPARE(find("quokka99"), QStringList());
        // With the list emptied, they are read.
        QVERIFY(index.setUnreadPrograms({}));
        QVERIFY(index.nextWaiting());
    }

    // The index deleted while the program runs is made anew and filled by the next write or
    // walk: the pictures read before and a capture after are found without a restart.
    void deletedIndexMadeAnew()
    {
        picture("A/One/Image_1.png", "before deleting");
        QVERIFY(startAndReadAll(1));
        for (const QString& name : filesIn(cacheFolder()))
            QVERIFY(QFile::remove(cacheFolder() + name));
        QList<FoundPicture> found;
        const Outcome answer = IndexSearch(m_root, indexFile()).find("before", found);
        QCOMPARE(answer.text, "The index cannot be opened: " + indexFile());
        const QString capture = picture("A/One/Image_2.png", "after deleting", 0);
        m_worker->record(capture, {"Shell", "XTerm"});
        QTRY_COMPARE(find("after"), QStringList{"A/One/Image_2.png"});
        QTRY_COMPARE(find("deleting"), (QStringList{"A/One/Image_2.png", "A/One/Image_1.png"}));
    }

    // A file another program brought, told while the index cannot be made at all (a file stands
    // where its folder would), is refused: there is no index to enter it into.
    void refreshWithoutIndex()
    {
        const QString file = picture("A/One/Image_1.png", "words");
        makeFile(m_dir->path() + "/blocked");
        TextIndex index(m_root, m_dir->path() + "/blocked/index.db");
        QVERIFY(!index.open());
        QVERIFY(!index.refresh(file));
    }

    // An index in a folder that cannot be written (no journal can be made beside it) still
    // answers from what was saved. Run as another user where this one may write anywhere.
    void readOnlyFolderAnswers()
    {
        picture("A/One/Image_1.png", "kept words");
        QVERIFY(startAndReadAll(1));
        m_worker.reset();
        QVERIFY(!QFile::exists(indexFile() + "-shm"));
        const bool root = ::getuid() == 0;
        if (root)
            QCOMPARE(QProcess::execute("chown", {"-R", "65534:65534", m_dir->path()}), 0);
        QVERIFY(QFile::setPermissions(cacheFolder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        // How many were found, 2 for no answer, 3 when the folder could be written after all.
        const auto answer = [&](const QString& words) {
            const pid_t child = ::fork();
            if (child == 0) {
                if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                    ::_exit(9);
                if (QFileInfo(cacheFolder()).isWritable())
                    ::_exit(3);
                QList<FoundPicture> found;
                ::_exit(!IndexSearch(m_root, indexFile()).find(words, found).done()
                            ? 2
                            : static_cast<int>(found.size()));
            }
            int status = 0;
            ::waitpid(child, &status, 0);
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        };
        QCOMPARE(answer("kept"), 1);
        QCOMPARE(answer("missing"), 0);
        QVERIFY(QFile::setPermissions(cacheFolder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                         QFileDevice::ExeOwner));
    }

    // What `--find` says of pictures not read: those waiting in the index, new ones and changed
    // ones (without an index it gives no answer at all: the end-to-end Find test). A picture in
    // a sub-folder of an Image Set is one of its pictures, listed, read and found as the others are.
    void unreadCount()
    {
        picture("A/One/Image_1.png", "one");
        picture("A/One/Image_2.png", "two");
        QVERIFY(startAndReadAll(2));
        m_worker->setPaused(true);
        picture("A/One/Image_3.png", "three");
        resync();
        m_worker.reset();
        picture("A/One/Older/Image_4.png", "four");
        TestLibrary::setModified(m_root + "A/One/Image_2.png", QDateTime::currentDateTime());
        const QList<LibraryPicture> pictures = ListLibraryPictures(m_root);
        QCOMPARE(IndexSearch(m_root, indexFile()).unread(pictures), 3);
        // A walk told to stop, as when the program ends, leaves the rest to the next one, also
        // within a file.
        TextIndex index(m_root, indexFile());
        const std::atomic_bool stop = true;
        QVERIFY(index.open() && index.sync(stop));
        QVERIFY(PictureHash(m_root + "A/One/Image_1.png", stop).isEmpty());
        QCOMPARE(index.progress(), (IndexProgress{2, 3}));
        QVERIFY(index.sync());
        QCOMPARE(index.progress(), (IndexProgress{2, 4}));
        QVERIFY(startAndReadAll(4));
        QCOMPARE(find("four", "A/One/"), QStringList{"A/One/Older/Image_4.png"});
    }
};

QTEST_GUILESS_MAIN(tst_TextIndex)
#include "tst_TextIndex.moc"
