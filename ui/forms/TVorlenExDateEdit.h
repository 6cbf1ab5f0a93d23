#pragma once
// The date and time entry control: a row of small parts - era, year, month,
// day, AM/PM, hour, minute, second, each number followed by its label - as
// the style asks. The year is typed in the Western calendar or as an era
// year. Reading the value validates the parts; a mistake is shown in one
// message box and then ends the calling operation silently (SilentAbort),
// which the slot guard at the event loop swallows.
#include "foundation/calendar/Gengo.h"
#include "ui/Color.h"
#include "ui/DateEntry.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLineEdit;

namespace vq::ui {

class TVorlenExDateEdit;

// The fixed label after a number box ("年", "月" ...).
class TVorlenExDateEditLabel : public QWidget {
    Q_OBJECT
public:
    TVorlenExDateEditLabel(TVorlenExDateEdit* editor, QWidget* parent);
    void setText(const QString& text);
    QString text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TVorlenExDateEdit* editor_;
    QString text_;
};

class TVorlenExDateEdit : public QWidget {
    Q_OBJECT
public:
    explicit TVorlenExDateEdit(QWidget* parent = nullptr);

    // Bounds; 0 means not set.
    double MinDate() const;
    void setMinDate(double value);
    double MaxDate() const;
    void setMaxDate(double value);
    TVorlenExDateEditStyle EditStyle() const { return style_; }
    void setEditStyle(TVorlenExDateEditStyle value);
    bool EditGengo() const { return editGengo_; }
    void setEditGengo(bool value);
    bool EditAmpm() const { return editAmpm_; }
    void setEditAmpm(bool value);
    TColor LabelColor() const { return labelColor_; }
    void setLabelColor(TColor value);
    // Label texts, index 0 year .. 5 second.
    QString labelText(int index) const { return labelTexts_[static_cast<std::size_t>(index)]; }
    void setLabelText(int index, const QString& text);
    int SpaceWidth() const { return spaceWidth_; }
    void setSpaceWidth(int value);
    TVorlenExYeardigitSet Yeardigit() const { return yeardigit_; }
    void setYeardigit(TVorlenExYeardigitSet value);
    bool UseWarekiTable() const { return useWarekiTable_; }
    void setUseWarekiTable(bool value);
    bool AutoSelect() const { return autoSelect_; }
    void setAutoSelect(bool value) { autoSelect_ = value; }
    bool CanEmpty() const { return canEmpty_; }
    void setCanEmpty(bool value) { canEmpty_ = value; }
    TVorlenExRekiSet Gengo() const { return gengo_; }
    // Takes in what is typed first: a wrong entry throws SilentAbort (after
    // its message) and the calendar stays.
    void setGengo(TVorlenExRekiSet value);
    TColor DisableColor() const { return disableColor_; }
    void setDisableColor(TColor value);
    TColor DisableFontColor() const { return disableFontColor_; }
    void setDisableFontColor(TColor value);
    bool DropDownKey() const { return dropDownKey_; }
    void setDropDownKey(bool value) { dropDownKey_ = value; }
    bool EnterNext() const { return enterNext_; }
    void setEnterNext(bool value) { enterNext_ = value; }
    bool ExitCheck() const { return exitCheck_; }
    void setExitCheck(bool value) { exitCheck_ = value; }
    bool DisplayError() const { return displayError_; }
    void setDisplayError(bool value) { displayError_ = value; }
    TColor FocusedColor() const { return focusedColor_; }
    void setFocusedColor(TColor value) { focusedColor_ = value; }
    QString DialogCaption() const { return dialogCaption_; }
    void setDialogCaption(const QString& value) { dialogCaption_ = value; }
    bool TabStop() const { return tabStop_; }
    void setTabStop(bool value);
    TColor Color() const { return color_; }
    void setColor(TColor value);

    void Clear();
    // Throws SilentAbort (after its message) for a value that is no date.
    void SetDateTime(double value);
    // Validates; the value, or 0 for an empty entry or one before 1899-12-30.
    // Throws SilentAbort after its one message when the entry is wrong.
    double GetDateTime();
    // Checks the parts and builds the value; returns only when the entry is
    // valid (or empty and CanEmpty).
    void Validate();
    void SetWarekiTable(const TGengoArray& table);
    bool isEmpty() const { return empty_; }

    // The parts, for screens and tests.
    QComboBox* eraCombo() const { return era_; }
    QComboBox* ampmCombo() const { return ampm_; }
    QLineEdit* box(DatePart part) const;
    TVorlenExDateEditLabel* label(int index) const { return labels_[static_cast<std::size_t>(index)]; }
    QWidget* partWidget(DatePart part) const;

signals:
    void changed(QWidget* part);
    void clicked(QWidget* part);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DateEntryConfig config() const;
    const TGengoArray& eraList() const;
    void rebuildEffectiveEras();
    // MinDate / MaxDate: 0 clears the bound.
    void setBound(double& bound, double value);
    void refillEraCombo();
    void relayout();
    // After a change of what the parts show: lay them out and show the date anew.
    void relayoutAndShow();
    void recolour();
    void colourPart(QWidget* part, bool focused);
    void showInParts(double value);
    [[noreturn]] void fail(const std::string& message, DatePart focus);
    void focusPart(DatePart part);
    std::vector<QWidget*> partsInOrder() const;
    void editorLostFocus();

    QComboBox* era_ = nullptr;
    QComboBox* ampm_ = nullptr;
    std::array<QLineEdit*, 6> boxes_{};
    std::array<TVorlenExDateEditLabel*, 6> labels_{};
    std::array<QString, 6> labelTexts_;

    double minDate_;
    double maxDate_;
    double value_;
    bool empty_ = true;
    TVorlenExDateEditStyle style_ = desYearMonthDay;
    bool editGengo_ = true;
    bool editAmpm_ = false;
    TColor labelColor_ = 0xE4E4E4;
    int spaceWidth_ = 7;
    TVorlenExYeardigitSet yeardigit_ = yddigit4;
    bool useWarekiTable_ = false;
    bool autoSelect_ = true;
    bool canEmpty_ = true;
    TVorlenExRekiSet gengo_ = rsWareki;
    TColor disableColor_ = clGrayText;
    TColor disableFontColor_ = 0xFFFFFF;
    bool dropDownKey_ = true;
    bool enterNext_ = true;
    bool exitCheck_ = false;
    bool displayError_ = true;
    TColor focusedColor_ = 0xFFFFFF;
    QString dialogCaption_ = QStringLiteral("日付時刻入力");
    bool tabStop_ = true;
    TColor color_ = 0xFFFFFF;
    TGengoArray customTable_;
    TGengoArray effective_;
    bool focusInside_ = false;
};

} // namespace vq::ui
