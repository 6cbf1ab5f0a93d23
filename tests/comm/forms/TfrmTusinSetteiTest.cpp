// The cloud-share settings screen on a real data set: what F12 saves, what
// Esc leaves, and the checks before a slot is chosen.
#include "comm/forms/DataTusinScreens.h"
#include "comm/forms/TfrmTusinSettei.h"

#include "../../foundation/data/DataModuleFixture.h"
#include "../IsqlValue.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

#include <functional>

using namespace vq;

namespace {

struct Stored {
    std::string holder, password, line;
    bool operator==(const Stored&) const = default;
};

} // namespace

class TfrmTusinSetteiTest : public test::DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        test::runSql(dataFile(), "UPDATE ACCDEF1 SET CLOUD_LINE=3, WEB_HOLDER='abcd12345678', PASWORD='ABC123' "
                                 "WHERE REC=1;");
    }

    Stored stored() const
    {
        auto one = [&](const char* column) {
            return test::IsqlValue(test::runSql(dataFile(), std::string("SELECT ") + column + " FROM ACCDEF1;"));
        };
        return {one("WEB_HOLDER"), one("PASWORD"), one("CLOUD_LINE")};
    }

    // Shows the screen for the data set and runs act inside it; the screen is
    // closed with Esc afterwards when act left it open.
    std::int32_t show(comm::TDataTusinScreens& comm, const std::function<void(comm::TfrmTusinSettei&)>& act)
    {
        comm::TfrmTusinSettei& screen = comm.SettingsScreen();
        QTimer::singleShot(0, [&] {
            act(screen);
            if (screen.isVisible())
                screen.EscClick();
        });
        return comm.ShowCloudShareSettings(SystemDef.DataDir);
    }
};

TEST_F(TfrmTusinSetteiTest, AChosenSlotIsSavedWithTheIdAndPasswordAtF12AndEscSavesNothing)
{
    struct Case {
        const char* name;
        comm::TSlotChoice choice;
        bool escape;
        std::int32_t result;
        Stored after;
        bool needUpload;
    };
    const Stored before{"abcd12345678", "ABC123", "3"};
    const Case cases[] = {
        {"empty slot chosen", {true, 5, "", "共有"}, false, 0, {"wxyz98765432", "XYZ9", "5"}, true},
        {"slot with data chosen", {true, 6, "他の会社", ""}, false, 0, {"wxyz98765432", "XYZ9", "6"}, false},
        {"nothing chosen, Esc", {false, 0, "", ""}, true, 9, before, false},
    };
    for (const auto& c : cases) {
        test::runSql(dataFile(), "UPDATE ACCDEF1 SET CLOUD_LINE=3, WEB_HOLDER='abcd12345678', PASWORD='ABC123';");
        comm::TDataTusinScreens comm;
        int asked = 0;
        comm.SettingsScreen().ChooseSlot = [&](comm::TfrmTusinSettei& s) {
            ++asked;
            // The choice runs with the values as typed, and nothing is written yet.
            EXPECT_EQ(s.IdText(), "wxyz98765432") << c.name;
            EXPECT_EQ(stored(), before) << c.name;
            return c.choice;
        };
        const auto result = show(comm, [&](comm::TfrmTusinSettei& s) {
            s.RadioButton1->setChecked(true);
            s.txtConID->setText(QStringLiteral("wxyz-9876-5432"));
            s.txtConPasswd->setText(QStringLiteral("XYZ9"));
            s.btnKyouyu->Click();
            if (c.escape)
                s.EscClick();
        });
        EXPECT_EQ(asked, 1) << c.name;
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(stored(), c.after) << c.name;
        EXPECT_EQ(comm.SettingsSaved, c.result == 0) << c.name;
        EXPECT_EQ(comm.NeedUpload, c.needUpload) << c.name;
        if (c.result == 0) {
            EXPECT_EQ(comm.SlotChosen, c.choice.Slot) << c.name;
        }
    }
}

