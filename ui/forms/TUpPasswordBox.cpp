#include "ui/forms/TUpPasswordBox.h"

#include <QGroupBox>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QStyle>

#include "platform/Interaction.h"
#include "ui/FormFont.h"
#include "ui/ModalResult.h"
#include "ui/PasswordRules.h"
#include "ui/forms/DialogKeys.h"
#include "ui/forms/FormModalResult.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"

namespace vq::ui {

namespace {

int px(int design) { return scaledFromDesign(design); }

QLabel* label(QWidget* parent, const char* caption, int x)
{
    auto* l = new QLabel(QString::fromUtf8(caption), parent);
    l->move(px(x), 0);
    l->adjustSize();
    return l;
}

// The rule of the key filter, applied to typed and pasted text alike.
class PasswordKeys : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        for (const QChar c : input)
            if (!PasswordKeyAllowed(c.unicode()))
                return Invalid;
        return Acceptable;
    }
};

} // namespace

TUpPasswordBox::TUpPasswordBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("パスワードの変更"));
    setFont(formFont(12));
    setFixedSize(px(403), px(262));

    auto* panel = new QWidget(this);
    panel->setGeometry(0, 0, px(403), px(65));
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    panel->setPalette(pal);
    auto* image = new QLabel(panel);
    image->setPixmap(style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(px(32), px(32)));
    image->setGeometry(px(16), px(16), px(32), px(32));
    Label1 = new QLabel(panel);
    Label1->setGeometry(px(64), px(24), px(320), px(18));

    auto* box = new QGroupBox(this);
    box->setGeometry(px(8), px(72), px(387), px(136));
    Label2 = label(box, "現在のパスワード:", 24);
    Label3 = label(box, "新しいパスワード:", 24);
    Label4 = label(box, "新しいパスワード(確認):", 24);
    const char* hints[] = {"現在のパスワードを入力します。", "新しいパスワードを入力します。",
                           "もう一度、新しいパスワードを入力します。"};
    TxEdit** boxes[] = {&txtPasswordNow, &txtPasswordNew1, &txtPasswordNew2};
    for (int i = 0; i < 3; ++i) {
        auto* e = new TxEdit(box);
        e->setGeometry(px(190), 0, px(170), px(21));
        e->setMaxLength(PasswordMaxLength);
        e->setImeMode(imDisable);
        e->setValidator(new PasswordKeys(e));
        e->setToolTip(QString::fromUtf8(hints[i]));
        *boxes[i] = e;
    }
    txtPasswordNow->setKeyStyles({ksEnter});

    btnOk = new TxPlButton(this);
    btnOk->setCaptionAText(QStringLiteral("OK"));
    btnOk->setGeometry(px(215), px(222), px(84), px(28));
    connect(btnOk, &TxPlButton::clicked, this, [this] { btnOkClick(); });
    btnCancel = new TxPlButton(this);
    btnCancel->setCaptionAText(QStringLiteral("キャンセル"));
    btnCancel->setGeometry(px(307), px(222), px(88), px(28));
    btnCancel->setModalResult(mrCancel);
    new DialogKeys(this, btnOk, DialogKeys::Escape::Cancels);
    Setup({});
}

void TUpPasswordBox::Setup(const std::string& currentPassword)
{
    FCurrentPassword = currentPassword;
    FHasCurrent = !currentPassword.empty();
    FNewPassword.clear();
    auto place = [](QLabel* l, TxEdit* e, int top) {
        l->move(l->x(), px(top));
        e->move(e->x(), px(top - 4));
    };
    if (FHasCurrent) {
        setWindowTitle(QStringLiteral("パスワードの変更"));
        Label1->setText(QStringLiteral("パスワードを変更します。"));
        place(Label2, txtPasswordNow, 24);
        place(Label3, txtPasswordNew1, 58);
        place(Label4, txtPasswordNew2, 92);
    } else {
        setWindowTitle(QStringLiteral("パスワードの設定"));
        Label1->setText(QStringLiteral("パスワードを設定します。"));
        place(Label3, txtPasswordNew1, 42);
        place(Label4, txtPasswordNew2, 76);
    }
    Label2->setVisible(FHasCurrent);
    txtPasswordNow->setVisible(FHasCurrent);
    txtPasswordNow->clear();
    txtPasswordNew1->clear();
    txtPasswordNew2->clear();
}

void TUpPasswordBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    (FHasCurrent ? txtPasswordNow : txtPasswordNew1)->setFocus();
}

void TUpPasswordBox::btnOkClick()
{
    setModalResult(this, mrNone);
    const PasswordCheck check =
        CheckNewPassword(FHasCurrent, FCurrentPassword, txtPasswordNow->text().toStdString(),
                         txtPasswordNew1->text().toStdString(), txtPasswordNew2->text().toStdString());
    if (!check.accepted) {
        platform::showMessage(check.message, platform::MessageKind::Warning);
        (check.focus == PasswordFocus::Current ? txtPasswordNow : txtPasswordNew1)->setFocus();
        return;
    }
    FNewPassword = txtPasswordNew1->text().toStdString();
    setModalResult(this, mrOk);
}

} // namespace vq::ui
