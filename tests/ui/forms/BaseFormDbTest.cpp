// The base form and the logged-on-operators screen over real databases: the
// saved bounds of FORMRSIZE, the operation history of OPINF and the logon
// rows of the system database.
#include "ShownForm.h"

#include "../../foundation/data/DataModuleFixture.h"
#include "foundation/app/AccInf.h"
#include "foundation/data/QueryFactory.h"
#include "ui/ModalResult.h"
#include "ui/forms/ScreenLauncher.h"
#include "ui/forms/TBSDI.h"
#include "ui/forms/TfmWebMenuL.h"
#include "ui/forms/TxSpreadGrid.h"

#include <QPointer>
#include <QTest>

using namespace vq;
using namespace vq::ui;

namespace {

class BaseFormDb : public test::DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        SystemDef.ComputerName = "PC01";
        SystemDef.FrameHeight = 0;
        ASSERT_TRUE(dm_.fnAccDefConnected("", 1));
        ASSERT_TRUE(dm_.fnAccDatConnected("", "", 0));
    }

    void run(bool system, const std::string& sql)
    {
        auto q = CreateAccQuery(system ? kAccDef : kAccDat, false);
        db::TransactionScope scope(system ? dm_.IBTransactionDEF : dm_.IBTransactionDAT);
        q->setSql(sql);
        q->execute();
        scope.commit();
    }

    // Each row's fields joined by "|".
    std::vector<std::string> rows(bool system, const std::string& sql)
    {
        auto q = CreateAccQuery(system ? kAccDef : kAccDat, false);
        db::TransactionScope scope(system ? dm_.IBTransactionDEF : dm_.IBTransactionDAT);
        q->setSql(sql);
        q->execute();
        std::vector<std::string> out;
        while (q->fetch()) {
            std::string line;
            for (std::size_t i = 0; i < q->fieldCount(); ++i)
                line += (i ? "|" : "") + q->field(i).asString();
            out.push_back(line);
        }
        scope.commit();
        return out;
    }

    // A screen (not a dialog) as a derived form would make it.
    static QPointer<TBSDI> screen(const char* name = "fmShiwake")
    {
        auto* form = new TBSDI(nullptr, bsSizeable);
        form->setObjectName(QString::fromLatin1(name));
        form->setWindowTitle(QStringLiteral("仕訳入力"));
        form->resize(600, 400);   // the design size
        form->FCreated = true;
        return form;
    }

    static void closeAndFree(QPointer<TBSDI>& form)
    {
        form->close();
        QTRY_VERIFY(form.isNull());
    }
};

using Strings = std::vector<std::string>;

} // namespace

TEST_F(BaseFormDb, FirstOpeningMakesTheOperatorsSizeRowAndLaterOpeningsReuseIt)
{
    const std::string sizes = "SELECT OPCODE,FMNAME,FMTOP,FMLEFT,FMHEIGHT,FMWIDTH,DEFHEIGHT,DEFWIDTH FROM FORMRSIZE "
                              "ORDER BY OPCODE";
    auto form = screen();
    form->show();
    EXPECT_EQ(form->size(), QSize(1012, 648));
    EXPECT_EQ(rows(true, sizes), (Strings{"100001|fmShiwake|0|0|648|1012|648|1012"}));

    form->move(30, 40);
    form->resize(700, 500);
    closeAndFree(form);
    EXPECT_EQ(rows(true, sizes), (Strings{"100001|fmShiwake|40|30|500|700|648|1012"}));

    auto again = screen();
    again->show();
    EXPECT_EQ(again->size(), QSize(700, 500));
    EXPECT_EQ(again->pos(), QPoint(30, 40));
    closeAndFree(again);

    SystemDef.OPCODE = 100002;   // another operator starts from the first size
    auto other = screen();
    other->show();
    EXPECT_EQ(other->size(), QSize(1012, 648));
    closeAndFree(other);
    EXPECT_EQ(rows(true, sizes).size(), 2u);
}

TEST_F(BaseFormDb, AMaximisedScreenSavesTheMainFormsClientSizeAndAFarTopAsZero)
{
    const std::string sizes = "SELECT FMTOP,FMLEFT,FMHEIGHT,FMWIDTH FROM FORMRSIZE";
    SystemDef.FrameHeight = 4;
    QWidget main;
    main.resize(800, 600);
    main.show();
    QPointer<TBSDI> form = new TBSDI(&main, bsSizeable);
    form->setObjectName(QStringLiteral("fmShiwake"));
    form->resize(600, 400);
    form->FCreated = true;
    form->show();
    form->showMaximized();
    QTRY_VERIFY(form->isMaximized());
    closeAndFree(form);
    EXPECT_EQ(rows(true, sizes), (Strings{"0|0|596|796"}));

    form = new TBSDI(&main, bsSizeable);
    form->setObjectName(QStringLiteral("fmShiwake"));
    form->FCreated = true;
    form->show();
    form->resize(300, 200);
    form->move(50, 700);   // below the main form's client area
    closeAndFree(form);
    EXPECT_EQ(rows(true, sizes), (Strings{"0|50|200|300"}));
}

