#pragma once

#include <optional>

/// Virtual-key codes of the hotkeys: 48-57 are the keys "0"-"9", 65-90 the keys "A"-"Z", 44 Print,
/// 19 Pause, 45 Insert, 112-123 F1-F12.
namespace VirtualKey {
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Alt = 18;
constexpr int Pause = 19;
constexpr int Print = 44;
constexpr int Insert = 45;
constexpr int F1 = 112;
constexpr int F12 = 123;
} // namespace VirtualKey

/// The modifier code of a hotkey: the sum of the modifiers held with it.
namespace HotkeyModifier {
constexpr int Control = 1;
constexpr int Shift = 2;
constexpr int Alt = 4;
constexpr int All = Control | Shift | Alt;
} // namespace HotkeyModifier

/// The keyboard as the hotkey poll sees it, without grabbing any key.
class KeyState
{
public:
    virtual ~KeyState() = default;
    /// The state of \a virtualKey as a 16-bit value: negative when the key is down now, or was
    /// pressed and released since the last query of that key (a tap between two queries counts
    /// once); bit 0 set when it was pressed since the last query; 0 when it is up and untouched.
    /// Code 0 and unknown codes always give 0.
    virtual short asyncState(int virtualKey) = 0;
    /// The modifiers held when \a virtualKey was last pressed, coded as the hotkeys are
    /// (HotkeyModifier), so that a press counts with the modifiers of its own moment, not those of
    /// the query; nothing when that press was not seen (the key was down before the program
    /// started, or the keyboard is only read as it is now).
    virtual std::optional<int> modifiersAtPress(int virtualKey)
    {
        (void)virtualKey;
        return std::nullopt;
    }
    /// True when another program holds \a virtualKey with exactly the modifiers of the code
    /// \a modifiers (HotkeyModifier) for itself: it acts on the key as well, and may keep the
    /// key from being seen.
    virtual bool taken(int virtualKey, int modifiers)
    {
        (void)virtualKey;
        (void)modifiers;
        return false;
    }
};
