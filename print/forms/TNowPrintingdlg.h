#pragma once
// The progress window of a print run: " 印刷中です。", the page just sent and
// a cancel button that asks "印刷を中止しますか？". Its timer starts the page
// loop half a second after it shows; the loop closes it.
#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace vq::print {

class PrintLoop;

class TNowPrintingdlg : public QDialog {
    Q_OBJECT
public:
    explicit TNowPrintingdlg(PrintLoop& loop, QWidget* parent = nullptr);

    QLabel* PrintMessage;
    QLabel* PageMessage;
    QPushButton* CancelButton;
    QTimer* Timer;

    bool Cancelled() const { return cancelled_; }

public slots:
    void CancelButtonClick();
    void PrintStart();

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    PrintLoop& loop_;
    bool cancelled_ = false;
    bool running_ = false;
};

} // namespace vq::print
