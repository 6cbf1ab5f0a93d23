// The print-option dialog and the report-colour chooser reading and saving an
// operator's report colours in a real system database.
#include <gtest/gtest.h>

#include "tests/foundation/data/DataModuleFixture.h"
#include "tests/ui/forms/ShownForm.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"
#include "ui/forms/TPrintDlgBox.h"
#include "ui/forms/TPrnColorSetBox.h"
#include "ui/forms/TxCheckBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxRadioButton.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace vq;
using namespace vq::ui;

namespace {

struct Row {
    int line1, line2, line3, net1, net2;
    std::string sstr;
};

class PrintDlgBoxTest : public test::DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        ASSERT_TRUE(dm_.fnAccDefConnected("", 1));
        SystemDef.PLineColor1 = 0x111111;
        SystemDef.PLineColor2 = 0x222222;
        SystemDef.NetColor1 = 0xC0C0C0;
        SystemDef.NetColor2 = 0x808080;
    }

    void sql(const std::string& text, std::initializer_list<std::pair<const char*, std::string>> params = {})
    {
        db::TransactionScope scope(dm_.IBTransactionDEF);
        db::Statement q(dm_.IBDatabaseDEF.attachment(), dm_.IBTransactionDEF, text);
        for (const auto& [name, value] : params)
            q.param(name).setString(value);
        q.execute();
        scope.commit();
    }

    std::optional<Row> row(const std::string& style)
    {
        db::TransactionScope scope(dm_.IBTransactionDEF);
        db::Statement q(dm_.IBDatabaseDEF.attachment(), dm_.IBTransactionDEF,
                        "SELECT LINECOLOR1,LINECOLOR2,LINECOLOR3,NETCOLOR1,NETCOLOR2,SSTR FROM STYLECOLOR "
                        "WHERE OPCODE=100001 AND STYLENAME=:S");
        q.param("S").setString(style);
        q.execute();
        std::optional<Row> r;
        if (q.fetch())
            r = Row{q.field("LINECOLOR1").asInt(), q.field("LINECOLOR2").asInt(), q.field("LINECOLOR3").asInt(),
                    q.field("NETCOLOR1").asInt(), q.field("NETCOLOR2").asInt(), q.field("SSTR").asString()};
        scope.commit();
        return r;
    }

    void open(TPrintDlgBox& dlg, print::TDefaultPrintRec& rec)
    {
        print::InitDefaultPrintRec(rec);
        rec.ReportName = "DataSentakuList";
        dlg.PrintRec = &rec;
        dlg.UseStyleColor = true;
        dlg.ShowColor = true;
        dlg.ShowStartPage = true;
        dlg.ShowDuplex = true;
        dlg.DlgCaption = "データリストの印刷";
        dlg.MainText = "データリストを印刷します。";
        dlg.Setup(1);
        dlg.open();
    }
};

} // namespace

TEST_F(PrintDlgBoxTest, ReadsTheOperatorsReportRowAndSavesItBack)
{
    sql("INSERT INTO STYLECOLOR(OPCODE,STYLENAME,LINECOLOR1,LINECOLOR2,NETCOLOR1,NETCOLOR2,SSTR) "
        "VALUES(100001,'020-DATASENTAKULIST',-1,255,-1,65280,:S)",
        {{"S", "C010=1\r\nC020=1\r\n"}});
    print::TDefaultPrintRec rec;
    TPrintDlgBox dlg;
    open(dlg, rec);
    // -1 keeps the operator's colour; stored colours and choices come back.
    EXPECT_EQ(rec.LineColor1, 0x111111);
    EXPECT_EQ(rec.LineColor2, 0x0000FF);
    EXPECT_EQ(rec.NetColor1, 0xC0C0C0);
    EXPECT_EQ(rec.NetColor2, 0x00FF00);
    EXPECT_EQ(rec.Colour, 1);
    EXPECT_TRUE(dlg.btnColor->isChecked());
    EXPECT_TRUE(dlg.chkBoth->isChecked());
    EXPECT_EQ(dlg.height(), 300);

    dlg.btnMono->setChecked(true);
    dlg.txtStartPage->setText("abc");
    dlg.btnPreview->Click();
    EXPECT_EQ(dlg.PrintResult, 2);
    EXPECT_EQ(rec.Colour, 0);
    EXPECT_EQ(rec.StartPage, 1);
    EXPECT_TRUE(rec.Duplex);
    EXPECT_EQ(rec.Settings, "C020=1\r\n");
    const auto saved = row("020-DATASENTAKULIST");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->line1, -1); // equal to the operator's colour
    EXPECT_EQ(saved->line2, 0x0000FF);
    EXPECT_EQ(saved->line3, -1);
    EXPECT_EQ(saved->net2, 0x00FF00);
    EXPECT_EQ(saved->sstr, "C020=1\r\n");
}

TEST_F(PrintDlgBoxTest, NewReportGetsARowOnClose)
{
    print::TDefaultPrintRec rec;
    TPrintDlgBox dlg;
    open(dlg, rec);
    EXPECT_EQ(rec.LineColor1, 0x111111);
    rec.NetColor1 = 0x00FFFF;
    dlg.txtStartPage->setText("5");
    dlg.btnOK->Click();
    EXPECT_EQ(dlg.PrintResult, 1);
    EXPECT_EQ(rec.StartPage, 5);
    const auto saved = row("020-DATASENTAKULIST");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->line1, -1);
    EXPECT_EQ(saved->net1, 0x00FFFF);
    EXPECT_EQ(saved->sstr, "");
}