TEST_F(BaseFormDb, OperationHistoryRowsOnShowAndClose)
{
    const std::string open = "SELECT OPCODE,JOBNAME,PCNAME,OPENTIME FROM OPINF";
    const std::string history = "SELECT OPCODE,JOBNAME,STATE FROM OPHIST ORDER BY STATE";
    auto form = screen();
    form->show();
    ASSERT_EQ(rows(false, open).size(), 1u);
    EXPECT_EQ(rows(false, open)[0].rfind("100001|仕訳入力|PC01|2025/12/09", 0), 0u) << rows(false, open)[0];
    form->hide();
    form->show();   // showing again writes nothing more
    EXPECT_EQ(rows(false, open).size(), 1u);
    closeAndFree(form);
    EXPECT_TRUE(rows(false, open).empty());
    EXPECT_EQ(rows(false, history), (Strings{"100001|仕訳入力|正常終了"}));

    // An entry left open by a screen that never closed is closed as ended in error.
    run(false, "INSERT INTO OPINF(OPCODE,JOBNAME,PCNAME) VALUES(100001,'仕訳入力','PC01')");
    auto next = screen();
    next->show();
    EXPECT_EQ(rows(false, history), (Strings{"100001|仕訳入力|エラー終了", "100001|仕訳入力|正常終了"}));
    EXPECT_EQ(rows(false, open).size(), 1u);
    closeAndFree(next);

    // Dialogs keep neither history nor sizes.
    QPointer<TBSDI> dialog = new TBSDI(nullptr, bsDialog);
    dialog->setObjectName(QStringLiteral("dlg"));
    dialog->FCreated = true;
    dialog->show();
    EXPECT_TRUE(rows(false, open).empty());
    closeAndFree(dialog);
    EXPECT_EQ(rows(false, history).size(), 3u);
    EXPECT_TRUE(rows(true, "SELECT * FROM FORMRSIZE WHERE FMNAME='dlg'").empty());
}

TEST_F(BaseFormDb, LoggedOnListShowsTheOtherOperators)
{
    run(true, "UPDATE OR INSERT INTO OPERATOR (GROUPID,OPCODE,OPNAME) VALUES (10000,2,'鈴木') MATCHING (GROUPID,OPCODE)");
    run(true, "DELETE FROM OPERATOR WHERE GROUPID=10000 AND OPCODE=3");
    run(true, "INSERT INTO LOGONUSERLIST (OPCODE,OPERATORCODE,GROUPID,PCNAME) VALUES (100001,1,10000,'PC01')");
    run(true, "INSERT INTO LOGONUSERLIST (OPCODE,OPERATORCODE,GROUPID,PCNAME) VALUES (100002,2,10000,'PC02')");
    run(true, "INSERT INTO LOGONUSERLIST (OPCODE,OPERATORCODE,GROUPID,PCNAME) VALUES (100003,3,10000,'PC03')");
    RegisterWebMenuL();

    QStringList shown;
    bool escClosed = true;
    vq::test::whenModal([&](QWidget* w) {
        auto* screen = dynamic_cast<TfmWebMenuL*>(w);
        ASSERT_NE(screen, nullptr);
        for (int r = 0; r < screen->PerfectGrid1->rowCount(); ++r)
            for (int c = 0; c < 3; ++c)
                shown << (screen->PerfectGrid1->item(r, c) ? screen->PerfectGrid1->item(r, c)->text() : QString());
        vq::test::releaseKey(*screen, Qt::Key_Escape);
        escClosed = !screen->isVisible();
        vq::test::releaseKey(*screen, Qt::Key_F12);
    });
    EXPECT_EQ(StartRegisteredProcess("webmenul", 1, "SyoriType=3"), 1);
    EXPECT_EQ(shown.join(QLatin1Char(',')), QStringLiteral("1,2,鈴木,2,3,"));
    EXPECT_FALSE(escClosed);
}

