// The numeric edit: typing and pasting into the styles and pictures the
// screens use, and the reading of what is typed through the input method;
// the edits' right-button menu.
#include "ShownForm.h"

#include "ui/forms/TVorlenEdit.h"
#include "ui/forms/TxComboBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxMaskEdit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>
#include <QInputMethodEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace vq::ui;

namespace {

struct EditCase {
    const char* name;
    TEditStyle style;
    bool comma;
    const char* format;
    int maxLength;
    TZeroKey zero2, zero3;
    const char* before;   // text already there, caret at its end
    const char* typed;    // keys; "^V" pastes `paste`
    const char* paste;
    const char* after;
    int caret;            // -1: not checked
};

struct Form {
    QWidget window;
    TxEdit* before = new TxEdit(&window);
    TVorlenEdit* edit = new TVorlenEdit(&window);
    TxEdit* after = new TxEdit(&window);
    Form()
    {
        edit->move(0, 30);
        after->move(0, 60);
        vq::test::showActive(window);
    }
};

class Typing : public ::testing::TestWithParam<EditCase> {};

} // namespace

TEST_P(Typing, AsTheOperatorSeesIt)
{
    const EditCase c = GetParam();
    Form f;
    f.edit->setEditStyle(c.style);
    f.edit->setComma(c.comma);
    f.edit->setOutputFormat(QString::fromUtf8(c.format));
    f.edit->setMaxLength(c.maxLength);
    f.edit->setZero2Key(c.zero2);
    f.edit->setZero3Key(c.zero3);
    f.edit->setFocus();
    f.edit->setText(QString::fromUtf8(c.before));
    f.edit->setCursorPosition(static_cast<int>(f.edit->text().size()));
    const QString typed = QString::fromUtf8(c.typed);
    if (typed == QLatin1String("^V")) {
        QApplication::clipboard()->setText(QString::fromUtf8(c.paste));
        QTest::keyClick(f.edit, Qt::Key_V, Qt::ControlModifier);
    } else {
        QTest::keyClicks(f.edit, typed);
    }
    EXPECT_EQ(f.edit->text().toStdString(), c.after) << c.name;
    if (c.caret >= 0) {
        EXPECT_EQ(f.edit->cursorPosition(), c.caret) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    TVorlenEdit, Typing,
    ::testing::Values(
        EditCase{"separators while typing", esNumeric, true, "#,##0", 0, zkNone, zkNone, "", "1234", "", "1,234", 5},
        EditCase{"seven digits", esNumeric, true, "#,##0", 0, zkNone, zkNone, "", "1234567", "", "1,234,567", 9},
        EditCase{"letters dropped", esNumeric, false, "", 0, zkNone, zkNone, "", "1a-2.b3", "", "123", 3},
        EditCase{"minus toggles a value", esNumericMinus, false, "#,##0", 0, zkNone, zkNone, "1,234", "-", "",
                 "-1234", 5},
        EditCase{"minus toggles back", esNumericMinus, true, "#,##0", 0, zkNone, zkNone, "-1,234", "-", "", "1,234",
                 5},
        EditCase{"minus into empty is typed", esNumericMinus, false, "", 0, zkNone, zkNone, "", "-5", "", "-5", 2},
        EditCase{"point cannot start or repeat", esFloat, false, "", 0, zkNone, zkNone, "", ".1.5.", "", "1.5", 3},
        EditCase{"zero3 dot", esNumeric, false, "", 5, zkNone, zkDot, "12", ".", "", "12000", 5},
        EditCase{"zero3 cut to length", esNumeric, false, "", 5, zkNone, zkDot, "123", ".", "", "12300", 5},
        EditCase{"zero3 with separators", esNumericMinus, true, "#,##0", 11, zkNone, zkDot, "", "5.", "", "5,000",
                 5},
        EditCase{"zero2 dot ignored in float", esFloat, false, "", 0, zkDot, zkNone, "1", ".5", "", "1.5", 3},
        EditCase{"full field", esNumeric, true, "#,##0", 4, zkNone, zkNone, "", "123456", "", "1,234", 5},
        EditCase{"paste a number", esNumeric, true, "#,##0", 0, zkNone, zkNone, "", "^V", "1234567", "1,234,567", 9},
        EditCase{"paste with separators", esNumericMinus, true, "#,##0", 0, zkNone, zkNone, "", "^V", "-12,000",
                 "-12,000", 7},
        EditCase{"paste text refused", esNumeric, true, "#,##0", 0, zkNone, zkNone, "5,000", "^V", "12a",
                 "5,000", -1},
        EditCase{"paste cut to length", esNumeric, false, "", 5, zkNone, zkNone, "", "^V", "1234567", "12345", 5},
        EditCase{"long paste cut to the amount box", esNumericMinus, true, "#,##0", 11, zkNone, zkNone, "", "^V",
                 "99999999999999999999999", "99,999,999,999", 14},
        EditCase{"minus pasted after digits refused", esNumericMinus, true, "#,##0", 11, zkNone, zkNone, "1,234,000",
                 "^V", "-5", "1,234,000", 9},
        EditCase{"letters pasted after a digit refused", esNumericMinus, true, "#,##0", 11, zkNone, zkNone, "5", "^V",
                 "abc", "5", 1},
        EditCase{"minus refused where the sign has no room", esNumericMinus, false, "", 3, zkNone, zkNone, "123",
                 "-", "", "123", -1},
        EditCase{"plain text paste", esNone, false, "", 0, zkNone, zkNone, "", "^V", "abc", "abc", 3}));

TEST(TVorlenEdit, LeavingFormatsAndBlankStaysBlankOnlyWhenAllowed)
{
    Form f;
    f.edit->setEditStyle(esNumeric);
    f.edit->setOutputFormat(QStringLiteral("#,##0"));
    f.edit->setFocus();
    f.edit->setText(QStringLiteral("1234567"));
    f.after->setFocus();
    EXPECT_EQ(f.edit->text(), QStringLiteral("1,234,567"));
    f.edit->setFocus();   // without Comma the separators go while editing
    EXPECT_EQ(f.edit->text(), QStringLiteral("1234567"));
    f.edit->setText(QString());
    f.after->setFocus();
    EXPECT_EQ(f.edit->text(), QStringLiteral("0"));
    f.edit->setAllowBlank(true);
    f.edit->setFocus();
    f.edit->setText(QString());
    f.after->setFocus();
    EXPECT_EQ(f.edit->text(), QString());
}

TEST(TVorlenEdit, EnterAndArrowsMoveBetweenFields)
{
    Form f;
    f.edit->setKeyStyles({ksEnter, ksUp});
    f.edit->setFocus();
    QTest::keyClick(f.edit, Qt::Key_Return);
    EXPECT_TRUE(f.after->hasFocus());
    f.edit->setFocus();
    QTest::keyClick(f.edit, Qt::Key_Up);
    EXPECT_TRUE(f.before->hasFocus());
}

TEST(TVorlenEdit, ReadingInKatakanaFromTheInputMethod)
{
    Form f;
    f.edit->setKanaMode(kmHankaku);
    f.edit->setFocus();
    for (const char* pre : {"や", "やまだ", "山田"}) {
        QInputMethodEvent composing(QString::fromUtf8(pre), {});
        QApplication::sendEvent(f.edit, &composing);
    }
    EXPECT_TRUE(f.edit->ImeOnFlg());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("山田"));
    QApplication::sendEvent(f.edit, &commit);
    EXPECT_FALSE(f.edit->ImeOnFlg());
    EXPECT_EQ(f.edit->Kana(), QStringLiteral("ﾔﾏﾀﾞ"));
    f.edit->setKana(QString());
    f.edit->setKanaMode(kmZenkaku);
    QInputMethodEvent direct;
    direct.setCommitString(QStringLiteral("たろう"));
    QApplication::sendEvent(f.edit, &direct);
    EXPECT_EQ(f.edit->Kana(), QStringLiteral("タロウ"));
}

