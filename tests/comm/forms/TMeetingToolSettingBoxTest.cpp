// The web-meeting settings screen on a real data set: the input checks, the
// save in one transaction, the questions around a relay send and the
// opening of the meeting's page through the seam.
#include "comm/forms/TMeetingToolSettingBox.h"

#include "../../foundation/data/DataModuleFixture.h"
#include "foundation/app/AccInf.h"
#include "foundation/data/AccRegSettings.h"
#include "platform/db/Statement.h"
#include "ui/forms/TVorlenExDateEdit.h"
#include "ui/forms/TxCheckBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxMaskEdit.h"
#include "ui/forms/TxRadioButton.h"

#include <QPlainTextEdit>

using namespace vq;
using comm::TMeetingToolSettingBox;

namespace {

const std::string IdMessage = "通信ＩＤを設定する場合はスペース無しの英数12桁で入力してください。(-を含めると14桁)";
const std::string SchemeMessage = "Web会議のURLが \"https://\" 又は \"http://\" で始まっていません。";

} // namespace

class TMeetingToolSettingBoxTest : public test::DataModuleFixture {
protected:
    void open(const std::string& sql = {})
    {
        if (!sql.empty())
            test::runSql(dataFile(), sql);
        ASSERT_TRUE(dm_.fnAccDatConnected("", SystemDef.DataDir, 0));
        AccInf = TACCINF{};
        ASSERT_TRUE(dm_.fnGetAccInfo());
    }
    void TearDown() override
    {
        dm_.CloseAccDat(SystemDef.DataDir, 0, 0);
        AccInf = TACCINF{};
        DataModuleFixture::TearDown();
    }

    std::string setting(const char* group, const char* code) { return GetAccRegText(group, code, "(none)"); }
    std::string holder()
    {
        db::TransactionScope scope(dm_.IBTransactionDAT);
        db::Statement q(dm_.IBDatabaseDAT.attachment(), dm_.IBTransactionDAT,
                        "SELECT WEB_HOLDER, PASWORD FROM ACCDEF1 WHERE REC=1");
        q.execute();
        q.fetch();
        return q.field("WEB_HOLDER").asString() + "/" + q.field("PASWORD").asString();
    }
    std::string lastMessage() { return seam_->messages.empty() ? "" : seam_->messages.back().text; }
};

TEST_F(TMeetingToolSettingBoxTest, TheInputChecksRefuseWhatCannotBeSent)
{
    open();
    struct Case {
        const char* name;
        int syoriType;
        bool use;
        const char* url;
        bool mail;
        const char* id;
        std::string refusal; // empty: accepted
    };
    const Case cases[] = {
        {"meeting off takes any text", 0, false, "ftp://x", false, "", ""},
        {"no URL", 0, true, " 　", false, "", "Web会議のURLが入力されていません。"},
        {"not a web address", 0, true, "ftp://meeting.example/", false, "", SchemeMessage},
        {"the scheme is case-sensitive", 0, true, "HTTPS://meeting.example/", false, "", SchemeMessage},
        {"a leading full-width blank", 0, true, "　https://meeting.example/", false, "", ""},
        {"http", 0, true, "http://meeting.example/", false, "", ""},
        {"part of an ID", 0, true, "https://m.example/", true, "abcd12", IdMessage},
        {"the whole ID", 0, true, "https://m.example/", true, "abcd12345678", ""},
        {"a start without date", 1, true, "", false, "", "会議の開始日時が入力されていません。"},
    };
    for (const auto& c : cases) {
        TMeetingToolSettingBox box;
        box.SyoriType = c.syoriType;
        box.LoadSettings();
        box.cboxMeetingUse->setChecked(c.use);
        box.MemoUrl->setPlainText(QString::fromStdString(c.url));
        box.cboxMailSousin->setChecked(c.mail);
        box.txtConID->setText(QString::fromUtf8(c.id));
        box.cboxMeetingUseClick();
        if (c.syoriType == 1)
            box.btnContactHizuke->setChecked(true);
        seam_->messages.clear();
        EXPECT_EQ(box.CheckInput(), c.refusal.empty()) << c.name;
        EXPECT_EQ(lastMessage(), c.refusal) << c.name;
    }
}

