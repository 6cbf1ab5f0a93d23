#include "ui/forms/TMessageBox.h"

#include "ui/ModalResult.h"
#include "ui/forms/TxCheckBox.h"
#include "ui/forms/TxPlButton.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QShowEvent>

namespace vq::ui {

namespace {

constexpr int designWidth = 504;
constexpr int designHeight = 293;
constexpr int memoTop = 72;
constexpr int memoHeight = 156;
constexpr int bottomHeight = 41;

} // namespace

void InitMessageInfo(TMessageInfoRec& info)
{
    info = TMessageInfoRec{};
}

int ShowMessageBox(TMessageInfoRec& info, QWidget* parent)
{
    TMessageBox box(parent);
    box.Kind = info.Kind;
    box.Caption = info.Caption;
    box.MainText = info.MainText;
    box.MainColor = info.MainColor;
    box.AgreeCaption = info.AgreeCaption;
    box.SetLines(info.Lines);
    box.Apply(1);
    if (info.Position == poScreenCenter || parent == nullptr)
        box.PlaceForm(0, 0, 0, 0, 3);
    else
        box.PlaceForm(0, 0, 0, 0, 2);
    return box.exec();
}

TMessageBox::TMessageBox(QWidget* parent)
    : TBSDI(parent, bsDialog)
{
    setObjectName(QStringLiteral("MessageBox"));
    FMenuHookOnShow = FRunBesideOthers = FKeepFormSize = FActivateHookArg = false;
    FKeepOnClose = true;
    resize(designWidth, designHeight);

    lblMain = new QLabel(this);
    lblMain->setObjectName(QStringLiteral("lblMain"));
    lblMain->setWordWrap(true);
    lblMain->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    MessageArea = new QPlainTextEdit(this);
    MessageArea->setObjectName(QStringLiteral("MessageArea"));
    MessageArea->setReadOnly(true);
    MessageArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    cboxAgree = new TxCheckBox(this);
    cboxAgree->setObjectName(QStringLiteral("cboxAgree"));
    cboxAgree->setText(QStringLiteral("同意する。"));
    btnOK = new TxPlButton(this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new TxPlButton(this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    FExecButton = btnOK;
    connect(btnOK, &TxPlButton::clicked, this, [] {});
    connect(cboxAgree, &QCheckBox::toggled, this, [this](bool on) {
        Agreed = on;
        if (Kind == 2)
            btnOK->setEnabled(on);
    });
    FCreated = true;
}

void TMessageBox::SetLines(const std::vector<std::string>& lines)
{
    lines_ = lines;
}

void TMessageBox::Apply(int flag)
{
    flag_ = flag;
    const bool agree = Kind == 2 || Kind == 3;
    const bool memo = !lines_.empty();
    const int height = memo ? designHeight : designHeight - memoHeight;
    setFixedSize(designWidth, height);

    lblMain->setGeometry(24, 16, 445, 49);
    // Messages break their lines at the carriage return.
    lblMain->setText(QString::fromStdString(MainText).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    QPalette pal = lblMain->palette();
    pal.setColor(QPalette::WindowText, toQColor(MainColor));
    lblMain->setPalette(pal);

    QStringList text;
    for (const auto& line : lines_)
        text << QString::fromStdString(line);
    MessageArea->setPlainText(text.join(QLatin1Char('\n')));
    MessageArea->setGeometry(24, memoTop, 465, memoHeight);
    MessageArea->setVisible(memo);

    const int bottomTop = height - bottomHeight;
    cboxAgree->setGeometry(24, bottomTop - 26, 445, 20);
    cboxAgree->setVisible(agree);
    cboxAgree->setText(QString::fromStdString(AgreeCaption));
    cboxAgree->setChecked(Agreed);

    btnCancel->setGeometry(designWidth - 8 - 90, bottomTop + 8, 90, 26);
    btnOK->setGeometry(designWidth - 8 - 90 - 6 - 90, bottomTop + 8, 90, 26);
    btnOK->setVisible(true);
    btnOK->setCaptionAText(QStringLiteral("OK"));
    btnOK->setModalResult(mrOk);
    btnCancel->setVisible(true);
    btnCancel->setCaptionAText(QStringLiteral("キャンセル"));
    btnCancel->setModalResult(mrCancel);
    if (Kind == 1) {
        btnOK->setVisible(false);
        btnCancel->setCaptionAText(QStringLiteral("OK"));
        btnCancel->setModalResult(mrOk);
    }
    setWindowTitle(QString::fromStdString(Caption));
    btnOK->setEnabled(Kind != 2 || Agreed);
    FFirstPlacement = false;
}

void TMessageBox::FormShow() {}

void TMessageBox::showEvent(QShowEvent* event)
{
    TBSDI::showEvent(event);
    if (FCreated)
        btnCancel->setFocus(Qt::OtherFocusReason);
}

} // namespace vq::ui
