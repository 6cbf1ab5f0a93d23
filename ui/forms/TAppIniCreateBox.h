#pragma once
// The data-server settings dialog ("データサーバーの設定"): the operator enters
// the computer that runs the database server and the place of the data on
// that server: a drive from the list (a Windows server) or none (a server
// without drives), and the folder from the root as the server names it. OK
// stores them in the section of the connection mode of the local settings
// file. Opened only from the logon dialog (client/server). The file itself is
// ui/AppIniSettings.h.
#include <QDialog>

#include <cstdint>
#include <string>

class QLabel;
class QGroupBox;
class QWidget;

namespace vq::ui {

class TxComboBox;
class TxEdit;
class TxPlButton;

class TAppIniCreateBox : public QDialog {
    Q_OBJECT
public:
    explicit TAppIniCreateBox(QWidget* parent = nullptr);

    bool FCreated = false;
    std::int32_t FSetupMode = 0;    // 1: used as the first-time setup window
    std::int32_t FSectionKind = 1;  // the section read when shown (1 SERVER)
    std::string FErrorText;

    // The controls (tests drive them).
    TxEdit* txtHostName = nullptr;
    TxPlButton* btnCompShow = nullptr;
    TxComboBox* cmbDrive = nullptr;
    TxEdit* txtDataPath = nullptr;
    TxEdit* txtUserName = nullptr;
    TxEdit* txtPassWord = nullptr;
    TxPlButton* btnOK = nullptr;
    TxPlButton* btnCancel = nullptr;

    // Takes the boxes into the run state, checks them and writes the section
    // of ConnectMode; the dialog closes with mrOk only when all is well.
    void OKBtnClick();
    // Loads the section of FSectionKind into the boxes (done when shown).
    void LoadBoxes();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btnCompShowClick();
};

} // namespace vq::ui
