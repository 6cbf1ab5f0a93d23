// [F6] save and [F7] restore through the selection screen on a copy of the
// sample office: the place dialogs answered as an operator would, the
// backup restored into a free row gives the same data set, a failed save
// keeps the old backup, and the default place of the restore is the data
// set's own folder.
#include <gtest/gtest.h>

#include "../operations/FakeGbak.h"
#include "SelectionScreenFixture.h"
#include "datasets/PlaceHistory.h"
#include "datasets/forms/DataSetSaveRestore.h"
#include "datasets/forms/DataSetScreenOperations.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/forms/TFileOperationBox.h"
#include "datasets/forms/TFileOperationBoxEx1.h"
#include "datasets/operations/DataStatusGate.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/IniFile.h"
#include "ui/ModalResult.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <functional>

using namespace vq;
namespace fs = std::filesystem;

namespace {

// What the data set in folder says of itself.
std::string describe(const std::string& folder)
{
    TDataInfomation reader;
    reader.Location = ConnectStandAlone;
    TDataInfomationRec rec;
    if (!reader.GetDataInfoFromFolder(folder, rec))
        return "unreadable";
    return rec.SHOUGOU + "|" + rec.KISHU + "|" + rec.KIMATU + "|" + rec.CODE + "|" + std::to_string(rec.SIWAKE) + "|" +
           std::to_string(rec.TOTALSIWAKE) + "|" + rec.VERSION2;
}

// Answers the place dialogs as they come up modally, one step per showing
// (a refused OK leaves the dialog up and the next step answers it again); a
// dialog beyond the steps is cancelled so that a test never hangs.
class DialogAnswers {
public:
    explicit DialogAnswers(std::deque<std::function<void(TFileOperationBox&)>> steps) : steps_(std::move(steps))
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
        timer_.start();
    }
    bool allUsed() const { return steps_.empty(); }

private:
    void tick()
    {
        auto* dialog = qobject_cast<TFileOperationBox*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        if (steps_.empty()) {
            static_cast<QDialog*>(dialog)->reject();
            return;
        }
        auto step = std::move(steps_.front());
        steps_.pop_front();
        step(*dialog);
    }

    std::deque<std::function<void(TFileOperationBox&)>> steps_;
    QTimer timer_;
};

std::function<void(TFileOperationBox&)> okAt(const std::string& place)
{
    return [place](TFileOperationBox& dialog) {
        dialog.SetPlaceItem(place);
        dialog.btnOKClick();
    };
}

} // namespace

class DataSetSaveRestoreTest : public test::SelectionScreenFixture {
protected:
    void SetUp() override
    {
        SelectionScreenFixture::SetUp();
        place_ = (root_.path() / "usb" / "backup").string();
        fs::create_directories(place_);
    }

    bool shown(const std::string& text)
    {
        for (const auto& m : seam_->messages)
            if (m.text == text)
                return true;
        return false;
    }

    std::string historyHead() const
    {
        return platform::IniFile(fs::path(SystemDef.IniDir) / PlaceHistoryFileName).readString(DataBackHistorySection, "HIST1");
    }

    std::string place_;
};

