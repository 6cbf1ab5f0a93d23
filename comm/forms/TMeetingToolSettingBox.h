#pragma once
// "Web会議設定": the web-meeting settings of the open data set - whether a web
// meeting is used and its URL, whether the client is mailed, and the data
// set's communication ID and password (SyoriType 0). SyoriType 1 asks,
// before a relay send, how the meeting start is announced in the mail;
// SyoriType 2 only opens the meeting's page. Registered as
// "QzMeetingToolSetting".
//
// The settings are saved in one transaction: after a database error nothing
// of them is kept and the window stays open for another try. Only http and
// https addresses are opened, always through the interaction seam.
#include "comm/MeetingSettings.h"
#include "ui/forms/ISyoriKidou.h"
#include "ui/forms/TBSDI.h"

#include <cstdint>
#include <string>

class QLabel;
class QPlainTextEdit;
class QWidget;

namespace vq::ui {
class TVorlenExDateEdit;
class TxCheckBox;
class TxEdit;
class TxMaskEdit;
class TxPlButton;
class TxRadioButton;
}

namespace vq::comm {

class TMeetingToolSettingBox : public ui::TBSDI, public ui::ISyoriKidou {
    Q_OBJECT
public:
    explicit TMeetingToolSettingBox(QWidget* parent = nullptr);

    std::int32_t Execute(bool modal) override;
    void SetParams(const ui::ParamLines& lines) override;
    // Loads the settings into the controls of SyoriType.
    void Setup(bool show);
    void LoadSettings();

    // Before a relay send: asks for the meeting start when the send mails a
    // meeting (SyoriType 1, modal); its result (2 cancels the send), else 0.
    std::int32_t AskBeforeSend();
    // After a relay send that mailed a meeting: the start goes back to
    // "announced later" and the date is emptied. Always 1.
    std::int32_t ResetMeetingDate();
    // Opens the meeting's page, or says that no meeting is set.
    void OpenMeetingUrl();

    void cboxMeetingUseClick();
    void btnContactHizukeClick();
    void btnPasteClick();
    void btnHizukeClearClick();
    void btnMailAddressClick();
    void lblLinkUrlClick();
    bool txtConPasswdExit();
    bool CheckInput();
    void btnOKClick();

    ui::ParamLines Params;
    std::int32_t SyoriType = 0;
    TMeetingSettings Settings;

    QWidget* pnlBase = nullptr;
    ui::TxCheckBox* cboxMeetingUse = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* MemoUrl = nullptr;
    ui::TxPlButton* btnPaste = nullptr;
    QLabel* lblLinkUrl = nullptr;
    ui::TxCheckBox* cboxMailSousin = nullptr;
    QLabel* Label5 = nullptr;
    ui::TxMaskEdit* txtConID = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    ui::TxEdit* txtConPasswd = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    ui::TxPlButton* btnMailAddress = nullptr;
    QLabel* Panel1 = nullptr;

    QWidget* pnlHizuke = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    ui::TxRadioButton* btnContactHizuke = nullptr;
    ui::TxRadioButton* btnContactLater = nullptr;
    ui::TxRadioButton* btnContactNone = nullptr;
    ui::TVorlenExDateEdit* txtContactHizuke = nullptr;
    ui::TxPlButton* btnHizukeClear = nullptr;

    QPlainTextEdit* HintArea = nullptr;
    ui::TxPlButton* btnOK = nullptr;
    ui::TxPlButton* btnCancel = nullptr;
    ui::TxPlButton* F1 = nullptr;

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildBase();
    void buildDateQuestion();
    // The ID as typed, without "-" and blanks.
    std::string typedId() const;
    bool cloudShared_ = false;
};

void RegisterMeetingToolSetting();

} // namespace vq::comm
