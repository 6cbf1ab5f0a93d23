#pragma once
// The window of the cash-book import ("現金出納帳の取り込み"): it runs the
// import engine, shows its progress and its log (a list of information,
// warning and error lines with the selected line's text below), and exports
// the log. With TextMode 0 the driver shows it modally and the import starts
// by itself 1,500 ms after it appears; with TextMode 1 the driver calls
// RunHidden and the window appears only when the import failed, so that the
// operator sees why.
#include <QDialog>

#include <cstdint>
#include <string>

#include "comm/CashBookLoader.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QTimer;
class QTreeWidget;
class QWidget;

namespace vq::comm {

class TCashBookLoaderBox : public QDialog {
    Q_OBJECT
public:
    explicit TCashBookLoaderBox(QWidget* parent = nullptr);
    ~TCashBookLoaderBox() override;

    void OpenReceivedData(const std::string& fileName);
    void SetAutoMode(std::uint8_t on);
    void RunHidden();
    std::int32_t RecomputeResult();

    void btnOkClick();
    void btnCancelClick();
    void btnOutputClick();

    std::uint8_t& TextMode;
    std::uint8_t& ImportMode;
    std::uint8_t AutoStart = 1;
    std::uint8_t ShownAfterFailure = 0;

    TCashBookLoader Loader;

    QLabel* lblTitle1 = nullptr;
    QLabel* lblTitle2 = nullptr;
    QLabel* lblTitle3 = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QTextEdit* RichEdit1 = nullptr;
    QWidget* pnlProgress = nullptr;
    QLabel* Label1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnOutput = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void SetupTitles();
    void ShowOutcome();
    void addLine(const TCorvaneSyoriInfo& entry);
    int scaled(int pixels) const;

    bool running_ = false;   // the OK button's tag: a run is going on
};

} // namespace vq::comm
