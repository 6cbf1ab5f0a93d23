#pragma once
// The place chooser with a second way out: two radio buttons around the
// place controls, "the place chosen in the list" (btnSelect1) or "the
// program's default place" (btnSelect2). The restore of the data selection
// screen uses it; SourceKind tells the caller which was chosen. The default
// place closes the dialog at once and leaves the history as it was.
#include "datasets/forms/TFileOperationBox.h"

namespace vq::ui {
class TxRadioButton;
}

namespace vq {

class TFileOperationBoxEx1 : public TFileOperationBox {
    Q_OBJECT
public:
    explicit TFileOperationBoxEx1(QWidget* parent = nullptr);
    ~TFileOperationBoxEx1() override;

    // 1 the place chosen in the list, 2 the program's default place.
    std::int32_t SourceKind = 1;

    void PrepareShow(bool modal) override;
    void ApplySettings() override;
    void LoadHints() override;

    void SetSelect1Caption(const std::string& text);
    void SetSelect2Caption(const std::string& text);
    // Selects radio button 1 or 2 and enables the place controls to match.
    void SetSelectMode(std::int32_t mode);
    void btnSelectClick();
    void btnOKClick() override;

    ui::TxRadioButton* btnSelect1 = nullptr;
    ui::TxRadioButton* btnSelect2 = nullptr;
};

} // namespace vq