TEST_F(TMeetingToolSettingBoxTest, TheSettingsAreSavedTogetherOrNotAtAll)
{
    open("UPDATE ACCDEF1 SET WEB_HOLDER='abc', PASWORD='OLD1' WHERE REC=1;");
    {
        TMeetingToolSettingBox box;
        box.LoadSettings();
        // A stored ID of other than twelve characters is shown empty.
        EXPECT_EQ(box.txtConID->text().remove('-').trimmed(), "");
        box.cboxMeetingUse->setChecked(true);
        box.MemoUrl->setPlainText(QStringLiteral("　https://meeting.example/j/1"));
        box.cboxMailSousin->setChecked(true);
        box.cboxMeetingUseClick();
        box.txtConID->setText(QStringLiteral("abcd12345678"));
        box.txtConPasswd->setText(QStringLiteral("ABC123"));
        seam_->messageAnswers.push_back(platform::ResultOk);
        box.btnOKClick();
        EXPECT_EQ(box.result(), 1);
        EXPECT_EQ(seam_->messages.size(), 1u) << lastMessage();
    }
    EXPECT_EQ(setting("ＷＥＢ会議設定", "ＷＥＢ会議を行う"), "1");
    EXPECT_EQ(setting("ＷＥＢ会議設定", "ＵＲＬ"), "　https://meeting.example/j/1"); // as typed
    EXPECT_EQ(setting("通信設定", "クラウド区分"), "1");
    EXPECT_EQ(holder(), "abcd12345678/ABC123");
    EXPECT_EQ(AccInf.WEB_HOLDER, "abcd12345678");

    // The ID row refuses the update: nothing of the save stays, the window
    // stays open with the system's message.
    dm_.CloseAccDat(SystemDef.DataDir, 0, 0);
    open("CREATE EXCEPTION E_REFUSED 'refused';\n"
         "SET TERM ^ ;\nCREATE TRIGGER ACCDEF1_REFUSE FOR ACCDEF1 BEFORE UPDATE AS BEGIN EXCEPTION E_REFUSED; END^\n"
         "SET TERM ; ^\n");
    TMeetingToolSettingBox box;
    box.LoadSettings();
    box.cboxMeetingUse->setChecked(false);
    box.cboxMailSousin->setChecked(false);
    box.cboxMeetingUseClick();
    seam_->messages.clear();
    seam_->messageAnswers.push_back(platform::ResultOk);
    box.btnOKClick();
    EXPECT_NE(box.result(), 1);
    EXPECT_EQ(lastMessage().rfind("設定情報の更新に失敗しました。", 0), 0u) << lastMessage();
    EXPECT_EQ(setting("ＷＥＢ会議設定", "ＷＥＢ会議を行う"), "1");
    EXPECT_EQ(setting("通信設定", "クラウド区分"), "1");
    EXPECT_EQ(ends_, 0);

    // Declining the confirmation saves nothing either.
    seam_->messageAnswers.push_back(platform::ResultCancel);
    box.btnOKClick();
    EXPECT_EQ(setting("ＷＥＢ会議設定", "ＷＥＢ会議を行う"), "1");
}

TEST_F(TMeetingToolSettingBoxTest, TheRelaySendAsksAndResetsOnlyWhenItMailsAMeeting)
{
    open("INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES('ＷＥＢ会議設定','ＷＥＢ会議を行う','整数','1');"
         "INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES('ＷＥＢ会議設定','ＵＲＬ','文字','https://m.example/');"
         "INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES('ＷＥＢ会議設定','開催日時を指定','整数','1');"
         "INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES('ＷＥＢ会議設定','開催日時','日時','46000.5');"
         "INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES('通信設定','クラウド区分','整数','0');");
    // Mail notification off: no question, and the date stays after the send.
    TMeetingToolSettingBox box;
    EXPECT_EQ(box.AskBeforeSend(), 0);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.ResetMeetingDate(), 1);
    EXPECT_EQ(setting("ＷＥＢ会議設定", "開催日時を指定"), "1");
    EXPECT_TRUE(seam_->messages.empty());

    PutAccReg("通信設定", "クラウド区分", "整数", SettingValue(std::int32_t{1}));
    EXPECT_EQ(box.ResetMeetingDate(), 1);
    EXPECT_EQ(setting("ＷＥＢ会議設定", "開催日時を指定"), "2");
    EXPECT_EQ(GetAccRegDateTime("ＷＥＢ会議設定", "開催日時", "1"), 0.0);
}

TEST_F(TMeetingToolSettingBoxTest, OnlyAWebAddressIsOpened)
{
    open();
    struct Case {
        int on;
        const char* url;
        const char* opened;
        const char* message;
    };
    const Case cases[] = {
        {1, "https://meeting.example/j/1", "https://meeting.example/j/1", ""},
        {1, "http://meeting.example/", "http://meeting.example/", ""},
        {0, "https://meeting.example/j/1", "", "Web会議が設定されていません。"},
        {1, "", "", "Web会議が設定されていません。"},
        {1, "file:///etc/passwd", "", SchemeMessage.c_str()},
        {1, "javascript:alert(1)", "", SchemeMessage.c_str()},
    };
    for (const auto& c : cases) {
        PutAccReg("ＷＥＢ会議設定", "ＷＥＢ会議を行う", "整数", SettingValue(std::int32_t{c.on}));
        PutAccReg("ＷＥＢ会議設定", "ＵＲＬ", "文字", SettingValue(std::string(c.url)));
        seam_->messages.clear();
        seam_->urls.clear();
        // Started by name with SyoriType 2, as a host does.
        auto* box = new TMeetingToolSettingBox;
        box->SetParams({"SyoriType=2"});
        EXPECT_EQ(box->Execute(true), -1) << c.url;
        EXPECT_EQ(seam_->urls.empty() ? "" : seam_->urls.back(), c.opened) << c.url;
        EXPECT_EQ(lastMessage(), c.message) << c.url;
    }
}
