// The key captions and row buttons of the data selection screen for the focused row.
#include <gtest/gtest.h>

#include "datasets/DataSentakuKeys.h"

using namespace vq;

namespace {

std::vector<std::string> captions(const TKeyCaptions& k)
{
    return {k.Caption.begin(), k.Caption.end()};
}

TKeyCaptionState focused(const TDataListRec& row, int type = 0)
{
    TKeyCaptionState s;
    s.SyoriType = type;
    s.GridActive = true;
    s.HasCurrentRow = true;
    s.Row = &row;
    return s;
}

TDataListRec named()
{
    TDataListRec r;
    r.ENTTEXT = "山田商店";
    r.VER_MAJOR = 14;
    return r;
}

} // namespace

TEST(DataSentakuKeys, StandAloneRows)
{
    const TDataListRec data = named();
    TKeyCaptions k = ComputeKeyCaptions(focused(data));
    EXPECT_EQ(captions(k), (std::vector<std::string>{"ESC:ｷｬﾝｾﾙ", "F1:ヘルプ", "F2:コピー", "F3:", "F4:", "F5:ﾃﾞｰﾀ削除",
                                                     "F6:保存", "F7:復元", "F8:印刷", "F12:選択"}));
    EXPECT_EQ(k.RowState, 1);
    EXPECT_FALSE(k.KyoyuDownEnabled);

    TDataListRec blank;
    k = ComputeKeyCaptions(focused(blank));
    EXPECT_EQ(captions(k), (std::vector<std::string>{"ESC:ｷｬﾝｾﾙ", "F1:ヘルプ", "F2:", "F3:新規作成", "F4:", "F5:", "F6:",
                                                     "F7:復元", "F8:印刷", "F12:選択"}));
    EXPECT_TRUE(k.KyoyuDownEnabled);
    EXPECT_FALSE(k.CloudEnabled);   // no version

    // A shared row kept on the share: F12 only with the automatic switch.
    TDataListRec kept = named();
    kept.NETDRIVE = 1;
    k = ComputeKeyCaptions(focused(kept));
    EXPECT_EQ(k.Caption[KeyF12], "F12:");
    EXPECT_TRUE(k.KyoyuDownEnabled);
    EXPECT_FALSE(k.KyoyuUpEnabled);
    TKeyCaptionState automatic = focused(kept);
    automatic.AutoShared = true;
    k = ComputeKeyCaptions(automatic);
    EXPECT_EQ(k.Caption[KeyF12], "F12:選択");
    EXPECT_FALSE(k.KyoyuDownEnabled);

    // Taken to this computer: keep it back.
    TDataListRec taken = kept;
    taken.KYOYULOCK = 1;
    k = ComputeKeyCaptions(focused(taken));
    EXPECT_TRUE(k.KyoyuUpEnabled);
    EXPECT_FALSE(k.KyoyuDownEnabled);

    // A broken row cannot be chosen.
    TDataListRec broken = named();
    broken.DATA_STATUS = 1;
    k = ComputeKeyCaptions(focused(broken));
    EXPECT_EQ(k.Caption[KeyF12], "F12:");
    EXPECT_EQ(k.Caption[KeyF2], "F2:");
}

TEST(DataSentakuKeys, ProcessingTypesAndNoRow)
{
    const TDataListRec data = named();
    EXPECT_EQ(captions(ComputeKeyCaptions(focused(data, 3))),
              (std::vector<std::string>{"ESC:ｷｬﾝｾﾙ", "F1:", "F2:", "F3:", "F4:", "F5:", "F6:", "F7:", "F8:", "F12:選択"}));
    EXPECT_FALSE(ComputeKeyCaptions(focused(data, 3)).SearchEnabled);

    TKeyCaptionState none = focused(data);
    none.HasCurrentRow = false;
    const TKeyCaptions k = ComputeKeyCaptions(none);
    EXPECT_EQ(k.RowState, 0);
    EXPECT_EQ(k.Caption[KeyF5], "F5:");
    EXPECT_EQ(k.Caption[KeyF12], "F12:選択");

    TKeyCaptionState disabled = focused(data);
    disabled.GridEnabled = false;
    EXPECT_EQ(ComputeKeyCaptions(disabled).Caption[KeyF12], "F12:");

    TKeyCaptionState server = focused(data);
    server.ConnectMode = 1;
    EXPECT_EQ(ComputeKeyCaptions(server).Caption[KeyF3], "F3:持ち出し");
    EXPECT_EQ(ComputeKeyCaptions(server).Caption[KeyF4], "F4:領域追加");

    TKeyCaptionState pending = focused(data);
    pending.CopyPending = true;
    EXPECT_EQ(ComputeKeyCaptions(pending).Caption[KeyF2], "F2:貼り付け");
    EXPECT_EQ(ComputeKeyCaptions(pending).RowState, 2);
}

