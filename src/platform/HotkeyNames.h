#pragma once

#include <QString>
#include <optional>

/// A key a hotkey's virtual-key code names, as the desktop's keyboard tables name it (the
/// keysym names "k", "7", "F12", "Page_Up", "KP_Add", "semicolon") and as Qt codes it.
struct HotkeyName
{
    int virtualKey = 0;
    QString name;
    int qtKey = 0; ///< a Qt::Key, with Qt::KeypadModifier for the numeric pad's keys
};

/// The key \a virtualKey names: letters, digits, F1-F24, the arrows and the keys above them,
/// the numeric pad, punctuation; nothing for the modifiers and codes no key has.
std::optional<HotkeyName> HotkeyNamed(int virtualKey);

/// The key named \a name, as HotkeyNamed gives it; nothing for a name no hotkey has.
std::optional<HotkeyName> HotkeyNamed(const QString& name);
