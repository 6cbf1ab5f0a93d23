// The wizard's data choice on a copy of the sample office, with the
// selection screen played by the test: a cancelled first choice, a data set
// taken and given back, the checks that refuse a data set (version, data
// password, the operator's rights) with their question, and a data set kept on
// a network drive taken before the checks and kept back at the close, in its
// order among the cloud send, the close and the logoff; a damaged part stops
// that keep and leaves the share as it was. A data set its preparation refuses
// (shared data not taken, no cloud share) is not used.
#include <gtest/gtest.h>

#include "SampleOfficeFixture.h"
#include "datasets/CloudShareComm.h"
#include "datasets/DataListControllerPort.h"
#include "foundation/app/AccInf.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/data/DataListRefresher.h"
#include "foundation/dataset/DataSetDescription.h"
#include "foundation/text/EasyEncoder.h"
#include "linkage/LinkageHooks.h"
#include "linkage/SyotokuzeiDataExport.h"
#include "linkage/forms/DataChoice.h"
#include "linkage/forms/TForm1.h"
#include "linkage/forms/WizardPages.h"
#include "ui/forms/TxEdit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>

#include <QTableWidget>

#include <map>
#include <utility>
#include <vector>

#include "platform/Folders.h"
#include "platform/IniFile.h"

using namespace vq;
using vq::linkage::TForm1;
namespace fs = std::filesystem;

namespace {

class DataChoiceTest : public test::SampleOfficeFixture {
protected:
    void SetUp() override
    {
        SampleOfficeFixture::SetUp();
        savedStart_ = StartProcessProc;
        savedInf_ = AccInf;
        // As the wizard's start-up does: an opened data set is marked in use
        // in its info file and marked free at its close.
        savedReader_ = InstallDataSetDescription();
        savedController_ = setDataListControllerFactory({});
        InstallDataListController();
        form_.ExportObj = std::make_unique<linkage::TSyotokuzeiDataExport>(0, "");
    }
    void TearDown() override
    {
        if (dm_.IBDatabaseDAT.connected())
            dm_.CloseAccDat("", 1, 0);
        StartProcessProc = savedStart_;
        AccInf = savedInf_;
        setDataSetDescriptionReader(savedReader_);
        setDataListControllerFactory(savedController_);
        SampleOfficeFixture::TearDown();
    }

    // The selection screen answers with each slot in turn; "" cancels.
    void selectionChooses(std::vector<std::string> answers)
    {
        slots_ = std::move(answers);
        StartProcessProc = [this](const std::string& name, std::int32_t mode, const std::string& params) {
            EXPECT_EQ(name, "QzDataSenkaku");
            EXPECT_EQ(mode, 1);
            EXPECT_EQ(params, "SyoriType=3\r\nJyokenSet=1\r\nDataType=2\r\nCodeType=0\r\nDataVerMajor=14");
            ++launches_;
            if (slots_.empty() || slots_.front().empty()) {
                if (!slots_.empty())
                    slots_.erase(slots_.begin());
                return 2;
            }
            SystemDef.DataDir = dataFolder(slots_.front().c_str());
            slots_.erase(slots_.begin());
            return 1;
        };
    }

    // Statements on the data set of a slot, each committed.
    void execOnDataSet(const char* slot, const std::vector<std::string>& statements)
    {
        ASSERT_TRUE(dm_.fnAccDatConnected("", dataFolder(slot), 0));
        for (const std::string& sql : statements) {
            db::TransactionScope scope(dm_.IBTransactionDAT);
            db::Statement q(dm_.IBDatabaseDAT.attachment(), dm_.IBTransactionDAT, sql);
            q.execute();
            scope.commit();
        }
        dm_.IBDatabaseDAT.disconnect();
    }

    void setDataVersion(const char* slot, int major)
    {
        execOnDataSet(slot, {"UPDATE ACCVERSION SET MAJOR=" + std::to_string(major) + " WHERE REC=1"});
    }

    void setDataPassword(const char* slot, const std::string& plain)
    {
        TEasyEncodeInfo code;
        code.Key = EasyEncodeKey;
        code.TotalLength = 8;
        code.TextLength = 8;
        code.PlainText = plain;
        EasyEncode(code);
        ASSERT_TRUE(dm_.fnAccDatConnected("", dataFolder(slot), 0));
        PutAccReg("基本設定", "データパスワードV2", "文字", SettingValue(code.EncodedText));
        dm_.IBDatabaseDAT.disconnect();
    }

