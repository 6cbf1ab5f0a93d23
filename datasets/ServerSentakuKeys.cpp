#include "datasets/ServerSentakuKeys.h"

#include "datasets/ServerSentakuList.h"

namespace vq {

const char* const ServerGridHint =
    "［ENTER］又はﾀﾞﾌﾞﾙｸﾘｯｸ又は［F12］で選択します。|［ENTER］又はﾀﾞﾌﾞﾙｸﾘｯｸ又は［F12］で選択します。\r\n"
    "［共有］欄にｱｲｺﾝが付いているﾃﾞｰﾀは他のｵﾍﾟﾚｰﾀが使用しているため取得できません。\r\n"
    "［F4］で新規にﾃﾞｰﾀ領域を作成できます。\r\n"
    "行を選択すると［ﾃﾞｰﾀ選択］に戻ります。「新しい領域」行への新規ﾃﾞｰﾀ作成や、共有ﾃﾞｰﾀのﾌﾗｯｼｭﾒﾓﾘなどへの保存は［ﾃﾞｰﾀ選択］で行います。";
const char* const ServerGridHintNoDrive =
    "|[共有割当]ボタンよりネットワーク上の共有フォルダをドライブに割り当てて下さい。";
const char* const ServerGridHintNoArea = "|［F4］でﾃﾞｰﾀ領域を作成してください。";
const char* const ServerGridHintPaste =
    "貼り付け先を選択して［F2］を押します。|貼り付け先を選択して［F2］を押します。\r\nｺﾋﾟｰ処理を中断する場合は［ESC］を押します。";

TServerKeyCaptions ComputeServerKeyCaptions(const TServerKeyState& state)
{
    TServerKeyCaptions out;
    out.Caption = {"ESC:ｷｬﾝｾﾙ", "F1:ヘルプ", "F2:コピー", "F3:", "F4:領域追加",
                   "F5:ﾃﾞｰﾀ削除", "F6:", "F7:", "F8:印刷", "F12:選択"};
    auto bare = [&out](int key) { out.Caption[static_cast<std::size_t>(key)] = BareCaption(key); };
    if (state.GridActive) {
        out.GridHint = !state.HasDrive ? ServerGridHintNoDrive : !state.HasAreas ? ServerGridHintNoArea : ServerGridHint;
        if (state.HasCurrentRow && state.Row != nullptr) {
            out.RowState = 1;
            if (state.PastePending) {
                out.RowState = 2;
                out.Caption[KeyF2] = "F2:貼り付け";
                out.GridHint = ServerGridHintPaste;
            }
            const TDataListRec& r = *state.Row;
            if (r.CLOUD == 1) {
                bare(KeyF3);
                bare(KeyF4);
                bare(KeyF7);
            }
            if (r.GASSAN == GassanDistributedChild) {
                bare(KeyF2);
                bare(KeyF5);
                bare(KeyF12);
                out.F12Enabled = false;
            }
            if (IsFreeAreaName(r.ENTTEXT) && !state.PastePending)
                bare(KeyF2);
            if (state.RowTakenOut) {
                if (state.PastePending)
                    bare(KeyF2);
                bare(KeyF5);
            }
            if (r.DATA_STATUS != 0) {
                if (out.RowState == 1)
                    bare(KeyF2);
                bare(KeyF12);
            }
        }
    }
    if (!state.GridEnabled) {
        out.RowState = 0;
        bare(KeyF8);
        bare(KeyF12);
    }
    if (out.RowState == 0)
        for (int k = KeyF2; k <= KeyF7; ++k)
            bare(k);
    if (state.HasDrive)
        out.Caption[KeyF4] = "F4:領域追加";
    return out;
}

} // namespace vq
