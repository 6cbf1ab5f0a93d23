#pragma once
// The agriculture statement reader: the data maker uses it for the statement
// kind 4 and writes agriculture income from Rec. It keeps the data set's
// default tax treatment.
#include <cstdint>

#include "linkage/statements/KojinKessansyoIO.h"
#include "linkage/statements/NougyouKessansyoRec.h"

namespace vq {

class TNougyouKessansyoIO : public TKojinKessansyoIO {
public:
    TNougyouKessansyoIO();

    bool Load(std::int32_t ignoreHandEntered) override;
    const char* FormName() const override { return "青色申告決算書（農業所得用）"; }
    void InitRec();
    // Reads the statement into Rec; false after an error.
    bool SelectNougyou(std::int32_t ignoreHandEntered);
    void CalcTotals();
    // The depreciation lists and the schedule lines of Rec.
    void SelectGenkaSyokyaku();

    TNougyouKessansyoRec Rec;

private:
    // Tables without a position column fill their rows in row order, count
    // of them; item, when given, is the ITEM parameter. A further row that
    // is not blank is noted in OutsideForm under breakdown.
    void ReadInOrder(std::initializer_list<std::string_view> lines, const char* item, int count,
                     const char* breakdown, const std::function<void(db::Statement&, int row)>& fill);
    template <int N>
    void ReadCrops(const char* item, const char* breakdown, StatementRows<TSyunyuKingakuRec, N>& rows)
    {
        ReadInOrder({"SELECT REC,ITEM,KUBUN1,KUBUN2,MENSEKI,SYUUKAKURYO,KISHU_SURYO,KISHU_KINGAKU,HANBAIGAKU,KAJISYOHIGAKU,",
                     "KIMATU_SURYO,KIMATU_KINGAKU FROM AO_SYUNYU", "WHERE ITEM=:ITEM", "ORDER BY REC"},
                    item, N, breakdown, [&](db::Statement& q, int i) { FillCrop(q, rows[i]); });
    }
    template <int N>
    void ReadStock(const char* item, const char* breakdown, StatementRows<TNousanIgaiTanaorosiRec, N>& rows)
    {
        ReadInOrder({"SELECT REC,ITEM,KUBUN,KISHU_SURYO,KISHU_TANI,KISHU_KINGAKU,KIMATU_SURYO,KIMATU_TANI,KIMATU_KINGAKU FROM AO_NOUSANBUTUIGAI",
                     "WHERE ITEM=:ITEM", "ORDER BY REC"},
                    item, N, breakdown, [&](db::Statement& q, int i) { FillStock(q, rows[i]); });
    }
    static void FillCrop(db::Statement& q, TSyunyuKingakuRec& e);
    static void FillStock(db::Statement& q, TNousanIgaiTanaorosiRec& e);
};

} // namespace vq
