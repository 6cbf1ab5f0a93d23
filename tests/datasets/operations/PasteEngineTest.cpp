#include "datasets/operations/PasteEngine.h"

#include <gtest/gtest.h>

#include "OperationsFixture.h"
#include "datasets/operations/CopyChildRows.h"
#include "datasets/operations/StagedFolder.h"

namespace fs = std::filesystem;
using namespace vq;
using vq::test::readBytes;
using vq::test::snapshotOf;
using vq::test::writeBytes;

namespace {

class PasteEngineTest : public vq::test::OperationsFixture {
protected:
    void SetUp() override
    {
        OperationsFixture::SetUp();
        source_ = makeDataSet(root_.path() / "data" / "0002", "貼付商事");
        writeBytes(source_ / "memo.txt", "source memo");
    }

    bool mark(const fs::path& folder, int gassan = 0, int rec = 2)
    {
        TDataListRec row;
        row.REC = rec;
        row.ENTTEXT = "貼付商事";
        row.PASNAME = folder.string();
        row.GASSAN = static_cast<std::uint8_t>(gassan);
        return MarkCopySource(folder.string(), row, 0, copy_);
    }

    PasteOutcome paste(const fs::path& target, int gassan = 0, int rec = 3)
    {
        PasteRequest request;
        request.Folder = target.string();
        request.Row.REC = rec;
        request.Row.PASNAME = target.string();
        request.Row.GASSAN = static_cast<std::uint8_t>(gassan);
        request.Row.NETDRIVE = netDrive_;
        request.Row.PASNAME = netDrive_ ? sharePath_.string() : target.string();
        return PasteDataSet(request, copy_, {});
    }

    std::string lastMessage() { return seam_->messages.empty() ? "" : seam_->messages.back().text; }