TEST_F(DataSetSaveRestoreTest, SavedThenRestoredIntoAFreeRowGivesTheDataSetBack)
{
    const std::int64_t named = scalar("SELECT COUNT(*) FROM DATALIST WHERE ENTTEXT<>''");
    TDataSentakuBox* box = open();
    const int sourceRow = rowOf(*box, ColCode, "0002");
    ASSERT_GE(sourceRow, 0);
    const std::string sourceFolder = box->List.GetDataPath(sourceRow);
    const std::string sourceName = box->List.GetRowRecord(sourceRow)->ENTTEXT;

    // The program's temp folder is refused and the dialog comes up again.
    box->SelectRow(sourceRow);
    {
        DialogAnswers answers({okAt(SystemDef.TempDir), okAt(place_)});
        box->F6Click();
        EXPECT_TRUE(answers.allUsed());
    }
    EXPECT_TRUE(shown("このフォルダは選択出来ません。他の場所を選んで下さい。"));
    ASSERT_TRUE(fs::exists(fs::path(place_) / DataBackupFileName)) << lastMessage();
    EXPECT_EQ(statusOf(sourceFolder), DataStatusFree);
    EXPECT_EQ(historyHead(), place_);

    // A copy marked meanwhile is not the restore's business.
    box->SelectRow(rowOf(*box, ColCode, "0001"));
    box->F2Click();
    ASSERT_TRUE(box->CopyPending);
    const auto* ops = dynamic_cast<const TDataSetScreenOperations*>(box->RowOps.get());
    ASSERT_NE(ops, nullptr);
    const TCopySource marked = ops->Source();

    const int blank = firstBlankRow(*box);
    ASSERT_GE(blank, 0);
    const std::string target = box->List.GetDataPath(blank);
    box->SelectRow(blank);
    seam_->messages.clear();
    {
        // The last place used is offered first.
        DialogAnswers answers({[this](TFileOperationBox& dialog) {
            EXPECT_EQ(dialog.ShownPlace(), place_);
            EXPECT_EQ(dialog.windowTitle().toStdString(), "データの復元");
            dialog.btnOKClick();
        }});
        EXPECT_EQ(box->RowOps->RestoreData(*box), 1);
        EXPECT_TRUE(answers.allUsed());
    }
    EXPECT_EQ(ops->Source().Folder, marked.Folder);
    EXPECT_EQ(ops->Source().Row.SHOUGOU, marked.Row.SHOUGOU);
    EXPECT_EQ(ops->Source().Row.KISHU, marked.Row.KISHU);
    EXPECT_EQ(ops->Source().Row.GASSAN, marked.Row.GASSAN);
    box->ESCClick();
    EXPECT_FALSE(box->CopyPending);
    ASSERT_TRUE(fs::exists(fs::path(target) / DataDbFileName)) << lastMessage();
    // Onto a row without data nothing is asked.
    EXPECT_TRUE(seam_->messages.empty()) << lastMessage();
    EXPECT_EQ(describe(target), describe(sourceFolder));
    EXPECT_EQ(statusOf(target), DataStatusFree);
    EXPECT_EQ(statusOf(dataFolder("0001")), DataStatusFree);
    const int restored = box->List.ScrollToFolder(target);
    ASSERT_GE(restored, 0);
    EXPECT_EQ(box->List.GetRowRecord(restored)->ENTTEXT, sourceName);
    EXPECT_EQ(box->List.GetRowRecord(restored)->DATA_STATUS, 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST WHERE ENTTEXT<>''"), named + 1);
    EXPECT_TRUE(fs::exists(fs::path(place_) / DataBackupFileName));
}

TEST_F(DataSetSaveRestoreTest, AFailedSaveKeepsTheOldBackup)
{
    test::writeBytes(fs::path(place_) / DataBackupFileName, "the old backup");
    TDataSentakuBox* box = open();
    auto* ops = dynamic_cast<TDataSetScreenOperations*>(box->RowOps.get());
    ASSERT_NE(ops, nullptr);
    ops->Tool.UseGbak = true;
    const int row = rowOf(*box, ColCode, "0001");
    const std::string folder = box->List.GetDataPath(row);
    box->SelectRow(row);
    test::ScopedFakeGbak fake("err boom exit 1");

    // Declining to overwrite does nothing.
    seam_->messageAnswers.push_back(platform::ResultCancel);
    {
        DialogAnswers answers({okAt(place_)});
        box->F6Click();
    }
    EXPECT_EQ(lastMessage(), "この場所には、同じ名前のバックアップファイルが既に存在します。\r上書きしますか？");

    seam_->messageAnswers.push_back(platform::ResultOk);
    {
        DialogAnswers answers({okAt(place_)});
        box->F6Click();
    }
    EXPECT_EQ(lastMessage().rfind("データベースの保存に失敗しました。\r", 0), 0u) << lastMessage();
    EXPECT_EQ(test::readBytes(fs::path(place_) / DataBackupFileName), "the old backup");
    EXPECT_EQ(std::distance(fs::directory_iterator(place_), fs::directory_iterator()), 1);
    EXPECT_EQ(statusOf(folder), DataStatusFree);
    EXPECT_TRUE(box->isEnabled());
}

TEST_F(DataSetSaveRestoreTest, TheDefaultPlaceOfTheRestoreIsTheDataSetsOwnFolder)
{
    TDataSentakuBox* box = open();
    const int row = rowOf(*box, ColCode, "0001");
    const std::string folder = box->List.GetDataPath(row);
    const std::string before = describe(folder);
    box->SelectRow(row);
    {
        DialogAnswers answers({[](TFileOperationBox& dialog) {
            auto& second = dynamic_cast<TFileOperationBoxEx1&>(dialog);
            second.SetSelectMode(2);
            second.btnOKClick();
        }});
        box->F7Click();
        EXPECT_TRUE(answers.allUsed());
    }
    EXPECT_EQ(lastMessage(), "この場所には、バックアップファイル(vqacc.fbk)がありませんでした。");
    EXPECT_EQ(describe(folder), before);
    EXPECT_EQ(statusOf(folder), DataStatusFree);
    // The default place leaves the history alone.
    EXPECT_EQ(historyHead(), "");
}
