#include "dbupdate/steps/z5UserDbUpdate306.h"

#include <array>
#include <memory>
#include <vector>

#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/AccInf.h"
#include "foundation/data/DataModule.h"
#include "platform/db/Statement.h"

namespace vq::z5UserDbUpdate306 {

namespace {

db::Statement dataStatement(const std::string& sql)
{
    return db::Statement(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT, sql);
}

// 1 for 377 accounts, 2 for 567, 0 otherwise.
int accountCountKind()
{
    db::Statement q = dataStatement("SELECT COUNT(*) FROM KAMOKUMST");
    q.execute();
    const int count = q.fetch() ? q.field(std::size_t{0}).asInt() : 0;
    return count == 377 ? 1 : count == 567 ? 2 : 0;
}

void markFixedAccounts()
{
    db::Statement q = dataStatement("UPDATE KAMOKUMST SET HOJOSW='×'\n"
                                    "WHERE KCODE IN \n"
                                    "(SELECT KCODE FROM ACCDEF2\n"
                                    "WHERE (KNAME='仮払消費税') OR (KNAME='仮受消費税')\n"
                                    "OR    (KNAME='前期繰越利益') OR (KNAME='諸口'))");
    q.execute();
}

struct BalanceRow {
    std::string scode, kcode, hcode, bcode;
    std::int64_t opening;   // scaled by 10,000
};

// The balance rows to write, in the order of the walk: balance-sheet rows
// (the owner's accounts of an individual apart when the data begins with
// the year), and profit-and-loss rows only when the data begins later.
std::vector<BalanceRow> openingRows()
{
    const bool fromFirstMonth = AccInf.KAISINO == 1;
    const bool individual = AccInf.DATATYPE == 2;
    const std::array owners{AccInf.SysKCode[SysJigyounushiKasi], AccInf.SysKCode[SysJigyounushiKari],
                            AccInf.SysKCode[SysMotoirekin]};
    db::Statement q = dataStatement("SELECT S.SCODE,S.KCODE,S.HCODE,S.BCODE,S.KAISIZAN,K.BPFLG\n"
                                    "FROM KAMOKU_SZ S JOIN KAMOKUMST K ON K.KCODE=S.KCODE\n"
                                    "ORDER BY K.GROUPM0,S.SCODE,S.KCODE,S.HCODE,S.BCODE");
    q.execute();
    std::vector<BalanceRow> rows;
    while (q.fetch()) {
        const std::string kind = q.field("BPFLG").isNull() ? "" : q.field("BPFLG").asString();
        const std::string kcode = q.field("KCODE").asString();
        if (kind == "B") {
            bool owner = false;
            for (const auto& code : owners)
                owner = owner || (!code.empty() && code == kcode);
            if (individual && fromFirstMonth && owner)
                continue;
        } else if (kind == "P") {
            if (fromFirstMonth)
                break;
        } else {
            continue;
        }
        rows.push_back({q.field("SCODE").asString(), kcode, q.field("HCODE").asString(), q.field("BCODE").asString(),
                        q.field("KAISIZAN").isNull() ? std::int64_t{0} : q.field("KAISIZAN").asCurrency()});
    }
    return rows;
}

void writeOpeningBalances()
{
    const std::vector<BalanceRow> rows = openingRows();
    db::Statement u = dataStatement("UPDATE KAMOKU_PZ SET NUKIZAN=:NUKIZAN,ZEIGAKU=0\n"
                                    "WHERE SCODE=:SCODE AND KCODE=:KCODE AND HCODE=:HCODE AND BCODE=:BCODE "
                                    "AND MNUM=:MNUM");
    const int period = PeriodBefore(AccInf.KAISINO);
    for (const auto& row : rows) {
        u.param("NUKIZAN").setCurrency(row.opening);
        u.param("SCODE").setString(row.scode);
        u.param("KCODE").setString(row.kcode);
        u.param("HCODE").setString(row.hcode);
        u.param("BCODE").setString(row.bcode);
        u.param("MNUM").setInt(period);
        u.execute();
    }
}

} // namespace

int PeriodBefore(int month)
{
    static constexpr std::array<int, 12> periods{0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14};
    return month >= 1 && month <= 12 ? periods[static_cast<std::size_t>(month - 1)] : 0;
}

void SetUpdateRec(TDbUpdateListRec& rec)
{
    part_file_step::FillRec(rec, 3, 0, 6, DoUpdate, "医療法人データの既定科目数の増加 他",
                            "１）医療法人データの既定の科目数を増やします。");
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = part_file_step::DataScheme(3, 0, 6, 2);
    s.RecordFirst = false;
    auto countKind = std::make_shared<int>(0);
    s.PreWork = [countKind] {
        const bool medical = AccInf.IsIryou != 0;
        part_file_step::WithOpenDataSet([&] {
            *countKind = medical ? accountCountKind() : 0;
            if (medical)
                markFixedAccounts();
            if (AccInf.CONVERT == 1)
                writeOpeningBalances();
        });
        return std::int32_t{UpdateDone};
    };
    s.UsePart = [countKind](const std::string& name) { return part_file_step::PartNumber(name) == *countKind; };
    return s;
}

std::int32_t DoUpdate()
{
    return part_file_step::RunPartFileStep(Scheme());
}

} // namespace vq::z5UserDbUpdate306