TEST_F(BaseFormDb, LoggedOnListAloneClosesItselfAndGivesZero)
{
    run(true, "INSERT INTO LOGONUSERLIST (OPCODE,OPERATORCODE,GROUPID,PCNAME) VALUES (100001,1,10000,'PC01')");
    auto* screen = new TfmWebMenuL;
    EXPECT_TRUE(screen->FCreated);
    EXPECT_FALSE(screen->fnDBConect_OP());
    EXPECT_EQ(screen->Execute(true), 0);
}

TEST_F(BaseFormDb, LoggedOnListThatCannotLoadReportsItsFailedCreation)
{
    run(true, "DROP PROCEDURE TE_LOGONUSERTEST");
    run(true, "DROP PROCEDURE LOGONUSERTEST");
    run(true, "DROP TABLE LOGONUSERLIST");
    auto* screen = new TfmWebMenuL;
    EXPECT_FALSE(screen->FCreated);
    EXPECT_TRUE(seam_->messages.empty());   // the database error is logged, not shown
    EXPECT_EQ(screen->Execute(true), 0);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, "ログインユーザー画面の初期化に失敗しました。\r処理を終了します。");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(BaseFormDb, FirstShowOfAScreenReloadsTheDataSetInformation)
{
    ASSERT_TRUE(dm_.fnGetAccInfo());
    const double kishu = AccInf.KISHU;
    ASSERT_GT(kishu, 0);
    AccInf.KISHU = 1;   // left stale by some other work

    QPointer<TBSDI> dialog = new TBSDI(nullptr, bsDialog);
    dialog->FCreated = true;
    dialog->show();
    EXPECT_EQ(AccInf.KISHU, 1);   // dialogs leave it alone
    closeAndFree(dialog);

    auto form = screen();
    form->show();
    EXPECT_EQ(AccInf.KISHU, kishu);
    closeAndFree(form);
}

TEST_F(BaseFormDb, SavedScreenValuesArePerScreenAndOperator)
{
    auto form = screen("fmShiwake");
    form->FGamenValueText = "KIKAN=3,BUMON=001";
    form->HozonGamenValue();
    form->FGamenValueText = "stale";
    form->FukugenGamenValue();
    EXPECT_EQ(form->FGamenValueText, "KIKAN=3,BUMON=001");
    form->FMojiBunkatu.Split(form->FGamenValueText);
    EXPECT_EQ(form->FMojiBunkatu.Get(1), "BUMON=001");
    delete form;

    auto other = screen("fmMotocho");
    other->FGamenValueText = "stale";
    other->FukugenGamenValue();
    EXPECT_EQ(other->FGamenValueText, "");
    SystemDef.OPCODE = 100002;
    auto second = screen("fmShiwake");
    second->FukugenGamenValue();
    EXPECT_EQ(second->FGamenValueText, "");
    delete other;
    delete second;
    EXPECT_EQ(rows(true, "SELECT OPCODE,STYLENAME,SSTR FROM STYLECOLOR WHERE STYLENAME STARTING WITH '020-'"),
              (Strings{"100001|020-FMSHIWAKE|KIKAN=3,BUMON=001"}));
}

TEST_F(BaseFormDb, NewStoredProcTakesItsInputsByNameAndRefusesUnknownOrUnsafeNames)
{
    auto form = screen();
    run(false, "INSERT INTO OPINF(OPCODE,JOBNAME,PCNAME) VALUES(100001,'仕訳入力','PC01')");
    auto proc = form->NewStoredProc("opinf_delete");
    ASSERT_NE(proc, nullptr);
    {
        db::TransactionScope scope(dm_.IBTransactionDAT);
        proc->param("OPCODE").setInt(100001);
        proc->param("JOBNAME").setString("仕訳入力");
        proc->param("STATE").setString("正常終了");
        proc->execute();
        scope.commit();
    }
    proc.reset();
    EXPECT_EQ(rows(false, "SELECT OPCODE,JOBNAME,STATE FROM OPHIST"), (Strings{"100001|仕訳入力|正常終了"}));

    EXPECT_EQ(form->NewStoredProc("NO_SUCH_PROC"), nullptr);
    EXPECT_EQ(form->NewStoredProc("OPINF_DELETE;DROP TABLE OPINF"), nullptr);
    EXPECT_EQ(form->NewStoredProc(""), nullptr);

    auto query = form->NewQuery();
    ASSERT_NE(query, nullptr);
    EXPECT_TRUE(query->sql().empty());
    query.reset();
    delete form;

    dm_.CloseAccDat("", 0, 0);
    TBSDI closed(nullptr, bsDialog);
    EXPECT_EQ(closed.NewQuery(), nullptr);
    EXPECT_EQ(closed.NewStoredProc("OPINF_DELETE"), nullptr);
}
