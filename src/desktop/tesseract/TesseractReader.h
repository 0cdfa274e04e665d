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

    TextReading read(const QByteArray& bytes, const std::atomic_bool& stop) override;
    QStringList installedLanguages() override;
    void setLanguages(const QStringList& languages) override;
    void rest() override;

private:
    bool load();

    std::unique_ptr<tesseract::TessBaseAPI> m_api;
    QString m_languages; // as the recognizer takes them: "eng+deu"
};
