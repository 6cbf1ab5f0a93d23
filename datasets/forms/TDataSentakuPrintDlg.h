#pragma once
// "データリストの印刷": the print-option dialog of the data lists. It asks
// print or preview and the paper orientation; the orientation is kept per
// operator as "P010=%d" in the settings of the report style
// 020-DATASENTAKULIST, which the data list and the shared data list share,
// so a choice made for one is where the other starts. The base dialog's
// colour, start-page and duplex options are not offered.
#include "ui/forms/TPrintDlgBox.h"

class QGroupBox;
class QLabel;

namespace vq {

class TDataSentakuPrintDlg : public ui::TPrintDlgBox {
    Q_OBJECT
public:
    explicit TDataSentakuPrintDlg(QWidget* parent = nullptr);

    void Setup(int flag) override;
    void ApplyOptions() override;
    void LoadHints() override;
    // "Hozon" adds the orientation to the settings the base dialog rebuilt.
    void SaveRestoreSettings(const std::string& mode) override;

    // Read after the dialog: 0 portrait, 1 landscape.
    std::int32_t Orientation = 0;

    QLabel* lblYousi;
    QGroupBox* grpYousi;
    ui::TxRadioButton* btnYousiTate;
    ui::TxRadioButton* btnYousiYoko;
};

} // namespace vq
