#pragma once

#include <QString>

enum class BoxLook { NoIcon, Information, Exclamation, Critical };
enum class BoxButtons { Ok, YesNo };
enum class BoxAnswer { Ok, Yes, No };

/// Modal message boxes captioned "Vistrelle". The one seam through which every message reaches
/// the user, so tests can answer and record them.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    /// Shows \a text modally and returns the button the user chose.
    virtual BoxAnswer show(const QString& text, BoxLook look, BoxButtons buttons = BoxButtons::Ok) = 0;
};
