#pragma once
// The report-colour chooser: frame lines, grid lines, heading-row and
// total-row shading, each a swatch with a "変更" button. For one report
// (UseStyle 1) it offers to go back to the operator's colours; for the
// operator's defaults (UseStyle 0) OK saves them as the operator's colours.
#include "ui/forms/TBSDI.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QLabel;
class QFrame;
class QPushButton;

namespace vq::ui {

class TxPlButton;

class TPrnColorSetBox : public TBSDI {
    Q_OBJECT
public:
    explicit TPrnColorSetBox(QWidget* parent = nullptr);

    std::int32_t LineColor1() const { return colors_[0]; }
    std::int32_t LineColor2() const { return colors_[1]; }
    std::int32_t NetColor1() const { return colors_[2]; }
    std::int32_t NetColor2() const { return colors_[3]; }
    void setLineColor1(std::int32_t c) { setColor(0, c); }
    void setLineColor2(std::int32_t c) { setColor(1, c); }
    void setNetColor1(std::int32_t c) { setColor(2, c); }
    void setNetColor2(std::int32_t c) { setColor(3, c); }
    int UseStyle = 0;
    std::string CustomColors;       // the colour dialog's custom colours, "ColorA=FFFFFF" lines

    void Setup(int flag);
    void Apply();

    // The colour dialog (a test replaces it): the chosen $BBGGRR, or nothing.
    using ColorChooser = std::function<std::optional<std::int32_t>(std::int32_t current, QWidget* parent)>;
    static void setColorChooser(ColorChooser chooser);

    QFrame* swatch(int i) const { return swatches_[i]; }
    QPushButton* changeButton(int i) const { return changes_[i]; }
    QLabel* lblKankyoColor;
    TxPlButton* btnOK;
    TxPlButton* btnCancel;

    // Restores the operator's colours after the confirmation (the link's action).
    void backToOperatorColors();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void FormClose() override;

private:
    void setColor(int i, std::int32_t c);
    void change(int i);
    void ok();

    std::int32_t colors_[4] = {0, 0, 0, 0};
    QFrame* swatches_[4] = {};
    QPushButton* changes_[4] = {};
    int Flag = 0;
};

} // namespace vq::ui
