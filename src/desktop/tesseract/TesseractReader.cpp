#include "TesseractReader.h"

#include "ScreenshotForReading.h"
#include "platform/FreedMemory.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <omp.h>
#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>

namespace {

// Where Debian's language data lies, unless TESSDATA_PREFIX names another place.
const char* const debianData = "/usr/share/tesseract-ocr/5/tessdata";

QString dataFolder()
{
    const QString prefix = qEnvironmentVariable("TESSDATA_PREFIX");
    if (prefix.isEmpty())
        return QLatin1String(debianData);
    return QDir(prefix + QStringLiteral("/tessdata")).exists() ? prefix + QStringLiteral("/tessdata")
                                                               : prefix;
}

// The words the recognizer found in \a picture, line by line in its reading order, each with its
// box in the pixels of the picture as it was before it was enlarged.
TextReading wordsFound(tesseract::TessBaseAPI& api, const PictureForReading& picture)
{
    TextReading reading;
    const std::unique_ptr<tesseract::ResultIterator> words(api.GetIterator());
    if (!words)
        return reading;
    const QRect whole(QPoint(0, 0), picture.image.size() / picture.scale);
    const int scale = picture.scale;
    bool newLine = false;
    do {
        newLine = newLine || words->IsAtBeginningOf(tesseract::RIL_TEXTLINE);
        if (words->Empty(tesseract::RIL_WORD))
            continue;
        const std::unique_ptr<char[]> utf8(words->GetUTF8Text(tesseract::RIL_WORD));
        // A word with a space in it would make the words of the text and their boxes disagree.
        QString word = QString::fromUtf8(utf8.get());
        word.removeIf([](QChar c) { return c.isSpace(); });
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        if (word.isEmpty() || !words->BoundingBox(tesseract::RIL_WORD, &left, &top, &right, &bottom))
            continue;
        if (!reading.text.isEmpty())
            reading.text += newLine ? QLatin1Char('\n') : QLatin1Char(' ');
        reading.text += word;
        newLine = false;
        // Outward, so the box still holds the whole word.
        const QPoint topLeft(left / scale, top / scale);
        const QPoint bottomRight((right + scale - 1) / scale, (bottom + scale - 1) / scale);
        reading.boxes.append(
            QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y()))
                .intersected(whole));
    } while (words->Next(tesseract::RIL_WORD));
    return reading;
}

// Called between words: waits out a hold, and gives up when asked to.
bool giveUp(void* control, int)
{
    return !static_cast<const ReadingControl*>(control)->waitTurn();
}

} // namespace

TesseractReader::TesseractReader()
    : m_languages(QStringLiteral("eng"))
{
}

TesseractReader::~TesseractReader() = default;

QStringList TesseractReader::installedLanguages()
{
    return InstalledLanguages();
}

QStringList TesseractReader::InstalledLanguages()
{
    QStringList languages;
    for (const QString& name : QDir(dataFolder()).entryList({QStringLiteral("*.traineddata")}, QDir::Files)) {
        const QString language = name.chopped(static_cast<qsizetype>(sizeof(".traineddata") - 1));
        // Script orientation and equations are no languages to read text in.
        if (language != QLatin1String("osd") && language != QLatin1String("equ"))
            languages.append(language);
    }
    languages.sort();
    return languages;
}

QString TesseractReader::ChosenLanguages(const QStringList& languages)
{
    QStringList chosen;
    const QStringList installed = InstalledLanguages();
    for (const QString& language : languages)
        if (installed.contains(language) && !chosen.contains(language))
            chosen.append(language);
    return chosen.isEmpty() ? QStringLiteral("eng") : chosen.join(QLatin1Char('+'));
}

void TesseractReader::setLanguages(const QStringList& languages)
{
    const QString joined = ChosenLanguages(languages);
    if (joined != m_languages)
        rest();
    m_languages = joined;
}

bool TesseractReader::load()
{
    if (m_api)
        return true;
    auto api = std::make_unique<tesseract::TessBaseAPI>();
    // Its warnings about each picture are of no use to the user.
    api->SetVariable("debug_file", "/dev/null");
    if (api->Init(QFile::encodeName(dataFolder()).constData(), m_languages.toUtf8().constData(),
                  tesseract::OEM_LSTM_ONLY) != 0)
        return false;
    api->SetPageSegMode(tesseract::PSM_AUTO);
    m_api = std::move(api);
    return true;
}

TextReading TesseractReader::read(const QByteArray& bytes, const ReadingControl& control, ReadingHaste)
{
    if (!control.waitTurn())
        return {TextReading::Kind::Stopped, {}, {}};
    // One picture on one processor: the recognizer's parallel parts would start threads of its
    // own that spin while they wait, which more than doubled the processor time of a reading.
    omp_set_max_active_levels(0);
    const PictureForReading picture = ScreenshotForReading(bytes);
    if (picture.image.isNull())
        return {TextReading::Kind::Unreadable, {}, {}};
    if (!load())
        return {TextReading::Kind::Unavailable,
                QStringLiteral("Words in screenshots cannot be read: the text data for ") + m_languages +
                    QStringLiteral(" is not installed in ") + dataFolder() +
                    QStringLiteral(" (Debian package tesseract-ocr-eng)."),
                {}};
    m_api->SetImage(picture.image.constBits(), picture.image.width(), picture.image.height(), 1,
                    static_cast<int>(picture.image.bytesPerLine()));
    m_api->SetSourceResolution(ReadingResolution);
    tesseract::ETEXT_DESC monitor;
    monitor.cancel = giveUp;
    monitor.cancel_this = const_cast<ReadingControl*>(&control);
    const int failed = control.waitTurn() ? m_api->Recognize(&monitor) : -1;
    if (control.stopping()) {
        m_api->Clear();
        return {TextReading::Kind::Stopped, {}, {}};
    }
    const TextReading reading = failed == 0 ? wordsFound(*m_api, picture) : TextReading();
    m_api->Clear();
    return reading;
}

void TesseractReader::rest()
{
    if (m_api)
        m_api->End();
    m_api.reset();
    TrimHeap();
}
