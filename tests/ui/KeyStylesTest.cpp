#include "ui/KeyStyles.h"

#include <gtest/gtest.h>

using namespace vq::ui;

TEST(KeyStyles, DefaultIsEnterAndUpAndOnlyFiveBitsAreKept)
{
    EXPECT_EQ(defaultKeyStyles.toByte(), 0b00101);
    EXPECT_TRUE(defaultKeyStyles.contains(ksEnter));
    EXPECT_TRUE(defaultKeyStyles.contains(ksUp));
    EXPECT_FALSE(defaultKeyStyles.contains(ksDown));
    EXPECT_EQ(TKeyStyles::fromByte(0xFF).toByte(), 0x1F);
}

TEST(KeyStyles, EditLeavesByArrowsOnlyFromTheEdgesOfItsText)
{
    const TKeyStyles all{ksEnter, ksLeft, ksUp, ksRight, ksDown};
    struct Case {
        NavKey key;
        EditCaret caret;
        bool plain;
        FocusMove expected;
    } cases[] = {
        {NavKey::Right, {0, 5, 5}, true, FocusMove::Next},      // all selected
        {NavKey::Right, {5, 0, 5}, true, FocusMove::None},      // caret at end, nothing selected
        {NavKey::Right, {0, 0, 0}, true, FocusMove::Next},      // empty text
        {NavKey::Left, {0, 0, 5}, true, FocusMove::Previous},   // caret at start
        {NavKey::Left, {0, 5, 5}, true, FocusMove::Previous},   // all selected
        {NavKey::Left, {0, 2, 5}, true, FocusMove::None},       // part selected from start
        {NavKey::Left, {3, 0, 5}, true, FocusMove::None},
        {NavKey::Up, {3, 0, 5}, true, FocusMove::Previous},
        {NavKey::Down, {3, 0, 5}, true, FocusMove::Next},
        {NavKey::Down, {3, 0, 5}, false, FocusMove::None},      // Shift held
        {NavKey::Enter, {3, 0, 5}, false, FocusMove::Next},     // Shift+Enter still types CR
    };
    for (const auto& c : cases)
        EXPECT_EQ(editKeyMove(c.key, all, c.plain, c.caret), c.expected)
            << static_cast<int>(c.key) << " at " << c.caret.selStart << "/" << c.caret.selLength;
    EXPECT_EQ(editKeyMove(NavKey::Right, defaultKeyStyles, true, {0, 0, 0}), FocusMove::None);
}

TEST(KeyStyles, ComboKeepsItsKeysWhileTheListIsOpen)
{
    EXPECT_EQ(comboKeyMove(NavKey::Enter, defaultKeyStyles, true, true), FocusMove::None);
    EXPECT_EQ(comboKeyMove(NavKey::Enter, defaultKeyStyles, true, false), FocusMove::Next);
    EXPECT_EQ(comboKeyMove(NavKey::Down, defaultKeyStyles, true, false), FocusMove::None);
    EXPECT_EQ(comboKeyMove(NavKey::Left, TKeyStyles{ksLeft}, true, false), FocusMove::Previous);
}
