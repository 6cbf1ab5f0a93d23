#include "ui/forms/TfmWebMenuL.h"

#include "foundation/app/SystemDef.h"
#include "ui/ModalResult.h"
#include "ui/forms/ScreenRegistry.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxSpreadGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPlainTextEdit>

namespace vq::ui {

TfmWebMenuL::TfmWebMenuL(QWidget* parent)
    : TBSDI(parent, bsDialog)
{
    setObjectName(QStringLiteral("fmWebMenuL"));
    setWindowTitle(QStringLiteral("ログインユーザー"));
    setFixedSize(357, 361);

    PerfectGrid1 = new TxSpreadGrid(this);
    PerfectGrid1->setObjectName(QStringLiteral("PerfectGrid1"));
    PerfectGrid1->setGeometry(32, 24, 295, 193);
    PerfectGrid1->setColumnCount(3);
    PerfectGrid1->setHorizontalHeaderLabels({QStringLiteral("No"), QStringLiteral("コード"), QStringLiteral("オペレータ名")});
    PerfectGrid1->setColumnWidth(0, 50);
    PerfectGrid1->setColumnWidth(1, 70);
    PerfectGrid1->setColumnWidth(2, 154);
    PerfectGrid1->horizontalHeader()->setStretchLastSection(true);
    SetGridColors(PerfectGrid1, 1);
    QPalette rows = PerfectGrid1->palette();
    rows.setColor(QPalette::Base, toQColor(static_cast<TColor>(SystemDef.ClientColor1)));
    PerfectGrid1->setPalette(rows);

    HintArea = new QPlainTextEdit(this);
    HintArea->setObjectName(QStringLiteral("HintArea"));
    HintArea->setReadOnly(true);
    HintArea->setFrameShape(QFrame::NoFrame);
    HintArea->setGeometry(12, 232, 333, 80);
    HintArea->setPlainText(QStringLiteral("他のオペレーターがヴォルレン財務を利用中のため、バ\n"
                                          "ージョンアップができません。\n"
                                          "他のオペレータの利用がない状態で、管理者権限に\n"
                                          "て、バージョンアップを実行してください。\n"));
    QPalette memo = HintArea->palette();
    memo.setColor(QPalette::Base, palette().color(QPalette::Window));
    HintArea->setPalette(memo);

    F12 = new TxPlButton(this);
    F12->setObjectName(QStringLiteral("F12"));
    F12->setCaptionAText(QStringLiteral("F12:閉じる"));
    F12->setGeometry(255, 324, 90, 26);
    connect(F12, &TxPlButton::clicked, this, [this] { done(mrOk); });
    ESC = new TxPlButton(this);
    ESC->setObjectName(QStringLiteral("ESC"));
    ESC->setCaptionAText(QStringLiteral("ESC:ｷｬﾝｾﾙ"));
    ESC->setGeometry(159, 324, 90, 26);
    ESC->hide();
    F1 = new TxPlButton(this);
    F1->setObjectName(QStringLiteral("F1"));
    F1->setCaptionAText(QStringLiteral("F1:ヘルプ"));
    F1->setGeometry(12, 324, 90, 26);
    F1->hide();
    FExecButton = F12;

    try {
        nothingToShow_ = !fnDBConect_OP();
        FCreated = true;
    } catch (...) {
        // Logged by the loading; the screen reports its failed creation when shown.
        FCreated = false;
    }
}

bool TfmWebMenuL::fnDBConect_OP()
{
    users_ = LoadOtherLogons();
    return !users_.empty();
}

void TfmWebMenuL::SetParams(const ParamLines& lines)
{
    params_ = lines;
    if (const auto t = syoriTypeOf(lines))
        syoriType_ = *t;
    setFormStyle(formStyleOf(lines));
}

void TfmWebMenuL::Setup(int flag)
{
    setupFlag_ = flag;
    FFirstPlacement = false;
}

std::int32_t TfmWebMenuL::Execute(bool modal)
{
    const bool found = !users_.empty();
    const int result = ExecuteScreen(modal, [this] { Setup(1); });
    if (!modal)
        return result;
    return found ? 1 : 0;
}

void TfmWebMenuL::FormShow()
{
    if (nothingToShow_) {
        QMetaObject::invokeMethod(this, [this] { done(mrCancel); }, Qt::QueuedConnection);
        return;
    }
    ListUsers(users_);
}

void TfmWebMenuL::ListUsers(const std::vector<TLoginUserR>& users)
{
    users_ = users;
    PerfectGrid1->setRowCount(count());
    for (int i = 0; i < count(); ++i) {
        const auto& u = users_[static_cast<std::size_t>(i)];
        const QString cells[] = {QString::number(i + 1), QString::number(u.OperatorCode),
                                 QString::fromStdString(u.OpName)};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c < 2 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
            PerfectGrid1->setItem(i, c, item);
        }
    }
}

bool TfmWebMenuL::FormKeyUp(QKeyEvent* event)
{
    // Esc does not close this screen; only F12 does.
    if (event->key() == Qt::Key_Escape)
        return true;
    if (event->key() == Qt::Key_F12 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        done(mrOk);
        return true;
    }
    return TBSDI::FormKeyUp(event);
}

void RegisterWebMenuL()
{
    RegisterScreen<TfmWebMenuL>("WebMenuL");
}

} // namespace vq::ui
