#pragma once
// The yes/no window of a relay send or receive that lists how the open data
// differs from the data on the relay server. The caller sets the labels'
// texts and visibility, moves labels and buttons, shows it modally and reads
// Answer: 1 yes, 0 no. Only "いいえ" answers no; closing the window any
// other way answers yes.
#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

namespace vq::comm {

class TfmHikakuMess2 : public QDialog {
    Q_OBJECT
public:
    explicit TfmHikakuMess2(QWidget* parent = nullptr);

    int Answer = 1;
    std::array<QLabel*, 9> Labels{};   // Label1 .. Label9
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};

} // namespace vq::comm