TEST(DataSentakuKeys, IncrementalSearchKeys)
{
    const std::pair<int, char> keys[] = {{'0', '0'}, {'Z', 'Z'}, {96, '0'}, {105, '9'}, {106, '*'}, {111, '/'},
                                         {186, ':'}, {187, ';'}, {188, ','}, {191, '/'}, {192, '@'}, {219, '['},
                                         {226, '\\'}, {0x70, 0}, {13, 0}, {32, 0}};
    for (const auto& [key, c] : keys) {
        SCOPED_TRACE(key);
        EXPECT_EQ(IncSearchCharOfKey(key), c);
    }
    EXPECT_EQ(NextIncSearchInterval(0), 500);
    EXPECT_EQ(NextIncSearchInterval(500), 1000);
    EXPECT_EQ(NextIncSearchInterval(1000), 1000);
}

TEST(DataSentakuKeys, F3AndF4ByModeTypeAndRow)
{
    // F3, F4 (then F5, F12 where the row decides them) for the focused row.
    TDataListRec data = named();
    TDataListRec blank;
    TDataListRec consolidated = named();
    consolidated.GASSAN = GassanConsolidated;
    TDataListRec kept = named();
    kept.NETDRIVE = 1;
    TDataListRec keptChild = kept;
    keptChild.GASSAN = GassanDistributedChild;
    TDataListRec takenArea = kept;
    takenArea.KYOYULOCK = 1;
    takenArea.ENTTEXT = EmptyAreaName;
    TDataListRec takenData = kept;
    takenData.KYOYULOCK = 1;
    TDataListRec cloud = named();
    cloud.CLOUD = 1;
    struct Case {
        const char* what;
        std::uint8_t mode;
        int type;
        const TDataListRec* row;
        bool cloudUsable;
        const char* f3;
        const char* f4;
    } cases[] = {
        {"stand-alone data", 0, 0, &data, false, "F3:", "F4:"},
        {"stand-alone blank", 0, 0, &blank, false, "F3:新規作成", "F4:"},
        {"stand-alone consolidated", 0, 0, &consolidated, false, "F3:分散追加", "F4:"},
        {"kept on the share", 0, 0, &kept, false, "F3:", "F4:割当解除"},
        {"kept child", 0, 0, &keptChild, false, "F3:", "F4:"},
        {"taken empty area", 0, 0, &takenArea, false, "F3:新規作成", "F4:割当解除"},
        {"taken data", 0, 0, &takenData, false, "F3:", "F4:"},
        {"client/server data", 1, 0, &data, false, "F3:持ち出し", "F4:領域追加"},
        {"client/server cloud data", 1, 0, &cloud, true, "F3:持ち出し", "F4:領域追加"},
        {"client/server blank", 1, 0, &blank, false, "F3:新規作成", "F4:領域追加"},
        {"server-based data", 2, 0, &data, false, "F3:", "F4:領域追加"},
        {"server-based blank", 2, 0, &blank, false, "F3:新規作成", "F4:領域追加"},
        {"stand-alone cloud data", 0, 0, &cloud, true, "F3:", "F4:"},
        {"type 1 blank", 0, 1, &blank, false, "F3:新規作成", "F4:"},
        {"type 2 blank", 0, 2, &blank, false, "F3:", "F4:"},
        {"type 3", 1, 3, &blank, false, "F3:", "F4:"},
        {"type 4 client/server", 1, 4, &blank, false, "F3:", "F4:領域追加"},
        {"type 5", 1, 5, &data, false, "F3:", "F4:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TKeyCaptionState s = focused(*c.row, c.type);
        s.ConnectMode = c.mode;
        s.CloudUsable = c.cloudUsable;
        const TKeyCaptions k = ComputeKeyCaptions(s);
        EXPECT_EQ(k.Caption[KeyF3], c.f3);
        EXPECT_EQ(k.Caption[KeyF4], c.f4);
    }
}

TEST(DataSentakuKeys, APendingCopyLeavesOnlyPasteAndCancel)
{
    const TDataListRec data = named();
    TKeyCaptionState pending = focused(data);
    pending.CopyPending = true;
    const TKeyCaptions k = ComputeKeyCaptions(pending);
    EXPECT_EQ(captions(k), (std::vector<std::string>{"ESC:ｷｬﾝｾﾙ", "F1:ヘルプ", "F2:貼り付け", "F3:", "F4:", "F5:", "F6:",
                                                     "F7:", "F8:", "F12:選択"}));
    EXPECT_FALSE(k.KyoyuDownEnabled);
    EXPECT_FALSE(k.CloudEnabled);
}
