#pragma once

#include "platform/TextReader.h"

#include <memory>

namespace tesseract {
class TessBaseAPI;
}

/// Reads the words of screenshots with Tesseract's recognizer, in the languages of its data
/// installed on the machine. The recognizer is loaded for the first picture after a rest.
class TesseractReader final : public TextReader
{
public:
    TesseractReader();
    ~TesseractReader() override;

    /// The languages whose data is installed.
    static QStringList InstalledLanguages();
    /// Those of \a languages that are installed as the recognizer takes them ("eng+deu"),
    /// English when none is.
    static QString ChosenLanguages(const QStringList& languages);

    TextReading read(const QByteArray& bytes, const ReadingControl& control, ReadingHaste haste) override;
    QStringList installedLanguages() override;
    void setLanguages(const QStringList& languages) override;
    void rest() override;

private:
    bool load();

    std::unique_ptr<tesseract::TessBaseAPI> m_api;
    QString m_languages; // as the recognizer takes them: "eng+deu"
};
