// The base form's keys, hints, creation failure and rescaling, and screens
// started by name through the registry.
#include "ShownForm.h"

#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DayNumber.h"
#include "platform/ScriptedInteraction.h"
#include "ui/ModalResult.h"
#include "ui/forms/GridProperties.h"
#include "ui/forms/ISyoriKidou.h"
#include "ui/forms/ScreenLauncher.h"
#include "ui/forms/ScreenRegistry.h"
#include "ui/forms/TBSDI.h"
#include "ui/forms/TVorlenDateEdit.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxKikanPanel12.h"
#include "ui/forms/TxKikanPanel16.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxSpreadGrid.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

using namespace vq::ui;
using vq::SystemDef;

namespace {

struct KeyCase {
    TBorderStyle border;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    bool closes;
    int clicks;
};

class KeyedForm : public ::testing::TestWithParam<KeyCase> {};

} // namespace

TEST_P(KeyedForm, EscAndF12ByFormKind)
{
    const KeyCase c = GetParam();
    TBSDI form(nullptr, c.border);
    form.FKeepOnClose = true;
    form.FCreated = true;
    form.resize(300, 200);
    auto* edit = new TxEdit(&form);
    auto* exec = new TxPlButton(&form);
    exec->setGeometry(200, 160, 90, 26);
    form.FExecButton = exec;
    int clicks = 0;
    QObject::connect(exec, &TxPlButton::clicked, [&] { ++clicks; });
    vq::test::showActive(form);
    edit->setFocus();
    vq::test::releaseKey(form, c.key, c.mods);
    QApplication::processEvents();
    EXPECT_EQ(!form.isVisible(), c.closes);
    EXPECT_EQ(clicks, c.clicks);
}

std::string keyCaseName(const ::testing::TestParamInfo<KeyCase>& info)
{
    const KeyCase& c = info.param;
    std::string name = c.border == bsDialog ? "Dialog" : "Screen";
    name += c.key == Qt::Key_Escape ? "Esc" : "F12";
    if (c.mods & Qt::ControlModifier)
        name += "Ctrl";
    if (c.mods & Qt::ShiftModifier)
        name += "Shift";
    if (c.mods & Qt::AltModifier)
        name += "Alt";
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    BaseForm, KeyedForm,
    ::testing::Values(KeyCase{bsDialog, Qt::Key_Escape, {}, true, 0}, KeyCase{bsDialog, Qt::Key_F12, {}, false, 1},
                      KeyCase{bsDialog, Qt::Key_Escape, Qt::ControlModifier, false, 0},
                      KeyCase{bsDialog, Qt::Key_F12, Qt::ShiftModifier, false, 0},
                      KeyCase{bsSizeable, Qt::Key_Escape, {}, false, 0},
                      KeyCase{bsSizeable, Qt::Key_F12, {}, true, 0},
                      KeyCase{bsSizeable, Qt::Key_F12, Qt::AltModifier, false, 0}),
    keyCaseName);

TEST(BaseForm, FirstShowSetsUpPeriodPanelsAndMedicalLabels)
{
    const auto savedAcc = vq::AccInf;
    vq::AccInf.SIME = 99;
    vq::AccInf.KISHU = vq::encodeDate(2024, 4, 1);
    vq::AccInf.KIMATU = vq::encodeDate(2025, 3, 31);
    vq::AccInf.KAISI = vq::encodeDate(2024, 4, 1);
    vq::AccInf.KAISINO = 4;   // entries from the fourth fiscal month
    vq::AccInf.IsIryou = 1;
    TBSDI form;
    form.FKeepOnClose = true;
    form.FCreated = true;
    auto* p16 = new TxKikanPanel16(&form);
    p16->setObjectName(QStringLiteral("KikanPanel16"));
    p16->setKikanMove(false);
    auto* p12 = new TxKikanPanel12(&form);
    p12->setObjectName(QStringLiteral("KikanPanel12"));
    auto* label = new QLabel(QStringLiteral("本・支店別 / 支店コード"), &form);
    form.show();
    EXPECT_EQ(p16->Stno(), 4);
    EXPECT_EQ(p16->Edno(), 4);
    EXPECT_EQ(p12->Stno(), 3);
    EXPECT_EQ(p12->Edno(), 11);
    EXPECT_EQ(label->text(), QStringLiteral("施設別 / 施設コード"));
    vq::AccInf = savedAcc;
}

