#pragma once

#include <optional>

/// Virtual-key codes of the hotkeys: 48-57 are the keys "0"-"9", 65-90 the keys "A"-"Z".
namespace VirtualKey {
constexpr int Shift = 16;
constexpr int Control = 17;
} // namespace VirtualKey

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
    /// The modifiers held when \a virtualKey was last pressed, coded as the hotkeys are (1 Ctrl,
    /// 2 Shift, 3 both), so that a press counts with the modifiers of its own moment, not those of
    /// the query; nothing when that press was not seen (the key was down before the program
    /// started, or the keyboard is only read as it is now).
    virtual std::optional<int> modifiersAtPress(int virtualKey)
    {
        (void)virtualKey;
        return std::nullopt;
    }
};
