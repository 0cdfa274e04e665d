#include "FakeServices.h"

#include "TestLibrary.h"

#include <QImage>

BoxAnswer FakeMessageBoxes::show(const QString& text, BoxLook look, BoxButtons buttons)
{
    shown.append({text, look});
    if (whileShown)
        whileShown();
    if (!answers.isEmpty())
        return answers.takeFirst();
    return buttons == BoxButtons::YesNo ? BoxAnswer::No : BoxAnswer::Ok;
}

QStringList FakeMessageBoxes::texts() const
{
    QStringList result;
    for (const ShownBox& box : shown)
        result.append(box.text);
    return result;
}

quint64 FakeClipboard::offer(QMimeData* mime)
{
    change(QImage(), true);
    offered.reset(mime);
    holdsImage = mime->hasFormat("image/png");
    return changes;
}

void FakeClipboard::setImage(const QImage& image)
{
    change(image, true);
    waiting.append(changes);
    if (!sendLater)
        QMetaObject::invokeMethod(this, &FakeClipboard::send, Qt::QueuedConnection);
}

void FakeClipboard::copyText()
{
    change(QImage(), true);
}

void FakeClipboard::emptied()
{
    change(QImage(), false);
}

void FakeClipboard::change(const QImage& image, bool content)
{
    offered.reset();
    picture = image, bytes.clear(), holdsImage = !image.isNull(), ++changes;
    if (!content)
        empties.append(changes);
    emit changed();
}

bool FakeClipboard::send()
{
    if (waiting.isEmpty())
        return false;
    const quint64 change = waiting.takeFirst();
    if (change != changes || !holdsImage)
        return true;
    ++sent;
    ClipboardPicture arriving = ClipboardPicture::sent(change, change - 1, bytes);
    while (empties.contains(arriving.follows))
        --arriving.follows;
    if (bytes.isEmpty())
        arriving.image = picture;
    arriving = caught(arriving);
    if (!killedOnItsWay)
        emit arrived(arriving);
    return true;
}

void FakeClipboard::clearIfStill(quint64 change)
{
    if (change != changes)
        return;
    emptied();
    ownClearings.append(changes);
}

TextReading FakeTextReader::read(const QByteArray& bytes, const ReadingControl& control, ReadingHaste haste)
{
    if (whileReading)
        whileReading(control);
    if (!control.waitTurn())
        return {TextReading::Kind::Stopped, {}, {}};
    const std::lock_guard lock(mutex);
    if (control.stopping())
        return {TextReading::Kind::Stopped, {}, {}};
    if (missingData)
        return {TextReading::Kind::Unavailable, "no language data", {}};
    readSoFar.append(texts.value(bytes));
    hastes.append(haste);
    if (QImage::fromData(bytes).isNull())
        return {TextReading::Kind::Unreadable, {}, {}};
    return {TextReading::Kind::Read, texts.value(bytes), boxes.value(bytes)};
}

void FakeTextReader::setLanguages(const QStringList& languages)
{
    const std::lock_guard lock(mutex);
    chosen = languages;
}

void FakeTextReader::holds(const QString& path, const QString& words, const QList<QRect>& wordBoxes)
{
    const std::lock_guard lock(mutex);
    texts.insert(TestLibrary::contents(path), words);
    boxes.insert(TestLibrary::contents(path), wordBoxes);
}