TEST_F(TfrmTusinSetteiTest, TheSlotChoiceNeedsTheUseTickAFullIdAndAPassword)
{
    struct Case {
        const char* name;
        bool use;
        const char* id;
        const char* password;
        std::string message;
    };
    const Case cases[] = {
        {"not used", false, "abcd-1234-5678", "ABC123", "「クラウドシェアを利用する」を選択してください。"},
        {"13 characters", true, "abcd-1234-567", "ABC123",
         "通信ＩＤを設定する場合はスペース無しの英数12桁で入力して下さい。(-を含めると14桁)"},
        {"no password", true, "abcd-1234-5678", "", "「パスワード」が入力されていません。"},
    };
    for (const auto& c : cases) {
        comm::TDataTusinScreens comm;
        bool asked = false;
        comm.SettingsScreen().ChooseSlot = [&](comm::TfrmTusinSettei&) {
            asked = true;
            return comm::TSlotChoice{};
        };
        seam_->messages.clear();
        const auto result = show(comm, [&](comm::TfrmTusinSettei& s) {
            (c.use ? s.RadioButton1 : s.RadioButton2)->setChecked(true);
            s.txtConID->setText(QString::fromUtf8(c.id));
            s.txtConPasswd->setText(QString::fromUtf8(c.password));
            s.btnKyouyu->Click();
        });
        EXPECT_FALSE(asked) << c.name;
        EXPECT_EQ(result, 9) << c.name;
        ASSERT_FALSE(seam_->messages.empty()) << c.name;
        EXPECT_EQ(seam_->messages[0].text, c.message) << c.name;
        EXPECT_EQ(stored(), (Stored{"abcd12345678", "ABC123", "3"})) << c.name;
    }
}

TEST_F(TfrmTusinSetteiTest, F12SavesAChangedIdWithoutTheSlotAndAsksBeforeReleasingOrKeepingAShortId)
{
    // A new ID drops the slot the data set had.
    comm::TDataTusinScreens comm;
    EXPECT_EQ(show(comm,
                   [](comm::TfrmTusinSettei& s) {
                       s.txtConID->setText(QStringLiteral("wxyz-9876-5432"));
                       s.txtConIDExit();
                       EXPECT_EQ(s.Label5->text(), QStringLiteral("領域選択：　　 No. --"));
                       s.F12Click();
                   }),
              0);
    EXPECT_EQ(stored(), (Stored{"wxyz98765432", "ABC123", "0"}));

    // Not using the share any longer asks first; No keeps the screen open.
    test::runSql(dataFile(), "UPDATE ACCDEF1 SET CLOUD_LINE=3, WEB_HOLDER='abcd12345678';");
    seam_->messages.clear();
    seam_->messageAnswers = {platform::ResultNo, platform::ResultYes};
    bool stillOpen = false;
    EXPECT_EQ(show(comm,
                   [&](comm::TfrmTusinSettei& s) {
                       s.RadioButton2->setChecked(true);
                       s.F12Click();
                       stillOpen = s.isVisible();
                       s.F12Click();
                   }),
              0);
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(seam_->messages.size(), 2u);
    EXPECT_EQ(seam_->messages[0].text, "クラウドシェアを解除します。よろしいですか？");
    EXPECT_EQ(stored(), (Stored{"abcd12345678", "ABC123", "0"}));
    EXPECT_EQ(comm.SlotChosen, 0);

    // A 13-character ID is saved, then the closing question may keep the screen open.
    seam_->messages.clear();
    seam_->messageAnswers = {platform::ResultNo};
    EXPECT_EQ(show(comm,
                   [&](comm::TfrmTusinSettei& s) {
                       s.txtConID->setText(QStringLiteral("abcd-1234-567"));
                       s.F12Click();
                       stillOpen = s.isVisible();
                   }),
              0);
    EXPECT_TRUE(stillOpen);
    ASSERT_FALSE(seam_->messages.empty());
    EXPECT_EQ(seam_->messages[0].text.rfind("通信ＩＤを設定する場合は", 0), 0u);
    EXPECT_EQ(stored().holder, "abcd1234567");
}
