#pragma once
// "通信設定": the communication ID and password of the open data set, and in
// the cloud-share modes the choice of its server slot. Modes (SyoriType):
// 1 the data set's settings, 2 the cash book's (TUSIN_ID), 5 the cloud-share
// settings (the data selection opens it through ShowCloudShareSettings),
// 6 the cloud-share settings during the next-year update (the slot goes back
// to the caller). Registered as "QzTusinSettei".
//
// Nothing is written before F12: the slot choice runs with the ID and
// password as typed, and F12 writes ID, password and slot in one
// transaction; Esc or the close box leave the data set as it was (once F12
// has saved, a "no" to its closing question keeps the screen open with the
// settings saved, and the showing counts as saved).
#include "ui/forms/ISyoriKidou.h"
#include "ui/forms/TBSDI.h"

#include <cstdint>
#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace vq::ui {
class TxEdit;
class TxPlButton;
}

namespace vq::comm {

// What a slot choice gave: whether a row was chosen, its slot and data name,
// and the data name of the data set's current slot.
struct TSlotChoice {
    bool Chosen = false;
    std::int32_t Slot = 0;
    std::string ChosenName;
    std::string CurrentName;
};

class TfrmTusinSettei : public ui::TBSDI, public ui::ISyoriKidou {
    Q_OBJECT
public:
    explicit TfrmTusinSettei(QWidget* parent = nullptr);

    std::int32_t Execute(bool modal) override;
    void SetParams(const ui::ParamLines& lines) override;
    virtual void Setup(std::uint8_t flag);

    // Mode 5 for the data set of folder: 1 blank folder, 0 closed after
    // saving, 9 closed without saving or not opened. Then ChosenCloudLine and
    // NeedUpload tell the result.
    std::int32_t ShowCloudShareSettings(const std::string& folder);

    void btnKyouyuClick();
    void F12Click();
    void EscClick();
    // Leaving the edits (the password's blank check; a new ID drops the slot).
    bool txtConPasswdExit();
    void txtConIDExit();

    // The ID as stored: the 12 characters without the hyphens.
    std::string IdText() const;

    // The slot choice; the default shows the communication screen's slot
    // list for DataFolder with the ID and password as typed.
    std::function<TSlotChoice(TfrmTusinSettei&)> ChooseSlot;

    ui::ParamLines Params;
    std::int32_t SyoriType = 1;
    std::string LoadedIdText;
    std::string LoadedId;
    std::string LoadedPassword;
    std::uint8_t NeedUpload = 0;
    std::int32_t CloudLine = 0;
    std::int32_t InitialCloudLine = 0;
    std::int32_t ChosenCloudLine = 0;
    std::uint8_t NotSaved = 0;
    std::string DataFolder;
    std::uint8_t SlotChosenHere = 0;

    QLabel* Label42 = nullptr;
    QLineEdit* txtConID = nullptr;
    QLabel* Label43 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label16 = nullptr;
    ui::TxEdit* txtConPasswd = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QLabel* Label5 = nullptr;
    ui::TxPlButton* btnKyouyu = nullptr;
    QPlainTextEdit* HintArea = nullptr;
    ui::TxPlButton* ESC = nullptr;
    ui::TxPlButton* F1 = nullptr;
    ui::TxPlButton* F12 = nullptr;

protected:
    bool FormKeyUp(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadSettings();
    bool saveSettings();
    bool closeChecks();
    void showSlotLabel();
    bool cloudMode() const { return SyoriType == 5 || SyoriType == 6; }

    bool savedHere_ = false;
};

// Registers the screen under "QzTusinSettei".
void RegisterTusinSettei();

} // namespace vq::comm