    fs::path source_;
    TCopySource copy_;
    int netDrive_ = 0;
    fs::path sharePath_;
};

TEST_F(PasteEngineTest, APasteOntoABlankRowCopiesTheWholeDataSet)
{
    ASSERT_TRUE(mark(source_));
    EXPECT_EQ(infoOf(source_).STATUS, DataStatusCopySource);
    EXPECT_EQ(copy_.CopyName, "貼付商事～コピー");

    const fs::path target = root_.path() / "data" / "0003";
    const PasteOutcome outcome = paste(target);
    ASSERT_EQ(outcome.Result, 1) << lastMessage();
    EXPECT_TRUE(outcome.DescriptionRead);
    EXPECT_EQ(outcome.Pasted.DATALISTNAME, "貼付商事～コピー");
    EXPECT_EQ(readBytes(target / "memo.txt"), "source memo");
    EXPECT_EQ(infoOf(target).STATUS, DataStatusFree);
    EXPECT_EQ(infoOf(target).DATALISTNAME, "貼付商事～コピー");
    EXPECT_EQ(infoOf(source_).STATUS, DataStatusFree);
    EXPECT_FALSE(copy_.pending());
    EXPECT_EQ(SortedFolderEntries(root_.path() / "data").size(), 3u); // 0001, 0002, 0003 and nothing else
}

TEST_F(PasteEngineTest, ACopyNameIsCutAtFortyBytesWithoutHalfACharacter)
{
    const std::string name = MakeCopyName("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABC");
    EXPECT_EQ(name, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABC"); // the 40th byte would be half of "～"
    EXPECT_EQ(MakeCopyName("あいうえおかきくけこさしすせそたちつてと"), "あいうえおかきくけこさしすせそたちつてと");
}

TEST_F(PasteEngineTest, APasteFailingMidwayLeavesTargetAndChildrenAsTheyWere)
{
    const fs::path consolidatedSource = makeDataSet(root_.path() / "data" / "0004", "合算商事", "2024-01-01", "2024-12-31", 1);
    fs::create_directories(consolidatedSource / "001");
    writeBytes(consolidatedSource / "001" / "vqacc.fdb", std::string(1000, 's'));
    const fs::path target = makeDataSet(root_.path() / "data" / "0005", "合算商事", "2024-01-01", "2024-12-31", 1);
    fs::create_directories(target / "001");
    fs::create_directories(target / "002");
    writeBytes(target / "001" / "vqacc.fdb", std::string(800, 't'));
    writeBytes(target / "002" / "vqacc.fdb", std::string(900, 'u'));
    writeBytes(target / "print.ini", "the target's own settings");
    const auto before = snapshotOf(target);

    for (int n = 0; n < 4; ++n) {
        ASSERT_TRUE(mark(consolidatedSource, 1, 4));
        vq::test::ScopedFailingFileSystem failing(n);
        EXPECT_EQ(paste(target, 1, 5).Result, -1) << n;
        EXPECT_EQ(snapshotOf(target), before) << n;
        EXPECT_EQ(infoOf(target).STATUS, DataStatusFree) << n;
        EXPECT_EQ(infoOf(consolidatedSource).STATUS, DataStatusFree) << n;
        EXPECT_NE(lastMessage().find("disk full"), std::string::npos) << lastMessage();
        EXPECT_EQ(SortedFolderEntries(root_.path() / "data").size(), 4u) << n; // no stage left behind
    }

    ASSERT_TRUE(mark(consolidatedSource, 1, 4));
    const PasteOutcome outcome = paste(target, 1, 5);
    ASSERT_EQ(outcome.Result, 1) << lastMessage();
    EXPECT_TRUE(outcome.ChildrenDropped);
    EXPECT_EQ(readBytes(target / "001" / "vqacc.fdb"), std::string(1000, 's'));
    EXPECT_FALSE(fs::exists(target / "002"));
    EXPECT_EQ(readBytes(target / "print.ini"), "the target's own settings");
}

TEST_F(PasteEngineTest, RefusalsComeBeforeAnyWrite)
{
    // Inside the source.
    const fs::path inside = source_ / "sub";
    ASSERT_TRUE(mark(source_));
    EXPECT_EQ(paste(inside).Result, 0);
    EXPECT_EQ(lastMessage(), "貼付先にコピー元のパスが含まれています。処理を中断します。");
    EXPECT_FALSE(fs::exists(inside));

    // The same row: nothing happens and the source is free again.
    ASSERT_TRUE(mark(source_));
    EXPECT_EQ(paste(source_ / ".").Result, 0);
    EXPECT_EQ(infoOf(source_).STATUS, DataStatusFree);

    // A share taken by another operator's computer.
    const fs::path target = makeDataSet(root_.path() / "data" / "0006", "貼付商事");
    sharePath_ = makeDataSet(root_.path() / "share" / "sv0006", "貼付商事");
    TDataInfomation share;
    share.WriteIniValue(sharePath_.string(), "DATASTS", "SHARE_STATUS", "2", false);
    share.WriteIniValue(sharePath_.string(), "DATASTS", "SHARE_OPCODE", "100009", false);
    netDrive_ = 1;
    const auto before = snapshotOf(target);
    const auto shareBefore = snapshotOf(sharePath_);
    ASSERT_TRUE(mark(source_));
    EXPECT_EQ(paste(target).Result, 0);
    EXPECT_EQ(lastMessage(), "このデータは他のオペレータが使用中のため貼り付けは行えません。");
    EXPECT_EQ(snapshotOf(target), before);
    EXPECT_EQ(snapshotOf(sharePath_), shareBefore);
    EXPECT_EQ(infoOf(source_).STATUS, DataStatusFree);

    // A distributed-input child onto its own consolidated data set.
    netDrive_ = 0;
    ASSERT_TRUE(mark(source_, GassanDistributedChild, 7));
    EXPECT_EQ(paste(target, 1, 7).Result, 0);
    EXPECT_EQ(lastMessage(), "同ブロックの分散入力データからの貼り付けは行えません。");
    EXPECT_EQ(snapshotOf(target), before);
}

TEST_F(PasteEngineTest, ADistributedChildGetsOnlyTheDatabase)
{
    const fs::path child = makeDataSet(root_.path() / "data" / "0008" / "001", "貼付商事");
    writeBytes(child / "memo.txt", "the child's memo");
    ASSERT_TRUE(mark(source_));
    ASSERT_EQ(paste(child, GassanDistributedChild, 8).Result, 1) << lastMessage();
    EXPECT_EQ(readBytes(child / "memo.txt"), "the child's memo");
    EXPECT_EQ(infoOf(child).GASSANKBN, GassanDistributedChild);
}

TEST_F(PasteEngineTest, APasteAfterASortTakesTheChildrenOfTheRightSource)
{
    auto parent = [](int rec, const std::string& folder, int gassan, std::vector<std::string> children) {
        TDataSentakuRec p;
        p.REC = rec;
        p.PASNAME = folder;
        p.ENTTEXT = folder;
        p.GASSAN = static_cast<std::uint8_t>(gassan);
        int n = 0;
        for (const std::string& c : children) {
            TDataListRec row;
            row.REC = rec;
            row.ROWNO = ++n;
            row.PASNAME = folder + "/" + c;
            row.ENTTEXT = c;
            row.GASSAN = GassanDistributedChild;
            row.GROUPID = 10000;
            p.Children.push_back(row);
        }
        p.ChildCount = n;
        return p;
    };
    const std::string base = root_.path().string();
    TDataSentakuRecArray rows = {parent(11, base + "/a", 1, {"001", "002"}), parent(12, base + "/b", 1, {"005"}),
                                 parent(13, base + "/c", 1, {})};
    TCopySource source;
    source.Folder = base + "/b";
    source.Row = rows[1];
    source.ParentIndex = 1;
    // The list is sorted the other way round before the paste.
    std::swap(rows[0], rows[2]);
    ASSERT_EQ(rows[0].REC, 13);
    exec("INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME) VALUES (13, 10000, 'c', '" + base + "/c')");
    TDataSentakuListCtl store;
    ASSERT_TRUE(CopyChildRows(rows, 0, source, store)) << lastMessage();
    ASSERT_EQ(rows[0].Children.size(), 1u);
    EXPECT_EQ(rows[0].Children[0].PASNAME, base + "/c/005");
    EXPECT_EQ(rows[0].Children[0].REC, 13);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM CHILD_DATALIST WHERE REC=13"), 1);
}

} // namespace