    // The status of a data set's info file ([DATASTS] STATUS, or SHARE_STATUS).
    static int infoStatus(const fs::path& folder, const char* key = "STATUS")
    {
        return platform::IniFile(folder / "vqacc.ini").readInteger("DATASTS", key, -1);
    }

    // Logged on as the office's second operator, whose facilities are limited.
    void logOnAsLimitedOperator()
    {
        SystemDef.OperatorNo = 11;
        SystemDef.OPCODE = 100000011;
        SystemDef.OPNAME = "田中 花子";
        SystemDef.JOBLEVEL = 5;
        SystemDef.JIMUSHO = 0;
        SystemDef.SisetuFreeSwitch = 0;
    }

    std::vector<std::string> shown()
    {
        std::vector<std::string> texts;
        for (const auto& m : seam_->messages)
            texts.push_back(m.text);
        return texts;
    }

    QString info(int row, int col) const
    {
        const QTableWidgetItem* item = form_.listDataInfo->item(row, col);
        return item ? item->text() : QString();
    }

    TForm1 form_;
    std::vector<std::string> slots_;
    int launches_ = 0;

private:
    StartProcessFunc savedStart_;
    TACCINF savedInf_;
    DataSetDescriptionReader savedReader_;
    DataListControllerFactory savedController_;
};

const char* const kTooOld =
    "このプログラムで処理できるデータバージョンに達していません。\rデータバージョン:14.0.0以降のデータを選択して下さい。\r"
    "データ選択画面を開き、別のデータを選択しますか？";

TEST_F(DataChoiceTest, CancelOnTheFirstChoiceLeavesThePageEmpty)
{
    selectionChooses({""});
    linkage::btnDataSentakuClick(form_);
    EXPECT_EQ(launches_, 1);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(form_.listDataInfo->rowCount(), 1);
    EXPECT_FALSE(form_.DataConnected);
    EXPECT_FALSE(form_.DataInUse);
    EXPECT_EQ(SystemDef.DataDir, "");
}

TEST_F(DataChoiceTest, AChosenDataSetIsShownKeptConnectedAndGivenBackAtTheClose)
{
    selectionChooses({"0001"});
    linkage::btnDataSentakuClick(form_);
    EXPECT_TRUE(shown().empty()) << shown().front();
    ASSERT_EQ(form_.listDataInfo->rowCount(), 4);
    EXPECT_TRUE(info(0, 1).startsWith(QStringLiteral("個人"))) << info(0, 1).toStdString();
    EXPECT_EQ(info(1, 0), QStringLiteral("データ名"));
    EXPECT_EQ(info(1, 1).toStdString(), AccInf.SHOUGOU);
    EXPECT_EQ(info(2, 1).toStdString(), std::to_string(AccInf.NENDO) + "期");
    EXPECT_EQ(info(3, 0), QStringLiteral("会計期間"));
    EXPECT_TRUE(form_.DataConnected);
    EXPECT_TRUE(form_.DataInUse);
    EXPECT_EQ(form_.PrevDataFolder, dataFolder("0001"));
    EXPECT_EQ(SystemDef.OpenDataVersion.substr(0, 3), "14.");
    EXPECT_TRUE(dm_.IBDatabaseDAT.connected());

    linkage::CloseDataSet(form_);
    EXPECT_FALSE(form_.DataConnected);
    EXPECT_FALSE(dm_.IBDatabaseDAT.connected());
    EXPECT_TRUE(shown().empty());
}

TEST_F(DataChoiceTest, ADataSetTooOldIsRefusedWithTheVersionQuestion)
{
    setDataVersion("0001", 13);
    // Cancel: nothing chosen, nothing left connected.
    selectionChooses({"0001"});
    seam_->messageAnswers = {platform::ResultCancel};
    linkage::btnDataSentakuClick(form_);
    EXPECT_EQ(shown(), std::vector<std::string>{kTooOld});
    EXPECT_EQ(form_.listDataInfo->rowCount(), 1);
    EXPECT_FALSE(form_.DataConnected);
    EXPECT_FALSE(dm_.IBDatabaseDAT.connected());

    // OK: the selection opens again and the next data set is taken.
    seam_->messages.clear();
    launches_ = 0;
    selectionChooses({"0001", "0002"});
    seam_->messageAnswers = {platform::ResultOk};
    linkage::btnDataSentakuClick(form_);
    EXPECT_EQ(shown(), std::vector<std::string>{kTooOld});
    EXPECT_EQ(launches_, 2);
    EXPECT_EQ(form_.listDataInfo->rowCount(), 4);
    EXPECT_EQ(SystemDef.DataDir, dataFolder("0002"));
    EXPECT_TRUE(form_.DataConnected);
}

// With a data set in use, a cancelled selection gives it back and takes it up
// again; one refused with Cancel is not the one a later cancel returns to.
TEST_F(DataChoiceTest, ACancelledSelectionReturnsToTheDataSetLastAccepted)
{
    setDataVersion("0002", 13);
    selectionChooses({"0001", ""});
    linkage::btnDataSentakuClick(form_);
    ASSERT_TRUE(form_.DataConnected);
    linkage::btnDataSentakuClick(form_);
    EXPECT_EQ(launches_, 2);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(SystemDef.DataDir, dataFolder("0001"));
    EXPECT_TRUE(form_.DataConnected);
    EXPECT_EQ(form_.listDataInfo->rowCount(), 4);

    selectionChooses({"0002", ""});
    seam_->messageAnswers = {platform::ResultCancel};
    linkage::btnDataSentakuClick(form_);
    EXPECT_EQ(shown(), std::vector<std::string>{kTooOld});
    EXPECT_FALSE(form_.DataConnected);
    EXPECT_EQ(infoStatus(dataFolder("0001")), 1);
    EXPECT_EQ(infoStatus(dataFolder("0002")), 1);

    seam_->messages.clear();
    linkage::btnDataSentakuClick(form_);
    EXPECT_TRUE(shown().empty()) << shown().front();
    EXPECT_EQ(SystemDef.DataDir, dataFolder("0001"));
    EXPECT_TRUE(form_.DataConnected);
    EXPECT_EQ(infoStatus(dataFolder("0001")), 2);
    EXPECT_EQ(form_.listDataInfo->rowCount(), 4);
}

// The data page's Next: nothing chosen, a corporation, and a real-estate
// individual with its options page and summary line.
TEST_F(DataChoiceTest, NextOnTheDataPageChecksTheChoiceAndLaysOutTheOptions)
{
    EXPECT_FALSE(linkage::WizardPageCheck(form_, QStringLiteral("page2")));
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "会計データの選択が行われていません。\r「データ選択を開く」ボタンを押して選択して下さい。"});

    seam_->messages.clear();
    selectionChooses({"0004"});
    linkage::btnDataSentakuClick(form_);
    ASSERT_EQ(form_.listDataInfo->rowCount(), 4);
    EXPECT_FALSE(linkage::WizardPageCheck(form_, QStringLiteral("page2")));
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "指定された会計データは個人データではありません。\rもう一度、選びなおしてください。\r"});

    seam_->messages.clear();
    selectionChooses({"0002"});
    linkage::btnDataSentakuClick(form_);
    EXPECT_TRUE(linkage::WizardPageCheck(form_, QStringLiteral("page2")));
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(form_.ExportObj->SyotokuSyurui, 3);
    EXPECT_TRUE(form_.GroupBox3a->isHidden());
    EXPECT_TRUE(form_.GroupBox3c->isHidden());
    EXPECT_FALSE(form_.GroupBox3b->isEnabled());
    EXPECT_EQ(form_.checkSinkokuUtiwake->text(), QStringLiteral("「給料賃金の内訳」を始めとした情報を含める"));
    form_.Edit4a->setText(QStringLiteral("out.xml"));
    EXPECT_TRUE(linkage::WizardPageCheck(form_, QStringLiteral("page4")));
    const QStringList summary = form_.Memo5b->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(summary.size(), 14);
    EXPECT_EQ(summary[6], QStringLiteral(" 所得種類      : 不動産所得用"));
    // A bare file name goes to the documents folder.
    EXPECT_EQ(summary[13].toStdString(), " " + (std::filesystem::path(form_.MyDocumentsFolder) / "out.xml").string());

    form_.Edit4a->setText(QString());
    EXPECT_FALSE(linkage::WizardPageCheck(form_, QStringLiteral("page4")));
}

