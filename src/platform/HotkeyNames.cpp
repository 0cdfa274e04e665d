#include "HotkeyNames.h"

#include "KeyState.h"

#include <Qt>

namespace {

struct NamedKey
{
    int virtualKey;
    const char* name;
    int qtKey;
};

constexpr int pad = Qt::KeypadModifier;

// The keys a virtual-key code names beyond letters, digits, F-keys and the numeric pad's digits.
constexpr NamedKey namedKeys[] = {
    {0x08, "BackSpace", Qt::Key_Backspace},
    {0x09, "Tab", Qt::Key_Tab},
    {0x0D, "Return", Qt::Key_Return},
    {0x13, "Pause", Qt::Key_Pause},
    {0x14, "Caps_Lock", Qt::Key_CapsLock},
    {0x1B, "Escape", Qt::Key_Escape},
    {0x20, "space", Qt::Key_Space},
    {0x21, "Page_Up", Qt::Key_PageUp},
    {0x22, "Page_Down", Qt::Key_PageDown},
    {0x23, "End", Qt::Key_End},
    {0x24, "Home", Qt::Key_Home},
    {0x25, "Left", Qt::Key_Left},
    {0x26, "Up", Qt::Key_Up},
    {0x27, "Right", Qt::Key_Right},
    {0x28, "Down", Qt::Key_Down},
    {0x2C, "Print", Qt::Key_Print},
    {0x2D, "Insert", Qt::Key_Insert},
    {0x2E, "Delete", Qt::Key_Delete},
    {0x6A, "KP_Multiply", pad | Qt::Key_Asterisk},
    {0x6B, "KP_Add", pad | Qt::Key_Plus},
    {0x6C, "KP_Separator", pad | Qt::Key_Comma},
    {0x6D, "KP_Subtract", pad | Qt::Key_Minus},
    {0x6E, "KP_Decimal", pad | Qt::Key_Period},
    {0x6F, "KP_Divide", pad | Qt::Key_Slash},
    {0x90, "Num_Lock", Qt::Key_NumLock},
    {0x91, "Scroll_Lock", Qt::Key_ScrollLock},
    {0xBA, "semicolon", Qt::Key_Semicolon},
    {0xBB, "equal", Qt::Key_Equal},
    {0xBC, "comma", Qt::Key_Comma},
    {0xBD, "minus", Qt::Key_Minus},
    {0xBE, "period", Qt::Key_Period},
    {0xBF, "slash", Qt::Key_Slash},
    {0xC0, "grave", Qt::Key_QuoteLeft},
    {0xDB, "bracketleft", Qt::Key_BracketLeft},
    {0xDC, "backslash", Qt::Key_Backslash},
    {0xDD, "bracketright", Qt::Key_BracketRight},
    {0xDE, "apostrophe", Qt::Key_Apostrophe},
};

} // namespace

std::optional<HotkeyName> HotkeyNamed(int virtualKey)
{
    if (virtualKey >= '0' && virtualKey <= '9')
        return HotkeyName{virtualKey, QString(QChar(virtualKey)), virtualKey};
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return HotkeyName{virtualKey, QString(QChar(virtualKey - 'A' + 'a')), virtualKey};
    // The numeric pad's digits are the same keys whether Num Lock is on or off.
    if (virtualKey >= 0x60 && virtualKey <= 0x69)
        return HotkeyName{virtualKey, QStringLiteral("KP_%1").arg(virtualKey - 0x60),
                          pad | (Qt::Key_0 + virtualKey - 0x60)};
    if (virtualKey >= 0x70 && virtualKey <= 0x87)
        return HotkeyName{virtualKey, QStringLiteral("F%1").arg(virtualKey - 0x70 + 1),
                          Qt::Key_F1 + virtualKey - 0x70};
    for (const NamedKey& key : namedKeys) {
        if (key.virtualKey == virtualKey)
            return HotkeyName{virtualKey, QString::fromLatin1(key.name), key.qtKey};
    }
    return std::nullopt;
}

std::optional<HotkeyName> HotkeyNamed(const QString& name)
{
    // Every code a hotkey can have, named and compared.
    for (int virtualKey = 1; virtualKey < 0x100; ++virtualKey) {
        if (std::optional<HotkeyName> key = HotkeyNamed(virtualKey); key && key->name == name)
            return key;
    }
    return std::nullopt;
}

QString HotkeyLabel(int virtualKey)
{
    const std::optional<HotkeyName> key = HotkeyNamed(virtualKey);
    if (!key)
        return {};
    // Letters are named small in the keyboard tables and written as the key caps show them.
    return key->name.size() == 1 ? key->name.toUpper() : key->name;
}

QString WithModifiers(QString key, int modifiers, ModifierWords words)
{
    if (modifiers < 0 || modifiers > HotkeyModifier::All)
        return key;
    if (modifiers & HotkeyModifier::Alt)
        key.prepend(QLatin1String(words.alt));
    if (modifiers & HotkeyModifier::Shift)
        key.prepend(QLatin1String(words.shift));
    if (modifiers & HotkeyModifier::Control)
        key.prepend(QLatin1String(words.control));
    return key;
}

QString HotkeyCombination(int virtualKey, int modifiers)
{
    const QString label = HotkeyLabel(virtualKey);
    return label.isEmpty() ? label : WithModifiers(label, modifiers, {"Ctrl+", "Shift+", "Alt+"});
}
