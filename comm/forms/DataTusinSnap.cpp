#include "comm/forms/DataTusinSnap.h"

#include "comm/forms/TfmDataTusin.h"

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

} // namespace vq::comm
