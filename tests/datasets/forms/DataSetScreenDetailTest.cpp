// The information button of the selection screen on a copy of the sample
// office: what the detail dialog changed reaches the data set, the data list
// and the grid, on the row of the data set it was opened on; a cleared status
// frees the data set; the wizard's processing type 3 opens it too.
#include <gtest/gtest.h>

#include "SelectionScreenFixture.h"
#include "datasets/forms/DataSetScreenOperations.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/forms/TDataSyosaiInfoBox.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/IniFile.h"
#include "ui/forms/ScreenLauncher.h"
#include "ui/forms/TVorlenEdit.h"
#include "ui/forms/TxPlButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

using namespace vq;
namespace fs = std::filesystem;

namespace {

const char* const kWizardLines = "SyoriType=3\r\nJyokenSet=1\r\nDataType=2\r\nCodeType=0\r\nDataVerMajor=14";

// Runs action on the detail dialog once it runs modally.
void whenDetailShown(std::function<void(TDataSyosaiInfoBox&)> action)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action, poll] {
        if (auto* dialog = qobject_cast<TDataSyosaiInfoBox*>(QApplication::activeModalWidget())) {
            action(*dialog);
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

platform::IniFile iniOf(const std::string& folder)
{
    return platform::IniFile(fs::path(folder) / DataIniFileName);
}

} // namespace

class DataSetScreenDetailTest : public test::SelectionScreenFixture {
protected:
    TDataInfomationRec stored(const std::string& folder)
    {
        TDataInfomation info;
        TDataInfomationRec rec;
        EXPECT_TRUE(info.GetDataInfoFromFolder(folder, rec));
        return rec;
    }
};

TEST_F(DataSetScreenDetailTest, TheDetailDialogRenamesAndLocksTheRowItWasOpenedOn)
{
    TDataSentakuBox* box = open();
    const int row = rowOfCode(*box, "0002");
    ASSERT_GE(row, 0);
    const std::string folder = box->List.GetDataPath(row);
    box->SelectRow(row);
    whenDetailShown([box](TDataSyosaiInfoBox& d) {
        // The list moves under the dialog: the write-back must follow the folder.
        box->List.HeaderClick(ColName);
        box->List.HeaderClick(ColName);
        d.txtListName->setText(QStringLiteral("メゾン佐藤（貸家）"));
        d.cboxDataUpdateLock->setChecked(true);
        d.cboxDataReadOnly->setChecked(true);
        d.btnOKClick();
    });
    box->btnDataInfoClick();
    EXPECT_TRUE(seam_->messages.empty()) << seam_->messages.back().text;

    const TDataInfomationRec db = stored(folder);
    EXPECT_EQ(db.DATALISTNAME, "メゾン佐藤（貸家）");
    EXPECT_EQ(db.UPDATE_LOCK, 1);
    EXPECT_EQ(db.READ_ONLY, 1);
    EXPECT_EQ(texts("SELECT ENTTEXT FROM DATALIST WHERE REC=2").at(0), "メゾン佐藤（貸家）");
    EXPECT_EQ(scalar("SELECT UPDATE_LOCK * 10 + READ_ONLY FROM DATALIST WHERE REC=2"), 11);
    // The other rows kept their names.
    EXPECT_NE(texts("SELECT ENTTEXT FROM DATALIST WHERE REC=1").at(0), "メゾン佐藤（貸家）");
    platform::IniFile ini = iniOf(folder);
    EXPECT_EQ(ini.readString("DATAINFO", "DATALISTNAME", ""), "メゾン佐藤（貸家）");
    EXPECT_EQ(ini.readInteger("DATASTS", "UPDATE_LOCK", -1), 1);
    EXPECT_EQ(ini.readInteger("DATASTS", "READ_ONLY", -1), 1);

    const int now = rowOfCode(*box, "0002");
    ASSERT_GE(now, 0);
    EXPECT_EQ(box->List.Grid.Cell(now, ColName), "メゾン佐藤（貸家）");
    EXPECT_EQ(box->List.Grid.CellInt(now, ColReadOnly), 1);
    EXPECT_EQ(box->CurrentRow(), now);
    // The list read anew shows the same.
    box->LoadList();
    box->FillGrid(-1);
    EXPECT_EQ(box->List.Grid.Cell(rowOfCode(*box, "0002"), ColName), "メゾン佐藤（貸家）");
}

TEST_F(DataSetScreenDetailTest, ClearingALeftoverStatusFreesTheDataSetAndGivesUpAPendingCopy)
{
    const std::string left = dataFolder("0003");
    iniOf(left).writeInteger("DATASTS", "STATUS", DataStatusInUse);
    iniOf(left).writeInteger("DATASTS", "OPCODE", 100000010);
    TDataSentakuBox* box = open();

    // A copy is marked on another data set first.
    const std::string source = box->List.GetDataPath(rowOfCode(*box, "0001"));
    box->SelectRow(rowOfCode(*box, "0001"));
    box->F2Click();
    ASSERT_TRUE(box->CopyPending);
    ASSERT_EQ(iniOf(source).readInteger("DATASTS", "STATUS", -1), DataStatusCopySource);

    box->SelectRow(rowOfCode(*box, "0003"));
    bool offered = false;
    whenDetailShown([&offered](TDataSyosaiInfoBox& d) {
        offered = d.cboxStatusClear->isVisible();
        d.cboxStatusClear->setChecked(true);
        d.btnOKClick();
    });
    box->btnDataInfoClick();
    EXPECT_TRUE(offered);
    EXPECT_EQ(iniOf(left).readInteger("DATASTS", "STATUS", -1), DataStatusFree);
    EXPECT_EQ(iniOf(left).readInteger("DATASTS", "OPCODE", -1), -1);
    EXPECT_FALSE(box->CopyPending);
    EXPECT_EQ(iniOf(source).readInteger("DATASTS", "STATUS", -1), DataStatusFree);
    auto* ops = dynamic_cast<TDataSetScreenOperations*>(box->RowOps.get());
    ASSERT_NE(ops, nullptr);
    EXPECT_FALSE(ops->Source().pending());
    // The name was not the operator's to change and stays.
    EXPECT_EQ(texts("SELECT ENTTEXT FROM DATALIST WHERE REC=3").at(0), stored(left).DATALISTNAME);
}

TEST_F(DataSetScreenDetailTest, TheWizardsProcessingTypeOpensTheDetailDialogAndItsRebuild)
{
    RegisterDataSentakuBox();
    std::vector<std::string> captions;
    std::string code;
    bool rebuilt = false;
    std::uint8_t statusAfter = 9;
    QTimer::singleShot(0, [&] {
        TDataSentakuBox* box = shownScreen();
        ASSERT_NE(box, nullptr);
        box->SelectRow(rowOfCode(*box, "0002"));
        for (int k = 0; k < 10; ++k)
            captions.push_back(box->KeyCaption(k));
        whenDetailShown([&](TDataSyosaiInfoBox& d) {
            code = d.lblCode->text().toStdString();
            seam_->messageAnswers.push_back(platform::ResultOk);
            d.F1Click(d.Keys[6]);
            rebuilt = d.Rebuilt;
            d.btnCancel->Click();
        });
        box->btnDataInfoClick();
        const int row = rowOfCode(*box, "0002");
        statusAfter = box->List.GetRowRecord(row)->DATA_STATUS;
        EXPECT_EQ(box->CurrentRow(), row);
        box->ESCClick();
    });
    EXPECT_EQ(ui::StartRegisteredProcess("QzDataSenkaku", 1, kWizardLines), 2);
    EXPECT_EQ(captions, (std::vector<std::string>{"ESC:ｷｬﾝｾﾙ", "F1:", "F2:", "F3:", "F4:", "F5:", "F6:", "F7:",
                                                  "F8:", "F12:選択"}));
    EXPECT_EQ(code, "0002");
    EXPECT_TRUE(rebuilt);
    EXPECT_EQ(statusAfter, 0);
    ASSERT_EQ(seam_->messages.size(), 2u);
    EXPECT_EQ(seam_->messages[1].text, "データの再構築は適正に行われました。");
    EXPECT_EQ(stored(dataFolder("0002")).SHOUGOU, texts("SELECT SHOUGOU FROM DATALIST WHERE REC=2").at(0));
}