// ---- The checks on the connected data set ----------------------------------------------

const char* const kWrongPassword =
    "このデータに設定されている「パスワード」と一致しませんでした。\rデータ選択画面を開き、別のデータを選択しますか？";
const char* const kNoRights = "このデータを扱う権限がありません。\rデータ選択画面を開き、別のデータを選択しますか？";
const char* const kNotEveryBranch =
    "このデータを扱う権限が不足しています。（支店毎の処理権限をすべて有していない）\r"
    "データ選択画面を開き、別のデータを選択しますか？";

// One data set, the operator and what was changed in it before the choice;
// the question answered with Cancel. Without expected messages the data set
// passes every check.
struct CheckCase {
    const char* name;
    const char* slot;              // 0004 is the medical corporation with two facilities
    bool limitedOperator;          // operator 11, restricted to the facilities granted
    std::vector<std::string> dataSql;
    const char* password;          // the data password set ("" none)
    std::vector<std::string> typed; // the answers to the password prompts
    std::vector<std::string> shown; // the messages, each by its beginning
};

void PrintTo(const CheckCase& c, std::ostream* os)
{
    *os << c.name;
}

class DataChoiceCheckTest : public DataChoiceTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(DataChoiceCheckTest, ARefusedDataSetIsGivenBackAndNothingStaysTaken)
{
    const CheckCase& c = GetParam();
    if (!c.dataSql.empty())
        execOnDataSet(c.slot, c.dataSql);
    if (*c.password)
        setDataPassword(c.slot, c.password);
    if (c.limitedOperator)
        logOnAsLimitedOperator();
    selectionChooses({c.slot});
    seam_->inputAnswers.assign(c.typed.begin(), c.typed.end());
    // Every box but the question is a notice; the question is answered Cancel.
    seam_->messageAnswers.assign(c.shown.size(), platform::ResultOk);
    if (!c.shown.empty())
        seam_->messageAnswers.back() = platform::ResultCancel;
    linkage::btnDataSentakuClick(form_);