TEST_F(PrintDlgBoxTest, HiddenColourOptionIsNeitherRestoredNorSaved)
{
    sql("INSERT INTO STYLECOLOR(OPCODE,STYLENAME,SSTR) VALUES(100001,'020-LIST',:S)", {{"S", "C010=1\r\n"}});
    print::TDefaultPrintRec rec;
    print::InitDefaultPrintRec(rec);
    rec.ReportName = "list";
    TPrintDlgBox dlg;
    dlg.PrintRec = &rec;
    dlg.UseStyleColor = true;
    dlg.Setup(1);
    dlg.open();
    EXPECT_EQ(rec.Colour, 0);
    EXPECT_EQ(dlg.height(), 174);
    dlg.btnColor->setChecked(true);
    dlg.btnOK->Click();
    EXPECT_EQ(rec.Colour, 1);
    EXPECT_EQ(row("020-LIST")->sstr, "");
}

TEST_F(PrintDlgBoxTest, ChooserSavesOperatorDefaultsAndCustomColours)
{
    // The operator's settings row exists once the operator has logged on.
    ASSERT_TRUE(dm_.fnGetSysDef());
    SystemDef.PLineColor1 = 0x111111;
    TPrnColorSetBox::setColorChooser([](std::int32_t, QWidget*) { return std::optional<std::int32_t>(0x00FF00); });
    TPrnColorSetBox box;
    box.UseStyle = 0;
    box.Setup(1);
    EXPECT_FALSE(box.lblKankyoColor->isVisibleTo(&box));
    EXPECT_EQ(box.LineColor1(), 0x111111);
    box.open();
    box.changeButton(0)->click();
    EXPECT_EQ(box.LineColor1(), 0x00FF00);
    box.btnOK->Click();
    EXPECT_EQ(SystemDef.PLineColor1, 0x00FF00);
    {
        db::TransactionScope scope(dm_.IBTransactionDEF);
        db::Statement q(dm_.IBDatabaseDEF.attachment(), dm_.IBTransactionDEF,
                        "SELECT PLINECOLOR1 FROM SYSDEF WHERE OPCODE=100001");
        q.execute();
        ASSERT_TRUE(q.fetch());
        EXPECT_EQ(q.field("PLINECOLOR1").asInt(), 0x00FF00);
        scope.commit();
    }
    std::string custom;
    dm_.GetStyleColor(100001, "Pallet_CustomColor", custom);
    EXPECT_NE(custom.find("ColorA="), std::string::npos);
    EXPECT_NE(custom.find("ColorP="), std::string::npos);
    TPrnColorSetBox::setColorChooser(nullptr);
}

TEST_F(PrintDlgBoxTest, ChooserGoesBackToTheOperatorsColoursAfterYes)
{
    TPrnColorSetBox box;
    box.UseStyle = 1;
    box.setNetColor2(0x0000FF);
    box.Setup(1);
    EXPECT_TRUE(box.lblKankyoColor->isVisibleTo(&box));
    seam_->messageAnswers.push_back(platform::ResultNo);
    box.backToOperatorColors();
    EXPECT_EQ(box.NetColor2(), 0x0000FF);
    seam_->messageAnswers.push_back(platform::ResultYes);
    box.backToOperatorColors();
    EXPECT_EQ(box.NetColor2(), 0x808080);
    ASSERT_EQ(seam_->messages.size(), 2u);
    EXPECT_EQ(seam_->messages[0].text, "帳票の色を環境設定の色に戻します。\r\nよろしいですか？");
}

TEST_F(PrintDlgBoxTest, KeysPrintOrCancelAndHintsShowTheirLongPart)
{
    print::TDefaultPrintRec rec;
    TPrintDlgBox dlg;
    open(dlg, rec);
    test::showActive(dlg);
    EXPECT_EQ(QApplication::focusWidget(), dlg.btnOK);
    EXPECT_EQ(dlg.HintArea->toPlainText(), QStringLiteral("帳票を印刷します。"));
    dlg.chkBoth->setFocus();
    EXPECT_EQ(dlg.HintArea->toPlainText(),
              QStringLiteral("偶数ﾍﾟｰｼﾞの余白を右側に取る場合にﾁｪｯｸします。\n"
                             "両面への印刷は「印刷」ﾎﾞﾀﾝ押下後に表示する「印刷」画面で「ﾌﾟﾛﾊﾟﾃｨ」ﾎﾞﾀﾝを押して設定します。"));
    dlg.chkBoth->setChecked(true);
    test::releaseKey(dlg, Qt::Key_F12);
    EXPECT_EQ(dlg.PrintResult, 1);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(rec.Duplex);
    EXPECT_EQ(row("020-DATASENTAKULIST")->sstr, "C020=1\r\n");

    // Shown again, Esc closes without printing and still keeps the report's colours.
    sql("DELETE FROM STYLECOLOR");
    dlg.Setup(1);
    test::showActive(dlg);
    test::releaseKey(dlg, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.PrintResult, 0);
    EXPECT_TRUE(row("020-DATASENTAKULIST").has_value());
}

TEST_F(PrintDlgBoxTest, AFailedCreationIsReportedWhenShown)
{
    TPrintDlgBox dlg;
    dlg.FCreated = false;
    dlg.setWindowTitle("データリストの印刷");
    dlg.show();
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, "データリストの印刷画面の初期化に失敗しました。\r処理を終了します。");
    QTRY_VERIFY(!dlg.isVisible());
    EXPECT_FALSE(dlg.isVisible());
}
