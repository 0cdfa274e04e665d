#include "TesseractReader.h"

#include "ScreenshotForReading.h"
#include "platform/FreedMemory.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <omp.h>
#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>

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
    // Light and dark ground on one screen (a dark dialog on a black desktop): a threshold of
    // each part's own, where one for the whole picture made the dialog's ground and its words
    // one black and read nothing.
    api->SetVariable("thresholding_method", "1");
    m_api = std::move(api);
    return true;
}

TextReading TesseractReader::read(const QByteArray& bytes, const ReadingControl& control)
{
    if (!control.waitTurn())
        return {TextReading::Kind::Stopped, {}, {}};
    // One picture on one processor: the recognizer's parallel parts would start threads of its
    // own that spin while they wait, which more than doubled the processor time of a reading.
    omp_set_max_active_levels(0);
    const QImage picture = ScreenshotForReading(bytes);
    if (picture.isNull())
        return {TextReading::Kind::Unreadable, {}, {}};
    if (!load())
        return {TextReading::Kind::Unavailable,
                QStringLiteral("Words in screenshots cannot be read: the text data for ") + m_languages +
                    QStringLiteral(" is not installed in ") + dataFolder() +
                    QStringLiteral(" (Debian package tesseract-ocr-eng)."),
                {}};
    m_api->SetImage(picture.constBits(), picture.width(), picture.height(), 1,
                    static_cast<int>(picture.bytesPerLine()));
    m_api->SetSourceResolution(ReadingResolution);
    tesseract::ETEXT_DESC monitor;
    monitor.cancel = giveUp;
    monitor.cancel_this = const_cast<ReadingControl*>(&control);
    const int failed = control.waitTurn() ? m_api->Recognize(&monitor) : -1;
    if (control.stop) {
        m_api->Clear();
        return {TextReading::Kind::Stopped, {}, {}};
    }
    TextReading reading;
    if (failed == 0) {
        const std::unique_ptr<char[]> text(m_api->GetUTF8Text());
        reading.text = QString::fromUtf8(text.get()).simplified();
    }
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
