#include "FakeServices.h"

#include "core/AppState.h"

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

void FakeLibraryDialogs::AskForName(AppState& state)
{
    namesOffered.append(state.enteredName);
    if (const std::optional<QString> answer = names.isEmpty() ? std::nullopt : names.takeFirst())
        state.enteredName = *answer;
}

void FakeLibraryDialogs::AskForRelocation(AppState& state, const QString& caption, const QStringList&)
{
    captions.append(caption);
    const QStringList target = targets.isEmpty() ? QStringList() : targets.takeFirst();
    state.relocateCategory = target.value(0);
    state.relocateImageSet = target.value(1);
}

void FakeLibraryDialogs::AskForFileOption(AppState& state)
{
    if (!fileOptions.isEmpty())
        state.fileOptionsChoice = fileOptions.takeFirst();
}
