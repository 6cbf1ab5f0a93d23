#pragma once
// The margin dialog of the preview: moves the printed page by up to 10 mm
// each way and, when the printer's paper is the job's paper, corrects the
// vertical and horizontal spacing by up to 5 %. The caller shows or hides
// the spacing group and sets the height (320 with it, 220 without).
#include <QDialog>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace vq::print {

class TEdit360;
class UpDownButtons;

class Tfmyohaku : public QDialog {
    Q_OBJECT
public:
    explicit Tfmyohaku(QWidget* owner = nullptr);

    void SetTopMargin(int value);
    void SetLeftMargin(int value);
    void SetVRatio(int factor);
    void SetHRatio(int factor);

    // 1/10 mm; per mille (1000 no correction) after OK, the correction itself before.
    int TopMargin() const { return top_; }
    int LeftMargin() const { return left_; }
    int VRatio() const { return vratio_; }
    int HRatio() const { return hratio_; }

    QGroupBox* GroupBox2;
    QGroupBox* GroupBox3;
    QPlainTextEdit* Memo1;
    UpDownButtons* UpDown1; // left margin
    UpDownButtons* UpDown2; // top margin
    UpDownButtons* UpDown3; // vertical correction
    UpDownButtons* UpDown4; // horizontal correction
    QWidget* Panel1;
    QPushButton* Button1;
    TEdit360* TopMarginEdit;
    TEdit360* LeftMarginEdit;
    TEdit360* VRatioEdit;
    TEdit360* HRatioEdit;

public slots:
    void ED_TOPExit(TEdit360* edit);
    void Button1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TEdit360* makeEdit(QWidget* parent, int left, int top, UpDownButtons* upDown);

    int top_ = 0, left_ = 0, vratio_ = 0, hratio_ = 0;
};

} // namespace vq::print
