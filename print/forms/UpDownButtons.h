#pragma once
// A pair of arrow buttons that step a position within a range and show it
// as the text of the edit they belong to (the up-down control of the margin
// dialog).
#include <QWidget>

class QLineEdit;

namespace vq::print {

class UpDownButtons : public QWidget {
    Q_OBJECT
public:
    UpDownButtons(int minimum, int maximum, int step, QWidget* parent = nullptr);

    void setBuddy(QLineEdit* edit);
    int Position() const { return position_; }
    void setPosition(int value);
    int minimum() const { return min_; }
    int maximum() const { return max_; }
    void stepBy(int steps);

private:
    int min_, max_, step_;
    int position_ = 0;
    QLineEdit* buddy_ = nullptr;
};

} // namespace vq::print