// The plain date editor takes the operator's journal-date focus and the era
// mode; in era mode, and always in a distributor edition, the fiscal year is
// its range and a distributor edition enters whole dates.
TEST(BaseForm, FirstShowSetsUpThePlainDateEditor)
{
    const auto savedAcc = vq::AccInf;
    const auto savedDef = SystemDef;
    const auto savedOem = vq::OemKind;
    const double kishu = vq::encodeDate(2024, 4, 1), kimatu = vq::encodeDate(2025, 3, 31);
    vq::AccInf.KISHU = kishu;
    vq::AccInf.KIMATU = kimatu;
    vq::AccInf.KAISINO = 1;
    struct Case {
        std::int32_t eraDisplay;
        std::uint8_t oem;
        bool era;
        int style;
        double start, end;
    };
    for (const Case c : {Case{1, 0, true, pdsMonthDay, kishu, kimatu}, Case{0, 0, false, pdsMonthDay, 0, 0},
                         Case{0, 1, false, pdsYearMonthDay, kishu, kimatu}}) {
        SCOPED_TRACE(c.eraDisplay * 10 + c.oem);
        SystemDef.EraDisplay = c.eraDisplay;
        SystemDef.SwkDateFocus = 2;
        vq::OemKind = c.oem;
        TBSDI form;
        form.FKeepOnClose = true;
        form.FCreated = true;
        auto* date = new TVorlenDateEdit(&form);
        date->setStyle(pdsMonthDay);
        form.show();
        EXPECT_EQ(date->InputPosition(), pdpDay);
        EXPECT_EQ(date->Era(), c.era);
        EXPECT_EQ(date->UseWarekiTable() && !date->WarekiTable().empty(), c.era);
        EXPECT_EQ(date->Style(), c.style);
        EXPECT_EQ(date->StartDate(), c.start);
        EXPECT_EQ(date->EndDate(), c.end);
    }
    vq::OemKind = savedOem;
    SystemDef = savedDef;
    vq::AccInf = savedAcc;
}

TEST(BaseForm, SetParentWindowMakesANormalFormAnOwnedWindow)
{
    QWidget main;
    main.setWindowTitle(QStringLiteral("会計メニュー"));
    auto* inner = new QWidget(&main);
    QPointer<TBSDI> form = new TBSDI;
    form->SetParentWindow(inner);
    EXPECT_EQ(form->ParentWnd(), inner);
    EXPECT_EQ(form->ParentCaption(), QStringLiteral("会計メニュー"));
    EXPECT_EQ(form->parentWidget(), &main);
    EXPECT_TRUE(form->isWindow());

    TBSDI onTop;
    onTop.setFormStyle(fsStayOnTop);
    onTop.SetParentWindow(&main);
    EXPECT_EQ(onTop.ParentWnd(), &main);
    EXPECT_EQ(onTop.parentWidget(), nullptr);
}

TEST(BaseForm, PlaceFormKeepsAPlacedFormAndCentresOneOffScreen)
{
    TBSDI form;
    form.FKeepOnClose = true;
    form.FCreated = true;
    form.resize(200, 100);
    form.FFirstPlacement = false;
    form.move(10, 10);
    form.PlaceForm(0, 0, 0, 0, 3);
    EXPECT_EQ(form.pos(), QPoint(10, 10));
    form.move(0, 10);
    form.PlaceForm(0, 0, 0, 0, 3);
    EXPECT_NE(form.pos(), QPoint(0, 10));
    EXPECT_GT(form.x(), 0);
}

