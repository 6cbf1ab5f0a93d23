#include "comm/forms/DataTusinSnap.h"

#include "comm/forms/TfmDataTusin.h"
#include "comm/forms/TfmHikakuMess2.h"

#include <QLabel>

namespace vq::comm {

namespace {

void slot(TServerTable& t, int n, const char* name, const char* term, const char* state, const char* started,
          const char* user, const char* computer)
{
    t.At(ColSlotId, n) = (n < 10 ? "0" : "") + std::to_string(n);
    t.At(ColName, n) = name;
    t.At(ColTerm, n) = term;
    t.At(ColStart, n) = t.At(ColStartDisp, n) = "2024/04/01 00:00";
    t.At(ColEnd, n) = t.At(ColEndDisp, n) = "2025/03/31 00:00";
    t.At(ColSendTime, n) = t.At(ColSendTimeDisp, n) = "2024/11/20 17:42";
    t.At(ColReceiveTime, n) = t.At(ColReceiveTimeDisp, n) = started;
    t.At(ColPassword, n) = "ABC123";
    t.At(ColVersion, n) = "1400";
    t.At(ColState, n) = state;
    t.At(ColUser, n) = user;
    t.At(ColComputer, n) = computer;
}

} // namespace

QWidget* SnapDataTusin()
{
    auto* screen = new TfmDataTusin;
    screen->SyoriType = 25;
    screen->DataListPresent = true;
    screen->Record.CLOUD_LINE = 2;
    screen->Record.PASWORD = "ABC123";
    TServerTable& t = screen->Session.Table;
    slot(t, 1, "株式会社 山田商店", "12", "1", "-", "", "");
    slot(t, 2, "佐藤内科クリニック", "8", "2", "2024/12/02 09:15", "0012佐藤 花子", "JIMUSHO-PC2");
    slot(t, 5, "鈴木 一郎（不動産）", "3", "1", "-", "", "");
    screen->ShowSlotList();
    return screen;
}

QWidget* SnapDifferenceWindow(bool refusal)
{
    auto* w = new TfmHikakuMess2;
    if (refusal) {
        w->Labels[0]->setText(QStringLiteral("中継サーバーのデータと下記相違点があるため受信出来ません。"));
        w->Labels[1]->setText(QStringLiteral("データを切り換えて実行して下さい。"));
    }
    w->Labels[4]->setText(QStringLiteral("現在利用中の商号　：　株式会社 山田商店"));
    w->Labels[5]->setText(QStringLiteral("中継サーバーの商号：　株式会社 山田物産"));
    w->Labels[7]->setText(QStringLiteral("現在利用中の会計期間　：　2024/04/01 ～ 2025/03/31"));
    w->Labels[8]->setText(QStringLiteral("中継サーバーの会計期間：　2023/04/01 ～ 2024/03/31"));
    for (QLabel* l : w->Labels)
        l->adjustSize();
    TDifferenceGroups g;
    g.Company = g.Period = true;
    g.Password = !refusal;
    g.Refusal = g.SecondLine = refusal;
    LayoutDifferenceWindow(*w, g);
    return w;
}

} // namespace vq::comm