    EXPECT_EQ(launches_, 1);
    EXPECT_TRUE(seam_->inputAnswers.empty());
    EXPECT_EQ(seam_->inputs.size(), c.typed.size());
    const std::vector<std::string> messages = shown();
    ASSERT_EQ(messages.size(), c.shown.size()) << (messages.empty() ? "" : messages.back());
    for (std::size_t i = 0; i < messages.size(); ++i)
        EXPECT_TRUE(messages[i].starts_with(c.shown[i])) << messages[i];
    const bool usable = c.shown.empty();
    EXPECT_EQ(form_.DataConnected, usable);
    EXPECT_EQ(dm_.IBDatabaseDAT.connected(), usable);
    EXPECT_EQ(form_.listDataInfo->rowCount(), usable ? 4 : 1);
    // In use while connected; a refused data set is marked free again.
    EXPECT_EQ(infoStatus(dataFolder(c.slot)), usable ? 2 : 1);
}

const CheckCase kCheckCases[] = {
    {"WrongPasswordThreeTimes", "0001", false, {}, "abc12", {"x", "y", "z"}, {kWrongPassword}},
    {"PasswordRightAtTheSecondAttempt", "0001", false, {}, "abc12", {"x", "abc12"}, {}},
    {"EveryFacilityGranted", "0004", true, {}, "", {}, {}},
    {"NoFacilityToWorkIn", "0004", true, {"DELETE FROM OPDEFSISETU WHERE OPCODE=100000011"}, "", {}, {kNoRights}},
    {"OneFacilityNotGranted", "0004", true, {"DELETE FROM OPLICENSE WHERE OPCODE=100000011 AND SCODE='K1'"}, "", {},
     {kNotEveryBranch}},
    // The facility list cannot be read: reported, and the data set is refused
    // as not permitted rather than used.
    {"FacilityListUnreadable", "0004", true, {"ALTER TABLE SISETUMST DROP XSTR"}, "", {},
     {"支店リストの取得に失敗しました。", kNotEveryBranch}},
    // Operator 10 may use every facility.
    {"UnlimitedOperator", "0004", false, {"DELETE FROM OPLICENSE WHERE OPCODE=100000010 AND SCODE='K1'"}, "", {}, {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, DataChoiceCheckTest, ::testing::ValuesIn(kCheckCases),
                         [](const ::testing::TestParamInfo<CheckCase>& info) { return info.param.name; });

// ---- Shared data around the choice -------------------------------------------------------

// A cloud interface that answers "done" and tells the test when it is called.
class RecordingCloud : public TCloudShareComm {
public:
    explicit RecordingCloud(std::function<void(const std::string&)> record) : record_(std::move(record)) {}
    std::int32_t CloudShareReceive(const std::string& folder, std::int32_t automatic, std::int32_t mode) override
    {
        record_("cloud receive " + folder + " " + std::to_string(automatic) + " " + std::to_string(mode));
        return 0;
    }
    std::int32_t CloudShareSend(const std::string& folder, const std::string& secondPath,
                                std::int32_t automatic) override
    {
        record_("cloud send " + folder + " '" + secondPath + "' " + std::to_string(automatic));
        return 0;
    }

private:
    std::function<void(const std::string&)> record_;
};

// The sample office's third data set kept on a shared area of drive X:, with
// a cloud-share slot, and an out-of-date working copy on this computer left
// by an earlier take (its name changed, so the fetch shows). The operator
// takes and keeps shared data automatically and is on the logon list; the
// logon row's deletion notes the shared lock it finds.
class DataChoiceSharedTest : public DataChoiceTest {
protected:
    void SetUp() override
    {
        DataChoiceTest::SetUp();
        if (HasFatalFailure())
            return;
        previousCloud_ = SetCloudShareCommFactory([this] {
            return std::make_unique<RecordingCloud>([this](const std::string& call) { step(call); });
        });
        DataBrokenCheckProc = [this](const std::string& host, const std::string& folder, bool silent) {
            step("check " + folder + (silent ? " silent" : ""));
            return linkage::CheckDataBroken(host, folder, silent,
                                            [this](std::int32_t protocol, const std::string& h, const std::string& file) {
                                                return fs::path(file).lexically_normal() != damaged_ &&
                                                       linkage::ValidateDataSetDatabase(protocol, h, file);
                                            });
        };
        SystemDef.KyoyuDataAuto = 1;
        exec("INSERT INTO LOGONUSERLIST (OPCODE, OPERATORCODE, GROUPID, PCNAME) VALUES (100000010, 10, 10000, 'TESTPC')");
        exec("CREATE TABLE LOGOFF_SEEN (KYOYULOCK INTEGER)");
        exec("CREATE TRIGGER LOGOFF_SEEN_LOCK FOR LOGONUSERLIST AFTER DELETE AS BEGIN "
             "INSERT INTO LOGOFF_SEEN (KYOYULOCK) SELECT KYOYULOCK FROM DATALIST WHERE REC=3; END");
        form_.SystemDbInUse = true;
    }
    void TearDown() override
    {
        SetCloudShareCommFactory(previousCloud_);
        DataChoiceTest::TearDown();
    }

    // Puts the data set on the share; consolidated, with one distributed-input
    // child (a copy of the first data set) in "001".
    void keepOnShare(bool consolidated)
    {
        execOnDataSet("0003", {"UPDATE ACCDEF1 SET CLOUD_LINE=1 WHERE REC=1"});
        if (consolidated) {
            ASSERT_TRUE(dm_.fnAccDatConnected("", dataFolder("0003"), 0));
            PutAccReg("基本設定", "合算データ区分", "整数", SettingValue(std::int32_t{1}));
            dm_.IBDatabaseDAT.disconnect();
            platform::IniFile(fs::path(dataFolder("0003")) / "vqacc.ini").writeString("DATAINFO", "GASSANKBN", "1");
        }
        const fs::path drive = root_ / "drive-x";
        share_ = drive / "zeverivurev" / "sv0003";
        fs::create_directories(share_.parent_path());
        platform::folders::mapDrive('X', drive);
        fs::copy(dataFolder("0003"), share_, fs::copy_options::recursive);
        if (consolidated)
            fs::copy(dataFolder("0001"), share_ / "001", fs::copy_options::recursive);
        execOnDataSet("0003", {"UPDATE ACCDEF1 SET SHOUGOU='古い作業コピー' WHERE REC=1"});
        exec("UPDATE DATALIST SET NETDRIVE=1, KYOYULOCK=0, PASNAME='X:/zeverivurev/sv0003' WHERE REC=3");
    }

    // A step and the state it finds: the data set attached, the working
    // copy's status, the share's share status, the lock in the data list,
    // the operator's logon rows.
    void step(const std::string& what)
    {
        std::string name = what;
        const std::string sys = SystemDef.SysDir + "/";
        for (std::size_t at; (at = name.find(sys)) != std::string::npos;)
            name.erase(at, sys.size());
        steps_.push_back(name + ": attached=" + std::to_string(dm_.IBDatabaseDAT.connected()) +
                         " local=" + std::to_string(infoStatus(dataFolder("0003"))) +
                         " share=" + std::to_string(infoStatus(share_, "SHARE_STATUS")) +
                         " lock=" + std::to_string(scalar("SELECT KYOYULOCK FROM DATALIST WHERE REC=3")) +
                         " logon=" + std::to_string(scalar("SELECT COUNT(*) FROM LOGONUSERLIST")));
    }

    // Every file of the share with its bytes.
    std::map<std::string, std::string> shareFiles() const
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(share_))
            if (entry.is_regular_file())
                files[fs::relative(entry.path(), share_).string()] = test::readBytes(entry.path());
        return files;
    }

    // The locks of the data list's row and child rows, and what the logoff saw.
    std::vector<std::string> locks()
    {
        auto rows = texts("SELECT 'P' || KYOYULOCK FROM DATALIST WHERE REC=3");
        for (const auto& r : texts("SELECT ROWNO || ':' || KYOYULOCK FROM CHILD_DATALIST WHERE REC=3 ORDER BY ROWNO"))
            rows.push_back(r);
        return rows;
    }

    void closeWizard()
    {
        form_.CloseDatabases();
        EXPECT_FALSE(form_.SystemDbInUse);
        EXPECT_FALSE(dm_.IBDatabaseDEF.connected());
        ASSERT_TRUE(dm_.fnAccDefConnected("", 1));
    }

    fs::path share_;
    fs::path damaged_; // the database file the validation finds damaged
    std::vector<std::string> steps_;

private:
    CloudShareCommFactory previousCloud_;
};