TEST(BaseForm, FormStyleSevenStaysOnTop)
{
    TBSDI form;
    form.setFormStyle(formStyleOf(splitParamLines("FormStyle=7")));
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    form.setFormStyle(fsNormal);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(BaseForm, F12LeavesADisabledHiddenOrUnhandledButtonAlone)
{
    TBSDI form;
    form.FKeepOnClose = true;
    form.FCreated = true;
    auto* exec = new TxPlButton(&form);
    form.FExecButton = exec;
    vq::test::showActive(form);
    int clicks = 0;
    // No handler: nothing.
    vq::test::releaseKey(form, Qt::Key_F12);
    QObject::connect(exec, &TxPlButton::clicked, [&] { ++clicks; });
    exec->setEnabled(false);
    vq::test::releaseKey(form, Qt::Key_F12);
    exec->setEnabled(true);
    exec->hide();
    vq::test::releaseKey(form, Qt::Key_F12);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(form.isVisible());
    exec->show();
    vq::test::releaseKey(form, Qt::Key_F12);
    EXPECT_EQ(clicks, 1);
}

TEST(BaseForm, HintMemoShowsTheLongPartOfTheFocusedControl)
{
    TBSDI form;
    form.FKeepOnClose = true;
    form.FCreated = true;
    auto* memo = new QPlainTextEdit(&form);
    memo->setFocusPolicy(Qt::NoFocus);
    form.FHintMemo = memo;
    auto* a = new TxEdit(&form);
    auto* b = new TxEdit(&form);
    auto* c = new TxEdit(&form);
    b->move(0, 30);
    c->move(0, 60);
    TBSDI::setHint(a, QStringLiteral("コード|得意先のコードを入力します。"));
    TBSDI::setHint(b, QStringLiteral("名称だけ"));
    TBSDI::setHint(c, QString());
    EXPECT_EQ(a->toolTip(), QStringLiteral("コード"));
    vq::test::showActive(form);
    a->setFocus();
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("得意先のコードを入力します。"));
    b->setFocus();
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("名称だけ"));
    c->setFocus();
    EXPECT_EQ(memo->toPlainText(), QString());
}

TEST(BaseForm, FailedCreationIsReportedWithTheCaptionAndTheScreenCloses)
{
    vq::platform::ScopedScriptedInteraction seam;
    QPointer<TBSDI> form = new TBSDI;
    form->setWindowTitle(QStringLiteral("データ選択"));
    form->show();   // FCreated was never set
    QTRY_VERIFY(form.isNull() || !form->isVisible());
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_EQ(seam->messages[0].text, "データ選択画面の初期化に失敗しました。\r処理を終了します。");
    EXPECT_EQ(seam->messages[0].kind, vq::platform::MessageKind::Error);
    QTRY_VERIFY(form.isNull());   // freed by its closing
}

TEST(BaseForm, FirstShowRescalesGridsToTheDisplayFontThroughTheirProperties)
{
    const auto saved = SystemDef;
    SystemDef.BaseFont.size = 9;
    SystemDef.UserFont.size = 12;   // 133 %: 96 dpi becomes 128
    TBSDI form;
    form.FKeepOnClose = true;
    form.FCreated = true;
    auto* grid = new TxSpreadGrid(&form);
    grid->setColumnCount(2);
    grid->setColumnWidth(0, 50);
    grid->setColumnWidth(1, 70);
    grid->setRowHeightMin(18);
    auto* edit = new TxEdit(&form);
    edit->setGeometry(30, 300, 120, 21);
    const int editPixels = edit->font().pixelSize();
    const int lookups = gridPropertyLookups();
    form.show();
    EXPECT_EQ(form.formPpi(), 128);
    EXPECT_EQ(edit->geometry(), QRect(40, 400, 160, 28));
    EXPECT_EQ(edit->font().pixelSize(), qRound(editPixels * 4 / 3.0));
    EXPECT_EQ(grid->columnWidth(0), 67);
    EXPECT_EQ(grid->columnWidth(1), 93);
    EXPECT_EQ(grid->RowHeightMin(), 24);
    EXPECT_TRUE(grid->NoBeep());
    const int afterFirst = gridPropertyLookups();
    EXPECT_GT(afterFirst, lookups);
    form.hide();
    form.show();   // no second rescale
    EXPECT_EQ(grid->columnWidth(0), 67);
    TBSDI other;
    other.FKeepOnClose = true;
    other.FCreated = true;
    new TxSpreadGrid(&other);
    other.show();
    EXPECT_EQ(gridPropertyLookups(), afterFirst);   // names were looked up once
    SystemDef = saved;
}

