// The cash-book import window: a window-less data receive that succeeds
// never shows itself; one that fails shows the reasons, and its log can be
// written to a file; the interactive receive starts by itself.
#include "comm/forms/TCashBookLoaderBox.h"

#include "../CashBookFixture.h"
#include "platform/Cp932.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace vq;
namespace fs = std::filesystem;

class TCashBookLoaderBoxTest : public test::CashBookFixture {
protected:
    fs::path sameCashBook()
    {
        dm_.IBDatabaseDAT.disconnect();
        const fs::path file = root_.path() / "cashbook.fdb";
        fs::copy_file(dataFile(), file);
        EXPECT_TRUE(dm_.fnAccDatConnected("", SystemDef.DataDir, 0));
        return file;
    }
};

TEST_F(TCashBookLoaderBoxTest, AHiddenRunShowsItselfOnlyWhenItFails)
{
    {
        comm::TCashBookLoaderBox box;
        box.TextMode = 1;
        box.OpenReceivedData(sameCashBook().string());
        bool shown = false;
        QTimer::singleShot(0, [&] { shown = box.isVisible(); });
        box.RunHidden();
        EXPECT_EQ(box.RecomputeResult(), 1);
        EXPECT_FALSE(box.isVisible());
        EXPECT_FALSE(shown);
    }

    comm::TCashBookLoaderBox box;
    box.TextMode = 1;
    box.OpenReceivedData((root_.path() / "missing.fdb").string());
    const fs::path log = root_.path() / "log.txt";
    seam_->fileAnswers.push_back(log.string());
    QString title;
    QString line;
    QTimer::singleShot(0, [&] {
        title = box.lblTitle1->text();
        line = box.ListView1->topLevelItem(0)->text(0) + "|" + box.ListView1->topLevelItem(0)->text(1);
        box.btnOutput->click();
        box.btnCancel->click();
    });
    box.RunHidden();
    EXPECT_EQ(box.result(), 1);
    EXPECT_EQ(box.RecomputeResult(), -100);
    EXPECT_EQ(title.toStdString(), "データの取り込みが中止されました。");
    EXPECT_EQ(line.toStdString(), "エラー|会計データの接続に失敗しました。");
    EXPECT_EQ(platform::cp932::readFile(log), "エラー\t-100\t会計データの接続に失敗しました。\t\r\n\r\n");
}

TEST_F(TCashBookLoaderBoxTest, TheInteractiveReceiveStartsByItselfAndWaitsToBeClosed)
{
    comm::TCashBookLoaderBox box;
    box.OpenReceivedData(sameCashBook().string());
    QString title;
    std::function<void()> waitForTheRun = [&] {
        if (box.AutoStart == 1 || !box.btnCancel->isEnabled()) {
            QTimer::singleShot(100, waitForTheRun);
            return;
        }
        title = box.lblTitle1->text();
        box.btnCancel->click();
    };
    QTimer::singleShot(0, waitForTheRun);
    box.exec();
    EXPECT_EQ(box.result(), 1);
    EXPECT_EQ(box.RecomputeResult(), 1);
    EXPECT_EQ(title.toStdString(), "現金出納帳データの取り込みを行いました。");
}