TEST_F(DataChoiceSharedTest, TakenBeforeTheChecksAndKeptBackAfterTheCloseBeforeTheLogoff)
{
    keepOnShare(false);
    const std::string name = platform::IniFile(share_ / "vqacc.ini").readString("DATAINFO", "SHOUGOU", "");
    selectionChooses({"0003"});
    linkage::btnDataSentakuClick(form_);
    EXPECT_TRUE(shown().empty()) << shown().front();
    ASSERT_TRUE(form_.DataConnected);
    // The share's copy is the one checked and shown; the share stays taken.
    EXPECT_EQ(info(1, 1).toStdString(), name);
    EXPECT_EQ(AccInf.SHOUGOU, name);
    EXPECT_EQ(locks(), std::vector<std::string>{"P1"});
    EXPECT_EQ(infoStatus(share_, "SHARE_STATUS"), 2);
    EXPECT_EQ(steps_, std::vector<std::string>{"cloud receive 0003 1 0: attached=0 local=1 share=2 lock=1 logon=1"});

    steps_.clear();
    closeWizard();
    // Cloud send while attached and in use; the keep's check once the data set
    // is closed and free; the keep before the logon row goes.
    EXPECT_EQ(steps_, (std::vector<std::string>{
                          "cloud send 0003 '' 1: attached=1 local=2 share=2 lock=1 logon=1",
                          "check 0003: attached=0 local=1 share=2 lock=1 logon=1",
                      }));
    EXPECT_EQ(texts("SELECT KYOYULOCK FROM LOGOFF_SEEN"), std::vector<std::string>{"0"});
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM LOGONUSERLIST"), 0);
    EXPECT_EQ(locks(), std::vector<std::string>{"P0"});
    EXPECT_EQ(infoStatus(share_, "SHARE_STATUS"), 1);
    EXPECT_EQ(infoStatus(share_), 1);
    EXPECT_EQ(test::readBytes(share_ / "vqacc.fdb"), test::readBytes(fs::path(dataFolder("0003")) / "vqacc.fdb"));
    EXPECT_TRUE(shown().empty()) << shown().front();
}

