#include "datasets/DataSentakuKeys.h"

#include "datasets/DataRowChecks.h"
#include "foundation/app/RunState.h"

namespace vq {

namespace {

bool isPlaceholder(const std::string& name)
{
    return name == EmptyAreaName || name == NewAreaName;
}

} // namespace

std::string BareCaption(int key)
{
    return std::string(DataSentakuKeyNames[static_cast<std::size_t>(key)]) + ":";
}

bool IsBareCaption(const std::string& caption)
{
    return !caption.empty() && caption.back() == ':';
}

TKeyCaptions ComputeKeyCaptions(const TKeyCaptionState& s)
{
    TKeyCaptions k;
    auto& c = k.Caption;
    c = {"ESC:ｷｬﾝｾﾙ", "F1:ヘルプ", "F2:コピー", "F3:新規作成", "F4:割当解除", "F5:ﾃﾞｰﾀ削除",
         "F6:保存", "F7:復元", "F8:印刷", "F12:選択"};
    auto bare = [&c](std::initializer_list<int> keys) {
        for (int key : keys)
            c[static_cast<std::size_t>(key)] = BareCaption(key);
    };
    const bool server = s.ConnectMode == ConnectClientServer || s.ConnectMode == ConnectTerminal;
    if (server)
        c[KeyF4] = "F4:領域追加";
    if (s.SyoriType == 2 || s.SyoriType == 4)
        bare({KeyF3});

    k.RowState = 0;
    const TDataListRec* row = s.Row;
    if (s.GridActive && s.HasCurrentRow && row != nullptr) {
        k.RowState = s.CopyPending ? 2 : 1;
        if (s.CopyPending) {
            c[KeyF2] = "F2:貼り付け";
            k.PasteHint = true;
        }
        const bool named = !row->ENTTEXT.empty();
        if (s.CloudUsable && row->CLOUD == 1)
            bare({KeyF3});
        const std::int32_t kyoyu = GetKyoyuState(*row);
        if (server) {
            if (named) {
                bare({KeyF3});
                if (s.ConnectMode == ConnectClientServer)
                    c[KeyF3] = "F3:持ち出し";
            } else {
                if (!s.CopyPending)
                    bare({KeyF2});
                bare({KeyF5, KeyF6});
            }
        } else if (kyoyu == KyoyuNone) {
            bare({KeyF4});
            if (named) {
                bare({KeyF3});
                if (row->GASSAN == GassanConsolidated)
                    c[KeyF3] = "F3:分散追加";
                else if (row->GASSAN == GassanDistributedChild && s.ParentGassan == GassanConsolidatedBranches)
                    bare({KeyF5});
            } else {
                if (!s.CopyPending)
                    bare({KeyF2});
                bare({KeyF5, KeyF6});
            }
        } else if (kyoyu == KyoyuKept) {
            bare({KeyF2, KeyF3, KeyF5, KeyF7});
            if (row->GASSAN == GassanDistributedChild)
                bare({KeyF4});
            if (!s.AutoShared)
                bare({KeyF12});
        } else {
            bare({KeyF3, KeyF4, KeyF5});
            if ((IsParentKind(row->GASSAN) && row->ENTTEXT == EmptyAreaName) || row->ENTTEXT == NewAreaName) {
                c[KeyF3] = "F3:新規作成";
                c[KeyF4] = "F4:割当解除";
            }
            if (row->GASSAN == GassanConsolidated)
                c[KeyF3] = "F3:分散追加";
            else if (row->GASSAN == GassanDistributedChild && s.ParentGassan == GassanConsolidated)
                c[KeyF5] = "F5:ﾃﾞｰﾀ削除";
        }
    }

    if (k.RowState == 1 && row != nullptr) {
        if (!s.AutoShared) {
            const std::int32_t kyoyu = GetKyoyuState(*row);
            const bool blank = row->ENTTEXT.empty();
            if (kyoyu == KyoyuNone) {
                k.KyoyuDownEnabled = blank;
                k.KyoyuUpEnabled = false;
            } else if (!blank && !isPlaceholder(row->ENTTEXT)) {
                k.KyoyuDownEnabled = kyoyu == KyoyuKept;
                k.KyoyuUpEnabled = kyoyu == KyoyuTaken;
            }
        }
        k.CloudEnabled = true;
        if (row->DATA_STATUS != 0) {
            bare({KeyF2, KeyF3, KeyF4, KeyF6, KeyF12});
            k.KyoyuUpEnabled = false;
            k.CloudEnabled = false;
        }
        if (row->VER_MAJOR == 0)
            k.CloudEnabled = false;
    } else {
        k.KyoyuDownEnabled = k.KyoyuUpEnabled = false;
        if (k.RowState == 0)
            k.CloudEnabled = false;
    }
    if (!s.GridEnabled) {
        k.RowState = 0;
        bare({KeyF8, KeyF12});
    }
    if (k.RowState == 0)
        bare({KeyF2, KeyF3, KeyF4, KeyF5, KeyF6, KeyF7});
    // While a copy waits for its target only the paste and its cancel act:
    // another operation could change or remove the marked source meanwhile.
    if (k.RowState == 2)
        bare({KeyF3, KeyF4, KeyF5, KeyF6, KeyF7, KeyF8});
    switch (s.SyoriType) {
    case 3:
        bare({KeyF1, KeyF2, KeyF3, KeyF4, KeyF5, KeyF6, KeyF7, KeyF8});
        k.SearchEnabled = false;
        break;
    case 4:
        bare({KeyF1, KeyF2, KeyF3, KeyF6, KeyF7, KeyF8});
        break;
    case 5:
        bare({KeyF1, KeyF2, KeyF3, KeyF4, KeyF5, KeyF6, KeyF7, KeyF8});
        break;
    default:
        break;
    }
    return k;
}

} // namespace vq

namespace vq {

char IncSearchCharOfKey(int key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return static_cast<char>(key);
    if (key >= 96 && key <= 105)
        return static_cast<char>('0' + key - 96);
    if (key >= 106 && key <= 111)
        return static_cast<char>(key - 64);
    if (key == 186 || key == 187 || (key >= 192 && key <= 224))
        return static_cast<char>(key - 128);
    if (key >= 188 && key <= 191)
        return static_cast<char>(key - 144);
    if (key == 225 || key == 226)
        return static_cast<char>(key - 134);
    return 0;
}

int NextIncSearchInterval(int interval)
{
    if (interval < 2000)
        interval += 500;
    return interval > 1000 ? 1000 : interval;
}

} // namespace vq
