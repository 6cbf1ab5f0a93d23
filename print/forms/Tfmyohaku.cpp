#include "print/forms/Tfmyohaku.h"

#include "print/NumericKeyFilter.h"
#include "print/forms/TEdit360.h"
#include "print/forms/UpDownButtons.h"
#include "ui/FormFont.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vq::print {
namespace {

int integerOf(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

QLabel* label(const char* text, QWidget* parent, int left, int top)
{
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->move(left, top);
    l->adjustSize();
    return l;
}

} // namespace

Tfmyohaku::Tfmyohaku(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("fmyohaku"));
    setWindowTitle(QStringLiteral("設定"));
    setFont(ui::formFont(12));
    resize(235, 286);

    GroupBox2 = new QGroupBox(QStringLiteral("余白設定"), this);
    GroupBox2->setGeometry(14, 9, 210, 136);
    label("逆方向はマイナス （max=100）", GroupBox2, 12, 113);
    label("左右", GroupBox2, 12, 33)->hide();
    label("上下", GroupBox2, 12, 68)->hide();
    UpDown1 = new UpDownButtons(-100, 100, 10, GroupBox2);
    UpDown1->move(119, 33);
    UpDown2 = new UpDownButtons(-100, 100, 10, GroupBox2);
    UpDown2->move(59, 68);
    Memo1 = new QPlainTextEdit(GroupBox2);
    Memo1->setGeometry(88, 56, 89, 53);
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setPlainText(QStringLiteral("　　　　→\n　↓ (1/10)mm\n　：\n　：・・・・"));

    GroupBox3 = new QGroupBox(QStringLiteral("行間隔・文字間隔"), this);
    GroupBox3->setGeometry(12, 160, 210, 81);
    label("縦補正", GroupBox3, 36, 29);
    label("横補正", GroupBox3, 36, 53);
    label("(1/10) ％", GroupBox3, 144, 30);
    label("(max=50)", GroupBox3, 144, 57);
    UpDown3 = new UpDownButtons(-50, 50, 1, GroupBox3);
    UpDown3->move(120, 25);
    UpDown4 = new UpDownButtons(-50, 50, 1, GroupBox3);
    UpDown4->move(120, 49);

    Panel1 = new QWidget(this);
    Button1 = new QPushButton(QStringLiteral("ＯＫ"), Panel1);
    Button1->setGeometry(80, 2, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &Tfmyohaku::Button1Click);

    TopMarginEdit = makeEdit(GroupBox2, 28, 68, UpDown2);
    LeftMarginEdit = makeEdit(GroupBox2, 88, 33, UpDown1);
    VRatioEdit = makeEdit(GroupBox3, 89, 25, UpDown3);
    HRatioEdit = makeEdit(GroupBox3, 89, 49, UpDown4);
    // The tab order of the design: top before left, vertical before horizontal.
    setTabOrder(TopMarginEdit, LeftMarginEdit);
    setTabOrder(LeftMarginEdit, VRatioEdit);
    setTabOrder(VRatioEdit, HRatioEdit);
    setTabOrder(HRatioEdit, Button1);
}

TEdit360* Tfmyohaku::makeEdit(QWidget* parent, int left, int top, UpDownButtons* upDown)
{
    auto* edit = new TEdit360(parent);
    edit->setGeometry(left, top, 30, 20);
    edit->setMaxLength(3);
    edit->setText(QStringLiteral("0"));
    edit->setAlignment(ui::taRightJustify);
    edit->setKeyEdit3D(ui::bsNone);
    edit->setLong(0);
    edit->setImeMode(ui::imDisable);
    edit->installEventFilter(this);
    upDown->setBuddy(edit);
    return edit;
}

void Tfmyohaku::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Panel1->setGeometry(0, height() - 33, width(), 33);
}

bool Tfmyohaku::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<TEdit360*>(watched);
    if (!edit)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        ED_TOPExit(edit);
    } else if (event->type() == QEvent::KeyPress) {
        // ED_TOPKeyPress: every typed character goes through the numeric
        // filter; Enter passes so the edit moves the focus.
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.isEmpty() || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
            key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Escape)
            return false;
        const bool allSelected = edit->selectedText().size() == edit->text().size();
        const char32_t ch = text.toUcs4().value(0);
        if (NumericKeyFilter(edit->text().toStdString(), ch, 3, allSelected) == 0)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Tfmyohaku::ED_TOPExit(TEdit360* edit)
{
    const bool margin = edit == TopMarginEdit || edit == LeftMarginEdit;
    const int bound = margin ? 100 : 50;
    const int value = integerOf(edit->text());
    if (value < -bound)
        edit->setText(QString::number(-bound));
    else if (value > bound)
        edit->setText(QString::number(bound));
    const int now = integerOf(edit->text());
    if (edit == TopMarginEdit)
        top_ = now;
    else if (edit == LeftMarginEdit)
        left_ = now;
    else if (edit == VRatioEdit)
        vratio_ = now;
    else if (edit == HRatioEdit)
        hratio_ = now;
}

void Tfmyohaku::SetTopMargin(int value)
{
    if (value == top_)
        return;
    UpDown2->setPosition(value);
    top_ = value;
}

void Tfmyohaku::SetLeftMargin(int value)
{
    if (value == left_)
        return;
    UpDown1->setPosition(value);
    left_ = value;
}

void Tfmyohaku::SetVRatio(int factor)
{
    UpDown3->setPosition(factor >= 950 && factor <= 1050 ? factor - 1000 : 0);
    vratio_ = factor;
}

void Tfmyohaku::SetHRatio(int factor)
{
    UpDown4->setPosition(factor >= 950 && factor <= 1050 ? factor - 1000 : 0);
    hratio_ = factor;
}

void Tfmyohaku::Button1Click()
{
    top_ = integerOf(TopMarginEdit->text());
    left_ = integerOf(LeftMarginEdit->text());
    vratio_ = integerOf(VRatioEdit->text()) + 1000;
    hratio_ = integerOf(HRatioEdit->text()) + 1000;
    accept();
}

} // namespace vq::print