// A damaged part of consolidated data found before the automatic keep: the
// keep stops with its message and the share stays as it was, taken by this
// computer; the close goes on to the logoff.
class DataChoiceDamagedPartTest : public DataChoiceSharedTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DataChoiceDamagedPartTest, StopsTheKeepAndLeavesTheShareAsItWas)
{
    keepOnShare(true);
    selectionChooses({"0003"});
    linkage::btnDataSentakuClick(form_);
    EXPECT_TRUE(shown().empty()) << shown().front();
    ASSERT_TRUE(form_.DataConnected);
    ASSERT_TRUE(fs::exists(fs::path(dataFolder("0003")) / "001" / "vqacc.fdb"));
    EXPECT_EQ(locks(), (std::vector<std::string>{"P1", "1:1"}));
    const auto before = shareFiles();
    ASSERT_EQ(before.count("001/vqacc.ini"), 1u);

    damaged_ = (fs::path(dataFolder("0003")) / GetParam() / "vqacc.fdb").lexically_normal();
    steps_.clear();
    closeWizard();
    EXPECT_EQ(shown(), (std::vector<std::string>{
                           linkage::kDataBrokenMessage,
                           "合算・分散データに破損したデータが存在するため、共有データの自動保管を中止します。\r"
                           "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。",
                       }));
    // Both parts are checked, so each damaged one is told.
    ASSERT_EQ(steps_.size(), 3u);
    EXPECT_TRUE(steps_[1].starts_with("check 0003: attached=0 local=1 share=2 lock=1 logon=1")) << steps_[1];
    EXPECT_TRUE(steps_[2].starts_with("check 0003/001: ")) << steps_[2];
    EXPECT_TRUE(shareFiles() == before);
    EXPECT_EQ(locks(), (std::vector<std::string>{"P1", "1:1"}));
    EXPECT_EQ(texts("SELECT KYOYULOCK FROM LOGOFF_SEEN"), std::vector<std::string>{"1"});
    // The damaged part is marked for the next start.
    EXPECT_EQ(infoStatus(damaged_.parent_path()), 10);
}

