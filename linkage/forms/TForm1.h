#pragma once
// The linkage wizard, the tool's only window: a welcome page, the choice of
// a data set, the options, the output file (stand-alone only) and a summary.
// Its creation installs the tool's hooks, reads the command line and the
// application information, creates the export object and checks the
// installed product; its first show runs the logon; its destruction saves
// the linkage settings, removes the hooks and tells a calling program the
// result.
//
// What the pages do with their contents (choosing the data set, the checks
// on Next, the summary and Finish) comes in from outside through
// DataChooser and Finisher, so the frame stays the same when they grow.
#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "datasets/CloudShareComm.h"
#include "datasets/DataSentakuListCtl.h"
#include "foundation/forms/KeptKeys.h"
#include "linkage/CallerChannel.h"
#include "linkage/LinkageHooks.h"
#include "linkage/SyotokuzeiDataExport.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace vq::ui {
class TxAnimeProgressDialog;
class TxEdit;
class TxKikanPanel16;
class TxWizard;
} // namespace vq::ui

namespace vq::linkage {

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The creation steps: hooks, command line, application information,
    // export object, installed version, captions and pages. False when the
    // program must end (the message was shown).
    bool FormCreate(const std::vector<std::string>& args);
    // The start-up before the wizard shows: local settings, title, data
    // module. False after its failure message was shown.
    bool InitializeApplication();
    // The logon dialog; True when the operator logged on.
    bool ShowLogon();
    // Cancel with its question; the close box without one.
    void btnCancelClick();
    // Gives the data set in use back, then logs the operator off the system database.
    void CloseDatabases();
    // Closes the form after Finish (no close-box result).
    void FinishClose() { closeForm(); }
    // The "参照" button of the output-file page.
    void BitBtn4aClick();
    // The destruction's work, run once (also by the destructor): settings,
    // hooks, the caller's result. Safe to call before a successful creation.
    void FormDestroy();

    // The names of the pages left, in order ("page1", "page2", ...).
    QStringList PageNames() const;
    QWidget* Page(const QString& name) const;

    // ---- State ---------------------------------------------------------------
    std::int64_t CallerWnd = 0;     // the caller's channel number; 0 stand-alone
    std::int32_t CallerMsg = 0;
    std::int32_t CallerFuncId = 0;
    std::string CallerOutFile;
    std::string SystemDrive;        // no drives here: always empty
    std::int32_t ResultCode = 2;    // 0 done, 1 cancelled, 2 failed
    std::unique_ptr<TSyotokuzeiDataExport> ExportObj;
    std::string StartupMessage;
    bool LogonOk = false;
    bool SystemDbInUse = false;
    bool DataConnected = false;
    bool DataInUse = false;
    std::string PrevDataFolder;
    std::string MyDocumentsFolder;
    // The existing file whose replacement the save dialog already confirmed.
    std::string ReplaceConfirmed;
    std::unique_ptr<TDataSentakuListCtl> ListStore; // shared-data steps of the data choice
    std::unique_ptr<TCloudShareComm> CommForm;      // cloud-share steps of the data choice
    bool Created = false;           // FormCreate went through
    bool Terminated = false;        // the run was told to end
    // Keys typed ahead during the logon, for the wizard once it has started.
    KeptKeys TypedAhead;

    // ---- Seams for the pages and the tests ------------------------------------
    // The logon at first show; ShowLogon by default.
    std::function<bool()> LogonRunner;
    // The seams below start with the wizard's own steps (data choice, page
    // checks, Finish); tests replace them to drive the frame alone.
    // The data page's "データ選択を開く" button.
    std::function<void(TForm1&)> DataChooser;
    // Next pressed: the page about to be left and whether it may be left.
    std::function<bool(TForm1&, const QString& page)> PageCheck;
    // "完了(&F)" on the summary: writes the file; sets ResultCode.
    std::function<void(TForm1&)> Finisher;
    // The program file whose folder holds AppInfo.ini (the running program by default).
    std::filesystem::path ProgramFile;
    // Validation behind the data-broken check (the database services by default).
    DatabaseValidator Validator = ValidateDataSetDatabase;

    // ---- Components -------------------------------------------------------------
    ui::TxWizard* Wizard1 = nullptr;
    QPushButton* Button1 = nullptr;   // "< 戻る(&B)"
    QPushButton* Button2 = nullptr;   // "次へ(&N) >" / "完了(&F)"
    QPushButton* btnCancel = nullptr; // "ｷｬﾝｾﾙ"
    ui::TxAnimeProgressDialog* xAnimeProgressDialog1 = nullptr;
    // page1
    QPlainTextEdit* Memo1a = nullptr;
    QPlainTextEdit* Memo1b = nullptr;
    // page2
    QLabel* Label2a = nullptr;
    QPushButton* btnDataSentaku = nullptr;
    QTableWidget* listDataInfo = nullptr;
    QLabel* Label2c = nullptr;
    // page3
    QLabel* Label3a = nullptr;
    QLabel* Label3b = nullptr;
    QGroupBox* GroupBox3a = nullptr;
    ui::TxKikanPanel16* xKikanPanel3a = nullptr;
    QGroupBox* GroupBox3b = nullptr;
    QRadioButton* RadioButton3a = nullptr;
    QRadioButton* RadioButton3b = nullptr;
    QGroupBox* GroupBox3c = nullptr;
    QRadioButton* RadioButton3c = nullptr;
    QRadioButton* RadioButton3d = nullptr;
    QGroupBox* GroupSyotokuRendo = nullptr;
    QCheckBox* checkSinkokuUtiwake = nullptr;
    // page4
    QLabel* Label4a = nullptr;
    QGroupBox* GroupBox4a = nullptr;
    ui::TxEdit* Edit4a = nullptr;
    QPushButton* BitBtn4a = nullptr;
    QLabel* Label4b = nullptr;
    // page5
    QPlainTextEdit* Memo5a = nullptr;
    QPlainTextEdit* Memo5b = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    // The close box (and Alt+F4): result 1 without a question.
    void closeEvent(QCloseEvent* event) override;
    // Esc is the Cancel button; Enter presses the focused button, or Next.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    void buildPage1(QWidget* page);
    void buildPage2(QWidget* page);
    void buildPage3(QWidget* page);
    void buildPage4(QWidget* page);
    void buildPage5(QWidget* page);
    void deletePage(const QString& name);
    void setPageTexts();
    void firstShowing();
    void terminate();
    // Closes from the program's side (Cancel confirmed, Finish done).
    void closeForm();
    void nextClicking(bool finalState, bool& allowChange);
    void nextClick(bool finalState);

    CallerChannel caller_;
    bool shownOnce_ = false;
    bool destroyed_ = false;
    bool closing_ = false;
};

} // namespace vq::linkage
