// Find over a large library: an index of 100,000 pictures (20 Categories of 50 Image Sets of 100
// files) with screenshot-like text (about 120 words a picture from a 20,000-word vocabulary in
// which a few words are very common, on lines of 3 to 12 words with each word's box, and a
// window title and program for a third of them), queried as the Find box queries it (at most
// 1,000 pictures, each looked at on disk). Every query is to answer within 50 ms, and the word
// boxes are to add at most 30 % to the index's size.
#include "IndexSize.h"
#include "Timing.h"
#include "library/IndexSearch.h"
#include "library/TextIndex.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <random>

namespace {

constexpr int categories = 20;
constexpr int setsPerCategory = 50;
constexpr int filesPerSet = 100;
constexpr int vocabulary = 20000;
constexpr int wordsPerPicture = 120;
constexpr double limitMs = 50;
constexpr double boxesLimit = 0.30;

const char* const syllables[] = {"ka",  "lo", "mer", "tin", "sa",   "ver",  "pro",  "ject", "con",
                                 "fig", "ur", "at",  "ion", "data", "base", "file", "win",  "dow",
                                 "ed",  "it", "or",  "re",  "port", "ser",  "vice", "net",  "work",
                                 "log", "in", "out", "pa",  "ge",   "us",   "er"};

QStringList makeVocabulary(std::mt19937& random)
{
    QStringList words;
    QSet<QString> taken;
    std::uniform_int_distribution<int> syllable(0, static_cast<int>(std::size(syllables)) - 1);
    std::uniform_int_distribution<int> length(2, 4);
    while (words.size() < vocabulary) {
        QString word;
        for (int n = length(random); n > 0; --n)
            word += QLatin1String(syllables[syllable(random)]);
        if (!taken.contains(word)) {
            taken.insert(word);
            words.append(word);
        }
    }
    return words;
}

// About 120 words, the common ones far more often than the rare ones, laid out as a 1080p screen
// shows them: lines of 3 to 12 words 18 pixels apart, words of 7 pixels a letter and 10 or 13
// pixels high (with a descender or not), in blocks of text with margins of their own. The
// layout draws on \a layout, so the words are those every run of this benchmark had.
TextReading pictureWords(const QStringList& words, std::mt19937& random, std::mt19937& layout)
{
    std::uniform_real_distribution<double> uniform(0, 1);
    std::uniform_int_distribution<int> lineLength(3, 12);
    std::uniform_int_distribution<int> margin(8, 900);
    std::uniform_int_distribution<int> space(5, 9);
    std::uniform_int_distribution<int> jitter(-1, 1);
    TextReading reading{TextReading::Kind::Read, {}, {}};
    int left = margin(layout);
    int x = left;
    int y = 20;
    int onLine = 0;
    int lineEnd = lineLength(layout);
    for (int n = 0; n < wordsPerPicture; ++n) {
        const QString& word = words.at(static_cast<int>(std::pow(uniform(random), 3) * (words.size() - 1)));
        if (onLine == lineEnd) {
            reading.text += '\n';
            y += 18;
            // A new block now and then: another margin, further down.
            if (uniform(layout) < 0.15) {
                left = margin(layout);
                y += 40;
            }
            x = left;
            onLine = 0;
            lineEnd = lineLength(layout);
        } else if (n > 0) {
            reading.text += ' ';
        }
        const int width = static_cast<int>(word.size()) * 7 + jitter(layout);
        const int height = uniform(layout) < 0.5 ? 10 : 13;
        reading.boxes.append(QRect(x, y + jitter(layout), width, height));
        reading.text += word;
        x += width + space(layout);
        ++onLine;
    }
    return reading;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QString root = dir.path() + "/Vistrelles/";
    const QString file = dir.path() + "/index.sqlite";
    std::mt19937 random(22);
    std::mt19937 layout(7);
    const QStringList words = makeVocabulary(random);

    QElapsedTimer building;
    building.start();
    for (int c = 0; c < categories; ++c) {
        for (int s = 0; s < setsPerCategory; ++s) {
            const QString set = root + QString("Category %1/Set %2/").arg(c).arg(s);
            QDir().mkpath(set);
            for (int f = 0; f < filesPerSet; ++f) {
                QFile picture(set + QString("Image_%1.png").arg(f));
                picture.open(QIODevice::WriteOnly);
                picture.write(set.toUtf8() + QByteArray::number(f));
            }
        }
    }
    TextIndex index(root, file);
    if (!index.open() || !index.sync()) {
        std::fprintf(stderr, "the index could not be built\n");
        return 1;
    }
    const char* const programs[] = {"XTerm", "firefox", "Gedit", "LibreOffice", "Thunderbird", "code"};
    const char* const titles[] = {"Quarterly report.ods", "Inbox - Mail",    "build.log",
                                  "Release notes",        "Meeting minutes", "Terminal"};
    int n = 0;
    while (const std::optional<WaitingPicture> next = index.nextWaiting()) {
        index.store(next->id, pictureWords(words, random, layout));
        // Every third picture, each of the six windows in turn (taken by n, only two of them
        // ever were, and no program and word was ever found).
        if (const int window = n / 3; n % 3 == 0)
            index.record(next->path, {QLatin1String(titles[window % 6]) + QString::number(window % 50),
                                      QLatin1String(programs[window % 6])});
        ++n;
    }
    std::printf("index of %d pictures built in %.0f s (%.0f MB)\n", n,
                static_cast<double>(building.elapsed()) / 1000,
                static_cast<double>(QFileInfo(file).size()) / 1e6);
    const IndexSizes sizes = MeasureIndex(root, file, dir.path());
    const bool small = sizes.added() <= boxesLimit;
    std::printf("compacted: %.1f MB with the word boxes, %.1f MB without: +%.1f %%, limit %.0f %%: %s\n",
                static_cast<double>(sizes.withBoxes) / 1e6, static_cast<double>(sizes.withoutBoxes) / 1e6,
                sizes.added() * 100, boxesLimit * 100, small ? "ok" : "TOO LARGE");

    const IndexSearch search(root, file);
    struct Query
    {
        const char* label;
        QString words;
        QString within;
    };
    const Query queries[] = {
        {"one letter", words.at(0).left(1), {}},
        {"two letters", words.at(1).left(2), {}},
        {"most common word", words.at(0), {}},
        {"rare word", words.at(vocabulary - 3), {}},
        {"two common words", words.at(0) + ' ' + words.at(1), {}},
        {"three words, one rare", words.at(2) + ' ' + words.at(5) + ' ' + words.at(vocabulary / 2), {}},
        {"window title", "quarterly", {}},
        {"program and word", "firefox " + words.at(3), {}},
        {"nothing matches", "zzzqqq", {}},
        {"common word, one Category", words.at(0), "Category 7/"},
        {"common word, one Image Set", words.at(0), "Category 7/Set 9/"},
    };
    double slowest = 0;
    for (const Query& query : queries) {
        QList<FoundPicture> found;
        const auto times = TimeRuns(9, [&] { search.find(query.words, found, query.within, 1000); });
        slowest = std::max(slowest, Median(times));
        std::printf("  %-30s %5d found  median %7.1f ms  spread %7.1f - %7.1f ms  %s\n", query.label,
                    static_cast<int>(found.size()), Median(times), times.front(), times.back(),
                    Median(times) <= limitMs ? "ok" : "TOO SLOW");
    }
    std::printf("slowest query median %.1f ms, limit %.0f ms: %s\n", slowest, limitMs,
                slowest <= limitMs ? "ok" : "TOO SLOW");
    return slowest <= limitMs && small ? 0 : 1;
}