INSTANTIATE_TEST_SUITE_P(Parts, DataChoiceDamagedPartTest, ::testing::Values("", "001"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(*info.param ? "Child" : "Parent");
                         });

// A data set its preparation refuses: the notice, the selection again
// (cancelled here), and the data set neither used nor left marked in use.
struct PreparationCase {
    const char* name;
    const char* slot;
    bool onShare;        // kept on the share, the automatic switch off
    const char* notice;
};

void PrintTo(const PreparationCase& c, std::ostream* os)
{
    *os << c.name;
}

class DataChoicePreparationTest : public DataChoiceSharedTest,
                                  public ::testing::WithParamInterface<PreparationCase> {};

TEST_P(DataChoicePreparationTest, RefusedDataIsNotUsedAndTheSelectionOpensAgain)
{
    const PreparationCase& c = GetParam();
    if (c.onShare) {
        keepOnShare(false);
        SystemDef.KyoyuDataAuto = 0;
    } else {
        // A cloud-shared data set while the communication offers no cloud share.
        execOnDataSet(c.slot, {"UPDATE ACCDEF1 SET CLOUD_LINE=1 WHERE REC=1"});
        SetCloudShareCommFactory({});
    }
    selectionChooses({c.slot, ""});
    linkage::btnDataSentakuClick(form_);
    EXPECT_EQ(launches_, 2);
    EXPECT_EQ(shown(), std::vector<std::string>{c.notice});
    EXPECT_FALSE(form_.DataConnected);
    EXPECT_FALSE(form_.DataInUse);
    EXPECT_FALSE(dm_.IBDatabaseDAT.connected());
    EXPECT_EQ(form_.listDataInfo->rowCount(), 1);
    EXPECT_EQ(SystemDef.DataDir, "");
    EXPECT_EQ(infoStatus(dataFolder(c.slot)), 1);
    if (c.onShare) {
        EXPECT_EQ(locks(), std::vector<std::string>{"P0"});
        EXPECT_EQ(infoStatus(share_, "SHARE_STATUS"), 1);
    }
}

const PreparationCase kPreparationCases[] = {
    {"SharedDataNotTakenWithTheSwitchOff", "0003", true,
     "このデータは共有取得が行われていません。データ選択画面を開きます。"},
    {"CloudShareNotAvailable", "0001", false, CloudShareNotAvailable},
};

INSTANTIATE_TEST_SUITE_P(Cases, DataChoicePreparationTest, ::testing::ValuesIn(kPreparationCases),
                         [](const ::testing::TestParamInfo<PreparationCase>& info) { return info.param.name; });

} // namespace
