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

/// The key \a virtualKey as the user reads it: "K", "7", "Print", "F12", the desktop's name for
/// the others; empty for codes no key has.
QString HotkeyLabel(int virtualKey);

/// How the modifiers are written before a key: "Ctrl+" for the user, "CTRL+" for a desktop.
struct ModifierWords
{
    const char* control;
    const char* shift;
    const char* alt;
};

/// \a key preceded by the modifiers of code \a modifiers (1 Ctrl, 2 Shift, 4 Alt, summed), in
/// that order, as \a words writes them; a code outside 0-7 adds none, as the hotkey poll takes it.
QString WithModifiers(QString key, int modifiers, ModifierWords words);

/// The combination of \a virtualKey and the modifier code \a modifiers (1 Ctrl, 2 Shift, 4 Alt,
/// summed) as the user reads it: "Ctrl+Alt+Print"; empty for codes no key has. A code outside
/// 0-7 stands for no modifier, as the hotkey poll takes it.
QString HotkeyCombination(int virtualKey, int modifiers);
