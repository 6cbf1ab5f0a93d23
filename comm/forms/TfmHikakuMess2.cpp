#include "comm/forms/TfmHikakuMess2.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>

namespace vq::comm {

TfmHikakuMess2::TfmHikakuMess2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("fmHikakuMess2"));
    setWindowTitle(QStringLiteral("確認"));
    QFont form(QStringLiteral("ＭＳ Ｐゴシック"));
    form.setPixelSize(12);
    setFont(form);
    QFont fixed(QStringLiteral("ＭＳ ゴシック"));
    fixed.setPixelSize(12);
    const QString digits = QString(40, QLatin1Char('0'));
    const QString period = QStringLiteral("現在利用中の会計期間　：　2010/01/01 ～ 2010/12/31");
    struct Rec {
        int top;
        QString caption;
        Qt::GlobalColor colour;
    };
    const Rec recs[] = {
        {16, QStringLiteral("中継サーバーに下記相違点のあるデータが存在します。"), Qt::black},
        {35, QStringLiteral("このまま送信して上書きしてもいいですか？"), Qt::black},
        {63, QStringLiteral("パスワードが違います。"), Qt::black},
        {87, QStringLiteral("商号が違います。"), Qt::black},
        {108, QStringLiteral("現在利用中の商号　：　") + digits, Qt::blue},
        {124, QStringLiteral("中継サーバーの商号：　") + digits, Qt::darkRed},
        {151, QStringLiteral("会計期間が違います。"), Qt::black},
        {172, period, Qt::blue},
        {188, period, Qt::darkRed},
    };
    for (std::size_t i = 0; i < Labels.size(); ++i) {
        auto* l = new QLabel(recs[i].caption, this);
        l->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        l->setFont(fixed);
        l->move(66, recs[i].top);
        l->adjustSize();
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, recs[i].colour);
        l->setPalette(p);
        Labels[i] = l;
    }
    Button1 = new QPushButton(QStringLiteral("はい"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(110, 226, 81, 25);
    Button2 = new QPushButton(QStringLiteral("いいえ"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(262, 226, 81, 25);
    connect(Button1, &QPushButton::clicked, this, [this] {
        Answer = 1;
        accept();
    });
    connect(Button2, &QPushButton::clicked, this, [this] {
        Answer = 0;
        accept();
    });
    const qreal scale = logicalDpiX() / 96.0;
    resize(qRound(456 * scale), qRound(190 * scale));
}

} // namespace vq::comm
