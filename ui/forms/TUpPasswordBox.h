#pragma once
// The password dialog: asks for a new password, and for the current one when
// there is one. It only checks and returns the new password (FNewPassword);
// the caller stores it. The rules are ui/PasswordRules.h.
#include <QDialog>

#include <string>

class QLabel;

namespace vq::ui {

class TxEdit;
class TxPlButton;

class TUpPasswordBox : public QDialog {
    Q_OBJECT
public:
    explicit TUpPasswordBox(QWidget* parent = nullptr);

    // Change mode when currentPassword is not empty, else set mode; empties
    // the boxes. Call before every showing.
    void Setup(const std::string& currentPassword);

    bool FHasCurrent = false;
    std::string FCurrentPassword;
    std::string FNewPassword;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    TxEdit* txtPasswordNow = nullptr;
    TxEdit* txtPasswordNew1 = nullptr;
    TxEdit* txtPasswordNew2 = nullptr;
    TxPlButton* btnOk = nullptr;
    TxPlButton* btnCancel = nullptr;

    void btnOkClick();

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace vq::ui
