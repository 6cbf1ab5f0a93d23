// The selection screen's copy, paste and delete on a copy of the sample
// office: the source is found again by its folder after a sort, a pending
// copy is cancelled with ESC, and a delete needs the agreement.
#include <gtest/gtest.h>

#include "SelectionScreenFixture.h"
#include "datasets/forms/DataSetScreenOperations.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/operations/DataStatusGate.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/IniFile.h"
#include "ui/forms/ScreenLauncher.h"

#include <QApplication>
#include <QPointer>

#include <cstdlib>

using namespace vq;
namespace fs = std::filesystem;

class DataSetScreenOperationsTest : public test::SelectionScreenFixture {};

TEST_F(DataSetScreenOperationsTest, ThePasteAfterASortTakesTheDataSetThatWasMarked)
{
    const std::int64_t named = scalar("SELECT COUNT(*) FROM DATALIST WHERE ENTTEXT<>''");
    TDataSentakuBox* box = open();
    const int sourceRow = rowOf(*box, ColCode, "0002");
    ASSERT_GE(sourceRow, 0);
    const std::string sourceName = box->List.GetRowRecord(sourceRow)->ENTTEXT;
    const std::string sourceFolder = box->List.GetDataPath(sourceRow);
    box->SelectRow(sourceRow);
    box->F2Click();
    ASSERT_TRUE(box->CopyPending) << (seam_->messages.empty() ? "" : seam_->messages.back().text);
    EXPECT_EQ(statusOf(sourceFolder), DataStatusCopySource);

    // A sort by name, twice (descending), moves every row; the source is kept by its folder.
    ASSERT_TRUE(box->List.HeaderClick(ColName));
    ASSERT_TRUE(box->List.HeaderClick(ColName));
    const int target = firstBlankRow(*box);
    ASSERT_GE(target, 0);
    const std::string targetFolder = box->List.GetDataPath(target);
    ASSERT_NE(targetFolder, sourceFolder);
    box->SelectRow(target);
    seam_->messages.clear();
    box->F2Click();
    EXPECT_FALSE(box->CopyPending);
    EXPECT_TRUE(fs::exists(fs::path(targetFolder) / DataDbFileName))
        << (seam_->messages.empty() ? "" : seam_->messages.back().text);
    EXPECT_EQ(statusOf(sourceFolder), DataStatusFree);
    EXPECT_EQ(statusOf(targetFolder), DataStatusFree);
    const int pasted = box->List.ScrollToFolder(targetFolder);
    ASSERT_GE(pasted, 0);
    EXPECT_EQ(box->List.GetRowRecord(pasted)->ENTTEXT, MakeCopyName(sourceName));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST WHERE ENTTEXT<>''"), named + 1);
}

TEST_F(DataSetScreenOperationsTest, EscapeBetweenCopyAndPasteFreesTheSource)
{
    TDataSentakuBox* box = open();
    const int sourceRow = rowOf(*box, ColCode, "0001");
    const std::string sourceFolder = box->List.GetDataPath(sourceRow);
    box->SelectRow(sourceRow);
    box->F2Click();
    ASSERT_TRUE(box->CopyPending);
    box->ESCClick();
    EXPECT_FALSE(box->CopyPending);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(statusOf(sourceFolder), DataStatusFree);
    // With nothing marked the next F2 marks again rather than pasting.
    box->SelectRow(firstBlankRow(*box));
    EXPECT_EQ(box->KeyCaption(KeyF2).rfind("F2:", 0), 0u);
}

TEST_F(DataSetScreenOperationsTest, ADeleteNeedsTheAgreementAndThenRemovesFolderAndRow)
{
    ::setenv("XDG_DATA_HOME", (root_.path() / "xdg").c_str(), 1);
    const std::int64_t named = scalar("SELECT COUNT(*) FROM DATALIST WHERE ENTTEXT<>''");
    TDataSentakuBox* box = open();
    const int row = rowOf(*box, ColCode, "0003");
    ASSERT_GE(row, 0);
    const std::string folder = box->List.GetDataPath(row);

    box->SelectRow(row);
    seam_->messageAnswers.push_back(platform::ResultCancel);
    box->F5Click();
    ASSERT_FALSE(seam_->messages.empty());
    EXPECT_NE(seam_->messages.back().text.find("データの削除に同意します"), std::string::npos);
    EXPECT_TRUE(fs::exists(fs::path(folder) / DataDbFileName));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST WHERE ENTTEXT<>''"), named);

    seam_->messages.clear();
    box->SelectRow(rowOf(*box, ColCode, "0003"));
    seam_->messageAnswers.push_back(platform::ResultOk);
    box->F5Click();
    EXPECT_FALSE(fs::exists(fs::path(folder) / DataDbFileName));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST WHERE ENTTEXT<>''"), named - 1);
    EXPECT_EQ(rowOf(*box, ColCode, "0003") >= 0 ? box->List.GetRowRecord(rowOf(*box, ColCode, "0003"))->ENTTEXT
                                                  : std::string(),
              "");
    ::unsetenv("XDG_DATA_HOME");
}
