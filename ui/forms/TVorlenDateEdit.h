#pragma once
// The plain date editor: one masked field holding a date in one of six
// layouts (year/month/day down to the day alone), in Western or era years,
// with a range start and end that the base form fills from the open data
// set. Typing starts at the chosen part (year, month or day).
#include "foundation/calendar/Gengo.h"
#include "ui/PlainDateEntry.h"
#include "ui/forms/TxMaskEdit.h"

namespace vq::ui {

class TVorlenDateEdit : public TxMaskEdit {
    Q_OBJECT
public:
    explicit TVorlenDateEdit(QWidget* parent = nullptr);

    double Date() const { return date_; }
    void setDate(double value);
    // Setting the start also moves the date to it.
    double StartDate() const { return start_; }
    void setStartDate(double value);
    double EndDate() const { return end_; }
    void setEndDate(double value);
    // 0 year/month/day .. 5 day; only the styles the editor takes are kept.
    int Style() const { return config_.style; }
    void setStyle(int value);
    bool Era() const { return config_.era; }
    void setEra(bool value);
    bool TwoDigitYear() const { return config_.twoDigitYear; }
    void setTwoDigitYear(bool value);
    // 0 year, 1 month, 2 day: where typing starts.
    int InputPosition() const { return inputPosition_; }
    void setInputPosition(int value);
    bool UseWarekiTable() const { return config_.useWarekiTable; }
    // Switching starts from an empty table.
    void setUseWarekiTable(bool value);
    void SetWarekiTable(const TGengoArray& table);
    const TGengoArray& WarekiTable() const { return config_.table; }

    QString EditMask() const { return editMask_; }
    // The short date format that goes with the year width ("YYYY/MM/DD").
    QString ShortDateFormat() const;

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void applyLayout();
    void holdEnd();
    void showDate();

    PlainDateConfig config_;
    double date_ = 0;
    double start_ = 0;
    double end_ = 0;
    int inputPosition_ = pdpYear;
    QString editMask_;
};

} // namespace vq::ui
