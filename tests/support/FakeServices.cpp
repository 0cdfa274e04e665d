#include "FakeServices.h"

BoxAnswer FakeMessageBoxes::show(const QString& text, BoxLook look, BoxButtons buttons)
{
    shown.append({text, look, buttons});
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

std::optional<QString> FakeLibraryDialogs::AskForName(const QString& proposed)
{
    namesOffered.append(proposed);
    return names.isEmpty() ? std::nullopt : names.takeFirst();
}

std::optional<ImageSetChoice> FakeLibraryDialogs::AskForRelocation(const RelocationRequest& request)
{
    captions.append(request.caption);
    const QStringList target = targets.isEmpty() ? QStringList() : targets.takeFirst();
    if (target.isEmpty())
        return std::nullopt;
    return ImageSetChoice{target.value(0), target.value(1)};
}

FileOption FakeLibraryDialogs::AskForFileOption()
{
    return fileOptions.isEmpty() ? FileOption::Cancel : fileOptions.takeFirst();
}

void FakeCaptureWorker::file(ScreenshotJob job, std::function<void(const ScreenshotResult&)> done)
{
    held.append({std::move(job), std::move(done)});
    if (!holding)
        finish();
}

bool FakeCaptureWorker::finish()
{
    if (held.isEmpty())
        return false;
    auto [job, done] = held.takeFirst();
    done(WriteScreenshot(job));
    return true;
}
