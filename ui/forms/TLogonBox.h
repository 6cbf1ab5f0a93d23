#pragma once
// The logon dialog ("ログイン"), the first screen of every run: the operator's
// code and password (and group, where the office logs on by group) and the
// connection kind. OK runs the check of ui/LogonProcedure.h; the dialog ends
// with mrOk when the operator is logged on. For the companion products it
// confirms the password of their system operator instead.
#include <QDialog>

#include <cstdint>
#include <set>
#include <string>

#include "foundation/forms/KeptKeys.h"
#include "ui/LogonProcedure.h"

class QGroupBox;
class QLabel;

namespace vq::ui {

class TAppIniCreateBox;
class TUpPasswordBox;
class TxEdit;
class TxPlButton;
class TxRadioButton;

class TLogonBox : public QDialog {
    Q_OBJECT
public:
    explicit TLogonBox(QWidget* parent = nullptr);

    bool FCreated = false;
    std::int32_t FCallerKind = 0;
    bool FUseGroupEntry = false;
    std::string FEntryPassword;
    bool FPasswordReady = true;
    bool FOfficeUser = false;
    std::int32_t FEntryOpCode = 0;
    TAppIniCreateBox* FServerBox = nullptr;
    TUpPasswordBox* FUpPasswordBox = nullptr;
    // Keys typed while a successful logon was connecting: the dialog closes
    // with them, so its caller hands them on once its own start-up is done.
    KeptKeys TypedAhead;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    TxEdit* txtOpCode = nullptr;
    TxEdit* txtPassword = nullptr;
    TxEdit* txtGroupID = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    TxRadioButton* btnSA = nullptr;
    TxRadioButton* btnCS = nullptr;
    TxPlButton* btnServerSettei = nullptr;
    TxPlButton* btnUpPassword = nullptr;
    TxPlButton* OKBtn = nullptr;
    TxPlButton* CancelBtn = nullptr;

    std::int32_t GetConnectKind() const;
    void OKBtnClick();
    void ConfirmPassword();
    void btnSAClick();
    void btnServerSetteiClick();
    void btnUpPasswordClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyResult(const LogonResult& result);
    void firstShowing();

    LogonProcedure logon_;
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    std::set<int> heldKeys_;
    bool shownOnce_ = false;
};

} // namespace vq::ui