TEST(GridProperties, UnknownNamesFailAndAnEmptyWidthListChangesNothing)
{
    TxSpreadGrid grid;
    grid.setColumnCount(2);
    grid.setColumnWidth(0, 40);
    setColsWidth(&grid, QString());
    EXPECT_EQ(grid.columnWidth(0), 40);
    setColsWidth(&grid, QStringLiteral("55||"));
    EXPECT_EQ(grid.columnWidth(0), 55);
    setCelHeight(&grid, 0, 0, 30);
    EXPECT_EQ(getCols(&grid), 2);
    QObject plain;
    EXPECT_FALSE(isSpreadGrid(&plain));
    EXPECT_THROW(getCols(&plain), GridPropertyError);
}

// ---- Screens started by name --------------------------------------------------

namespace {

struct Seen {
    ParamLines params;
    TFormStyle style = fsMDIChild;
    bool modal = false;
    int instances = 0;
};
Seen seen;

class TestScreen : public TBSDI, public ISyoriKidou {
public:
    TestScreen()
        : TBSDI(nullptr, bsDialog)
    {
        ++seen.instances;
        setWindowTitle(QStringLiteral("テスト"));
        FCreated = true;
    }
    std::int32_t Execute(bool modal) override
    {
        seen.modal = modal;
        return ExecuteScreen(modal, [] {});
    }
    void SetParams(const ParamLines& lines) override
    {
        seen.params = lines;
        seen.style = formStyleOf(lines);
        setFormStyle(seen.style);
    }
};

class NoInterfaceScreen : public TBSDI {};

void registerOnce()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterScreen<TestScreen>("TestScreen");
    RegisterScreen<TestScreen>("SecondName");   // a class keeps its first name
    RegisterScreen<NoInterfaceScreen>("Plain");
}

} // namespace

TEST(ScreenRegistry, StartsARegisteredScreenByNameModalAndNot)
{
    registerOnce();
    vq::platform::ScopedScriptedInteraction seam;
    seen = {};
    vq::test::whenModal([](QWidget* w) { static_cast<QDialog*>(w)->done(mrOk); });
    EXPECT_EQ(StartRegisteredProcess("testscreen", 1, "SyoriType=3"), mrOk);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.params, (ParamLines{"SyoriType=3", "FormStyle=2"}));
    EXPECT_EQ(seen.style, fsNormal);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    seen = {};
    EXPECT_EQ(StartRegisteredProcess("TESTSCREEN", 0, ""), 1);
    EXPECT_FALSE(seen.modal);
    EXPECT_EQ(seen.params, (ParamLines{"FormStyle=0"}));
    EXPECT_EQ(seen.style, fsMDIChild);
    QWidget* shown = QApplication::topLevelWidgets().isEmpty() ? nullptr : nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (dynamic_cast<TestScreen*>(w) && w->isVisible())
            shown = w;
    ASSERT_NE(shown, nullptr);
    shown->close();
    EXPECT_TRUE(seam->messages.empty());
}

TEST(ScreenRegistry, UnknownNamesAndScreensWithoutTheInterfaceGiveMinusOne)
{
    registerOnce();
    vq::platform::ScopedScriptedInteraction seam;
    EXPECT_EQ(StartRegisteredProcess("SecondName", 1, ""), -1);
    EXPECT_EQ(StartRegisteredProcess("Plain", 1, ""), -1);
    ASSERT_EQ(seam->messages.size(), 2u);
    EXPECT_EQ(seam->messages[0].text, "処理を起動するためのインターフェースが実装されていません。\r"
                                      "ライブラリのロードに失敗した可能性があります。");
    EXPECT_EQ(StartRegisteredProcess("", 1, ""), -1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Another start under way (the hourglass shows): nothing is made.
    seen = {};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    EXPECT_EQ(StartRegisteredProcess("TestScreen", 1, ""), -1);
    QApplication::restoreOverrideCursor();
    EXPECT_EQ(seen.instances, 0);
    EXPECT_EQ(seam->messages.size(), 2u);
}

TEST(ScreenRegistry, AScreenWhoseCreationFailedDoesNotOpen)
{
    vq::platform::ScopedScriptedInteraction seam;
    auto* screen = new TestScreen;
    screen->FCreated = false;
    EXPECT_EQ(screen->Execute(true), -1);
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_EQ(seam->messages[0].text, "テスト画面の初期化に失敗しました。\r処理を終了します。");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
