#include "ui/KeyStyles.h"

namespace vq::ui {

namespace {

FocusMove arrowMove(NavKey key, TKeyStyles styles)
{
    switch (key) {
    case NavKey::Left:
        return styles.contains(ksLeft) ? FocusMove::Previous : FocusMove::None;
    case NavKey::Up:
        return styles.contains(ksUp) ? FocusMove::Previous : FocusMove::None;
    case NavKey::Right:
        return styles.contains(ksRight) ? FocusMove::Next : FocusMove::None;
    case NavKey::Down:
        return styles.contains(ksDown) ? FocusMove::Next : FocusMove::None;
    default:
        return FocusMove::None;
    }
}

} // namespace

FocusMove plainKeyMove(NavKey key, TKeyStyles styles, bool noModifiers)
{
    if (key == NavKey::Enter)
        return styles.contains(ksEnter) ? FocusMove::Next : FocusMove::None;
    if (!noModifiers)
        return FocusMove::None;
    return arrowMove(key, styles);
}

FocusMove editKeyMove(NavKey key, TKeyStyles styles, bool noModifiers, const EditCaret& caret)
{
    if (key == NavKey::Enter)
        return styles.contains(ksEnter) ? FocusMove::Next : FocusMove::None;
    if (!noModifiers)
        return FocusMove::None;
    const bool nothingOrAll = caret.selLength == 0 || caret.selLength == caret.textLength;
    if (key == NavKey::Left && !(caret.selStart == 0 && nothingOrAll))
        return FocusMove::None;
    if (key == NavKey::Right && caret.selLength != caret.textLength)
        return FocusMove::None;
    return arrowMove(key, styles);
}

FocusMove comboKeyMove(NavKey key, TKeyStyles styles, bool noModifiers, bool listOpen)
{
    if (listOpen)
        return FocusMove::None;
    return plainKeyMove(key, styles, noModifiers);
}

} // namespace vq::ui
