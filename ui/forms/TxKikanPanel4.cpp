#include "ui/forms/TxKikanPanel4.h"

namespace vq::ui {

TxKikanPanel4::TxKikanPanel4(QWidget* parent)
    : KikanPanel(4, parent)
{
    for (int i = 0; i < 4; ++i)
        cell(i)->setText(QString::number(i + 1));
    stno_ = 0;
    edno_ = 3;
    firstSel_ = 0;
    lastSel_ = 3;
    anchor_ = stno_;
    end_ = edno_;
    resize(80, 22);
}

void TxKikanPanel4::SetKikan(int simeDay, double yearStart, double yearEnd, double firstOpen)
{
    storeCalendar(simeDay, yearStart, yearEnd, firstOpen);
    applyLayout(kikanLayout4(btnCnt_, simeDay, yearStart, yearEnd, firstOpen, kikanMove_));
}

void TxKikanPanel4::setStno(int value)
{
    changeAndUpdate(stno_, value);
}

void TxKikanPanel4::setEdno(int value)
{
    changeAndUpdate(edno_, value);
}

void TxKikanPanel4::setBtnCnt(int value)
{
    if ((value != 2 && value != 4) || value == btnCnt_)
        return;
    btnCnt_ = value;
    for (int i = 0; i < 4; ++i) {
        KikanCell* c = cell(i);
        if (value == 4) {
            c->setText(QString::number(i + 1));
            c->show();
        } else {
            c->setText(i == 0 ? QStringLiteral("上") : QStringLiteral("下"));
            c->setVisible(i < 2);
        }
        c->setCellEnabled(true);
    }
    stno_ = 0;
    edno_ = lastSel_ = value - 1;
    // Every cell of the new count can be chosen from the keyboard.
    firstSel_ = 0;
    anchor_ = stno_;
    end_ = edno_;
    layoutCells();
}

} // namespace vq::ui
