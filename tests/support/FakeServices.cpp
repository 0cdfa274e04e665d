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
