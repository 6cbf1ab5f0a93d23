#pragma once
// Which keys move the focus out of a library input control, and the decision
// each kind of control makes for a key. The controls in ui/forms only feed the
// key and their caret state in; keeping the decision here lets it be checked
// without a window.
#include <cstdint>
#include <initializer_list>

namespace vq::ui {

enum TKeyStyle : std::uint8_t { ksEnter = 0, ksLeft = 1, ksUp = 2, ksRight = 3, ksDown = 4 };

// A set of TKeyStyle kept as one byte, bit n for the style of ordinal n.
class TKeyStyles {
public:
    constexpr TKeyStyles() = default;
    constexpr TKeyStyles(std::initializer_list<TKeyStyle> styles)
    {
        for (auto s : styles)
            bits_ |= static_cast<std::uint8_t>(1u << s);
    }
    // Bits beyond ksDown are never kept.
    static constexpr TKeyStyles fromByte(std::uint8_t b)
    {
        TKeyStyles s;
        s.bits_ = b & 0x1F;
        return s;
    }
    constexpr std::uint8_t toByte() const { return bits_; }
    constexpr bool contains(TKeyStyle s) const { return (bits_ >> s) & 1u; }
    constexpr bool operator==(const TKeyStyles&) const = default;

private:
    std::uint8_t bits_ = 0;
};

inline constexpr TKeyStyles defaultKeyStyles{ksEnter, ksUp};

enum class NavKey { Enter, Left, Up, Right, Down, Other };
enum class FocusMove { None, Next, Previous };

// The selection of an edit when a key arrives (in characters).
struct EditCaret {
    int selStart = 0;
    int selLength = 0;
    int textLength = 0;
};

// Check box, radio button and mask edit: Enter (the character, so Shift may be
// held) and the arrows with no Shift, Ctrl or Alt, each only with its style.
FocusMove plainKeyMove(NavKey key, TKeyStyles styles, bool noModifiers);

// Single-line edit: Left leaves only from a caret at the start with nothing or
// everything selected, Right only when the whole text is selected (or it is
// empty); Up and Down always leave.
FocusMove editKeyMove(NavKey key, TKeyStyles styles, bool noModifiers, const EditCaret& caret);

// Combo box: nothing leaves while the list is open; Left leaves wherever the
// caret is.
FocusMove comboKeyMove(NavKey key, TKeyStyles styles, bool noModifiers, bool listOpen);

} // namespace vq::ui