namespace {

// Opens the right button's menu of edit, returns its entries (without the
// shortcut after the tab) and chooses the entry of that caption, if any.
QStringList useContextMenu(QLineEdit* edit, const QString& choose = {})
{
    QStringList entries;
    bool shown = false;
    std::function<void()> poll = [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            QTimer::singleShot(10, poll);
            return;
        }
        shown = true;
        QAction* chosen = nullptr;
        for (QAction* a : menu->actions()) {
            const QString caption = a->text().section(QLatin1Char('\t'), 0, 0);
            if (!caption.isEmpty())
                entries << caption;
            if (caption == choose)
                chosen = a;
        }
        menu->close();
        if (chosen)
            chosen->trigger();
    };
    QTimer::singleShot(0, poll);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4), edit->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(edit, &event);
    EXPECT_TRUE(shown);
    return entries;
}

} // namespace

// Each of the library's edits has its menu in Japanese.
TEST(EditContextMenu, EntriesInJapaneseOnEveryEdit)
{
    QWidget window;
    auto* combo = new TxComboBox(&window);
    QLineEdit* edits[] = {new TxEdit(&window), new TVorlenEdit(&window), new TxMaskEdit(&window),
                          combo->lineEdit()};
    vq::test::showActive(window);
    QApplication::clipboard()->setText(QStringLiteral("1"));
    for (QLineEdit* edit : edits) {
        const QStringList entries = useContextMenu(edit);
        for (const char* caption : {"元に戻す(&U)", "切り取り(&T)", "コピー(&C)", "貼り付け(&P)", "削除(&D)",
                                    "すべて選択(&A)"})
            EXPECT_TRUE(entries.contains(QString::fromUtf8(caption)))
                << edit->metaObject()->className() << " " << entries.join(u' ').toStdString();
    }
}

// Pasting from the menu goes through the amount's filter like Ctrl+V.
TEST(EditContextMenu, PasteOfTheAmountEditIsFiltered)
{
    Form f;
    f.edit->setEditStyle(esNumericMinus);
    f.edit->setComma(true);
    f.edit->setOutputFormat(QStringLiteral("#,##0"));
    f.edit->setMaxLength(11);
    f.edit->setFocus();
    const QString paste = QString::fromUtf8("貼り付け(&P)");
    struct Case {
        const char* before;
        const char* clipboard;
        const char* after;
    } cases[] = {{"", "1234567", "1,234,567"}, {"5", "abc", "5"}, {"1,234,000", "-5", "1,234,000"},
                 {"", "99999999999999999999999", "99,999,999,999"}};
    for (const auto& c : cases) {
        f.edit->setText(QString::fromUtf8(c.before));
        f.edit->setCursorPosition(static_cast<int>(f.edit->text().size()));
        QApplication::clipboard()->setText(QString::fromUtf8(c.clipboard));
        useContextMenu(f.edit, paste);
        EXPECT_EQ(f.edit->text().toStdString(), c.after) << c.clipboard;
    }
}
