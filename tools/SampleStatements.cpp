#include "tools/SampleStatements.h"

#include <array>
#include <cstdint>
#include <string>

#include "tools/SqlText.h"

namespace vq::tools {

namespace {

using Yen = std::int64_t;

std::string n(Yen value) { return std::to_string(value); }

SampleEntry entry(int month, int day, const std::string& debit, const std::string& debitSub,
                  const std::string& credit, const std::string& creditSub, Yen amount, TaxKind tax,
                  const std::string& text)
{
    return {month, day, false, debit, debitSub, credit, creditSub, amount, tax, text};
}

SampleEntry yearEnd(const std::string& debit, const std::string& credit, Yen amount, const std::string& text)
{
    return {12, 31, true, debit, {}, credit, {}, amount, TaxKind::None, text};
}

Yen debits(const SampleDataSet& s, const std::string& account)
{
    Yen sum = 0;
    for (const auto& e : s.entries)
        if (e.debit == account)
            sum += e.amount;
    return sum;
}

// The tax accountant of the office, as every client's return names him.
const char* const kAccountant = "'鈴木税理士事務所', '新宿区西新宿2-8-1'";

// The monthly table of hand-entered statements (REC 1..12 the months, 13
// household consumption, 14 miscellaneous income, 16 the reduced rate).
std::string uriageRow(int rec, Yen sales, Yen purchases)
{
    return "INSERT INTO AO_URIAGE (REC, URIAGE, SIIRE) VALUES (" + n(rec) + ", " + n(sales) + ", " + n(purchases) + ");";
}

} // namespace

void addGeneralStatement(SampleDataSet& s)
{
    // A shelf of snacks and drinks beside the stationery sells at the
    // reduced rate; the tax accountant is paid each quarter and the van
    // has a monthly parking space.
    for (int m = 1; m <= 12; ++m) {
        s.entries.push_back(entry(m, 16, "1110", {}, "4110", {}, 16000 + 1500 * (m % 4), TaxKind::Sales8,
                                  "菓子・飲料売上"));
        s.entries.push_back(entry(m, 27, "6270", {}, "1130", "001", 11000, TaxKind::Purchase10, "月極駐車場代"));
    }
    for (int m : {3, 6, 9, 12})
        s.entries.push_back(entry(m, 10, "6280", {}, "1130", "001", 82500, TaxKind::Purchase10, "税理士報酬"));

    // The monthly sales and purchases as the return shows them, from the
    // journal (amounts include tax).
    std::array<Yen, 17> sales{}, purchases{};
    for (const auto& e : s.entries) {
        const int m = e.yearEnd ? 12 : e.month;
        if (e.credit == "4110") {
            sales[m] += e.amount;
            if (e.tax == TaxKind::Sales8)
                sales[16] += e.amount;
        }
        if (e.credit == "4120")
            sales[13] += e.amount;
        if (e.credit == "4130")
            sales[14] += e.amount;
        if (e.debit == "5210") {
            purchases[m] += e.amount;
            if (e.tax == TaxKind::Purchase8)
                purchases[16] += e.amount;
        }
    }
    for (int rec = 1; rec <= 16; ++rec)
        if (rec != 15)
            s.extraSql.push_back(uriageRow(rec, sales[static_cast<std::size_t>(rec)],
                                           purchases[static_cast<std::size_t>(rec)]));

    const Yen interest = debits(s, "6260");
    s.extraSql.insert(s.extraSql.end(), {
        "UPDATE AO_SINKOKU SET K8_KISAI = 1, ZEIRISI_SIMEI2 = '鈴木税理士事務所' WHERE REC = 1;",
        "UPDATE AO_RISI SET RISI = " + n(interest) + ", KEIHI = " + n(interest) + " WHERE REC = 1;",
        "INSERT INTO AO_TIDAI (REC, SIHARAISAKI1, SIHARAISAKI2, BUKKEN1, BUKKEN2, TINRYOU, KEIHI) "
        "VALUES (2, '阿佐谷パーキング', '杉並区阿佐谷南1-5-2', '駐車場', '１台', 132000, 132000);",
        std::string("INSERT INTO AO_HOUSHU (REC, SIHARAISAKI1, SIHARAISAKI2, HOUSHU, KEIHI, GENSEN) VALUES (1, ") +
            kAccountant + ", 330000, 330000, 30630);",
        "INSERT INTO AO_NOTE (REC, NOTE) VALUES (2, '菓子・飲料の販売は軽減税率の対象である。');",
        "INSERT INTO AO_NOTE (REC, NOTE) VALUES (3, '令和６年１２月、店舗の空調を修理した。');",
    });
}

void addRealEstateStatement(SampleDataSet& s)
{
    s.entries.push_back(entry(12, 20, "6190", {}, "1130", "001", 110000, TaxKind::Purchase10, "税理士報酬"));
    const Yen interest = debits(s, "6150");

    // Six rooms and the parking; room 202 stood empty in April and May. Some
    // leases keep their start as a date, others as year in the era and month.
    struct Room {
        int number;
        const char* kubun;
        const char* youto;
        const char* place;
        const char* tenant;
        const char* start;  // a date, or "" when only the era month is kept
        int startYear, startMonth, endYear, endMonth;
        const char* area;
        Yen monthly, yearly, reikin, kousin, sikikin;
    };
    const Room rooms[] = {
        {1, "建物", "住宅", "埼玉県川口市本町四丁目５番６号メゾン佐藤101", "川口市本町4-5-6-101 高橋 健", "2021-04-01",
         0, 0, 9, 3, "40.50", 68000, 816000, 0, 0, 136000},
        {2, "建物", "住宅", "埼玉県川口市本町四丁目５番６号メゾン佐藤102", "川口市本町4-5-6-102 伊藤 由美", "", 5, 10,
         7, 9, "40.50", 68000, 816000, 0, 0, 136000},
        {3, "建物", "住宅", "埼玉県川口市本町四丁目５番６号メゾン佐藤103", "川口市本町4-5-6-103 渡辺 誠", "2020-09-01",
         0, 0, 8, 8, "40.50", 68000, 816000, 0, 68000, 136000},
        {4, "建物", "住宅", "埼玉県川口市本町四丁目５番６号メゾン佐藤201", "川口市本町4-5-6-201 小林 さくら", "", 4, 3,
         8, 2, "40.50", 68000, 816000, 0, 68000, 136000},
        {5, "建物", "住宅", "埼玉県川口市本町四丁目５番６号メゾン佐藤202", "川口市本町4-5-6-202 加藤 翔太", "2024-06-01",
         0, 0, 8, 5, "40.50", 68000, 680000, 68000, 0, 136000},
        {6, "建物", "住宅", "埼玉県川口市本町四丁目５番６号メゾン佐藤203", "川口市本町4-5-6-203 吉田 直子", "", 5, 4,
         7, 3, "40.50", 68000, 816000, 0, 0, 136000},
        {7, "土地", "駐車場", "埼玉県川口市本町四丁目５番６号", "月極駐車場（８台）", "", 5, 4, 0, 0, "120.00", 88000,
         1056000, 0, 0, 0},
    };
    s.extraSql.push_back("DELETE FROM AO_FUDOUSAN;");
    for (const auto& r : rooms)
        s.extraSql.push_back(
            "INSERT INTO AO_FUDOUSAN (REC, NUMBER, KUBUN, YOUTO, SHOZAITI, TINSYAKU, KAISI_YY, KAISI_MM, SHUURYOU_YY, "
            "SHUURYOU_MM, MENSEKI, GETUGAKU, NENGAKU, REIKIN, KOUSINRYOU, SIKIKIN, FTINSYAKU_KAISI) VALUES (" +
            n(r.number) + ", " + n(r.number) + ", " + sqlText(r.kubun) + ", " + sqlText(r.youto) + ", " +
            sqlText(r.place) + ", " + sqlText(r.tenant) + ", " + n(r.startYear) + ", " + n(r.startMonth) + ", " +
            n(r.endYear) + ", " + n(r.endMonth) + ", " + r.area + ", " + n(r.monthly) + ", " + n(r.yearly) + ", " +
            n(r.reikin) + ", " + n(r.kousin) + ", " + n(r.sikikin) + ", " +
            (*r.start ? sqlText(r.start) : std::string("NULL")) + ");");
    s.extraSql.insert(s.extraSql.end(), {
        "UPDATE AO_SINKOKU SET ZEIRISI_SIMEI2 = '鈴木税理士事務所', FUSAIRISI = 0 WHERE REC = 1;",
        "UPDATE AO_RISI SET RISI = " + n(interest) + ", KEIHI = " + n(interest) + " WHERE REC = 1;",
        std::string("INSERT INTO AO_HOUSHU (REC, SIHARAISAKI1, SIHARAISAKI2, HOUSHU, KEIHI, GENSEN) VALUES (1, ") +
            kAccountant + ", 110000, 110000, 10210);",
        "INSERT INTO AO_NOTE (REC, NOTE) VALUES (1, '２０２号室は令和６年４月・５月が空室であった。');",
        "INSERT INTO AO_NOTE (REC, NOTE) VALUES (2, '令和６年４月、退去後の原状回復工事を行った。');",
    });
}

void addAgricultureStatement(SampleDataSet& s)
{
    s.entries.push_back(entry(12, 15, "6290", {}, "1130", "001", 110000, TaxKind::Purchase10, "税理士報酬"));
    const Yen interest = debits(s, "6240");
    s.extraSql.insert(s.extraSql.end(), {
        "UPDATE AO_SINKOKU SET ZEIRISI_SIMEI2 = '鈴木税理士事務所', KURIIRE2 = 420000, HASUU = 0 WHERE REC = 1;",
        "INSERT INTO AO_SYUNYU (REC, ITEM, KUBUN1, MENSEKI) VALUES (4, 'NOUSANKEI', '計', 165);",
        "INSERT INTO AO_SYUNYU (REC, ITEM, KUBUN1, KUBUN2, SYUUKAKURYO, HANBAIGAKU) "
        "VALUES (5, 'TIKUSAN', '鶏卵', '（平飼い）', 1800, 120000);",
        "INSERT INTO AO_SYUNYU_ZASHUU (REC, KUBUN, KINGAKU) VALUES (2, '作業受託収入', 60000);",
        "INSERT INTO AO_NOUSANBUTUIGAI (REC, ITEM, KUBUN, KISHU_SURYO, KISHU_TANI, KISHU_KINGAKU, KIMATU_SURYO, "
        "KIMATU_TANI, KIMATU_KINGAKU) VALUES (1, 'MISYUKAKU', '麦（播種済）', 0, 'a', 0, 20, 'a', 48000);",
        "INSERT INTO AO_NOUSANBUTUIGAI (REC, ITEM, KUBUN, KISHU_SURYO, KISHU_TANI, KISHU_KINGAKU, KIMATU_SURYO, "
        "KIMATU_TANI, KIMATU_KINGAKU) VALUES (2, 'SYUBYOU', '肥料', 30, '袋', 54000, 22, '袋', 39600);",
        "INSERT INTO AO_NOUSANBUTUIGAI (REC, ITEM, KUBUN, KISHU_SURYO, KISHU_TANI, KISHU_KINGAKU, KIMATU_SURYO, "
        "KIMATU_TANI, KIMATU_KINGAKU) VALUES (3, 'SYUBYOU', '農薬', 12, '本', 36000, 8, '本', 24000);",
        "INSERT INTO AO_NOUSANBUTUIGAI (REC, ITEM, KUBUN, KISHU_SURYO, KISHU_TANI, KISHU_KINGAKU, KIMATU_SURYO, "
        "KIMATU_TANI, KIMATU_KINGAKU) VALUES (4, 'SONOTA', 'ハウス資材', 1, '式', 25000, 1, '式', 18000);",
        "INSERT INTO AO_YATOININHI (REC, SIMEI, NISUU, SIKYU_GENKIN, SIKYU_GENBUTU, SIKYU_GOKEI, GENSENZEIGAKU) "
        "VALUES (2, '田植え手伝い', 4, 40000, 10000, 0, 0);",
        "INSERT INTO AO_KAJYU (REC, MEISHOU1, MEISHOU2, SYUTOKUHIZUKE_YY, SYUTOKUHIZUKE_MM, SYUTOKUHIZUKE_DD, "
        "ZENNENKURIKOSIGAKU, IKUSEI_SYUBYOUHI, IKUSEI_HIRYOUHI, IKUSEI_SYUNYUGAKU, SYUTOKUGAKU) "
        "VALUES (1, 'ぶどう', 'シャインマスカット', 'R04', '03', '15', 180000, 20000, 30000, 0, 0);",
        "INSERT INTO AO_KAJYU (REC, MEISHOU1, MEISHOU2, SYUTOKUHIZUKE_YY, SYUTOKUHIZUKE_MM, SYUTOKUHIZUKE_DD, "
        "ZENNENKURIKOSIGAKU, IKUSEI_SYUBYOUHI, IKUSEI_HIRYOUHI, IKUSEI_SYUNYUGAKU, SYUTOKUGAKU) "
        "VALUES (2, '梨', '（幸水）', 'H30', '11', '20', 420000, 10000, 25000, 15000, 440000);",
        "INSERT INTO AO_KAJYU_KEISAN (REC, KEISANHOUHOU) VALUES (1, '育成費用は種苗費・肥料費の実額による。');",
        "INSERT INTO AO_KAJYU_KEISAN (REC, KEISANHOUHOU) VALUES (2, '梨は令和６年に成熟し、取得価額に振り替えた。');",
        "INSERT INTO AO_TIDAI_CHINSHAKU (REC, JYUSHO1, JYUSHO2, KOSAKURYO, MENSEKI, SHIHARAIGAKU) "
        "VALUES (1, '宇都宮市雀宮町7-12', '田中 一夫', '小作料', 30, 150000);",
        "UPDATE OR INSERT INTO AO_RISI (REC, SIHARAISAKI1, SIHARAISAKI2, KIMATU, RISI, KEIHI) VALUES (1, '宇都宮農業協同組合', "
        "'雀宮支店', 1200000, " + n(interest) + ", " + n(interest) + ");",
        std::string("INSERT INTO AO_HOUSHU (REC, SIHARAISAKI1, SIHARAISAKI2, HOUSHU, KEIHI, GENSEN) VALUES (1, ") +
            kAccountant + ", 110000, 110000, 10210);",
        "INSERT INTO AO_NOTE (REC, NOTE) VALUES (1, '夏の高温によりトマトの出荷量が減少した。');",
        "INSERT INTO AO_NOTE (REC, NOTE) VALUES (2, '水田３０アールを借り受けて作付けした。');",
    });
}

SampleDataSet handEnteredGeneralSample(int slot)
{
    SampleDataSet s;
    s.slot = slot;
    s.codeType = 1;
    s.dataCode = "0005";
    s.listName = s.shougou = "青葉ベーカリー";
    s.kana = "ｱｵﾊﾞﾍﾞｰｶﾘｰ";
    s.post = "980-0811";
    s.address = "宮城県仙台市青葉区一番町二丁目３番４号";
    s.tel = "022-211-0000";
    s.owner = "青葉 俊介";
    s.ownerKana = "ｱｵﾊﾞ ｼｭﾝｽｹ";
    s.business = "パン製造小売業";
    s.occupation = "製造小売業";
    s.capitalAccount = "3120";

    s.lines = {
        {1, "1100", 1, "現金"}, {2, "1100", 4, "その他の預金"}, {3, "1100", 6, "売掛金"},
        {4, "1100", 8, "棚卸資産"}, {5, "1100", 17, "仮払消費税"}, {6, "1100", 15, "工具器具備品"}, {7, "1100", 24, "事業主貸"},
        {8, "2100", 2, "買掛金"}, {9, "2100", 3, "借入金"}, {10, "2100", 4, "未払金"}, {11, "2100", 7, "仮受消費税"},
        {12, "2100", 22, "事業主借"}, {13, "2100", 23, "元入金"},
        {14, "4100", 1, "売上（収入）金額"}, {15, "4100", 2, "家事消費等"}, {16, "4100", 3, "雑収入"},
        {17, "5100", 1, "期首商品棚卸高"}, {18, "5200", 1, "仕入金額"}, {19, "5300", 1, "期末商品棚卸高"},
        {20, "5510", 1, "期首原材料棚卸高"}, {21, "5520", 1, "原材料仕入高"}, {22, "5530", 1, "期末原材料棚卸高"},
        {23, "5600", 1, "労務費"}, {24, "5700", 2, "電力費"}, {25, "5700", 5, "減価償却費"},
        {26, "5810", 1, "期首半製品・仕掛品棚卸高"}, {27, "5820", 1, "期末半製品・仕掛品棚卸高"},
        {28, "6100", 1, "租税公課"}, {29, "6100", 3, "水道光熱費"}, {30, "6100", 5, "通信費"},
        {31, "6100", 8, "損害保険料"}, {32, "6100", 10, "消耗品費"}, {33, "6100", 13, "給料賃金"},
        {34, "6100", 15, "利子割引料"}, {35, "6100", 16, "地代家賃"},
        {98, "7100", 1, "貸倒引当金"}, {99, "7200", 1, "専従者給与"},
    };
    s.accounts = {
        {"1110", "現金", "1110", 1, 1, 150000},
        {"1130", "普通預金", "1110", 1, 2, 0},
        {"1210", "売掛金", "1130", 1, 3, 80000},
        {"1310", "製品", "1210", 1, 4, 60000},
        {"1320", "原材料", "1210", 1, 4, 40000},
        {"1420", "仮払消費税", "1310", 1, 5, 0},
        {"1530", "工具器具備品", "1510", 1, 6, 900000},
        {"1910", "事業主貸", "1890", 1, 7, 0},
        {"2110", "買掛金", "2110", 3, 8, 90000},
        {"2120", "未払金", "2110", 3, 10, 50000},
        {"2140", "仮受消費税", "2110", 3, 11, 0},
        {"2210", "長期借入金", "2210", 3, 9, 1000000},
        {"3110", "事業主借", "3710", 3, 12, 0},
        {"3120", "元入金", "3710", 3, 13, 0},
        {"4110", "売上高", "4110", 3, 14, 0},
        {"4120", "家事消費", "4120", 3, 15, 0},
        {"4130", "雑収入", "4130", 3, 16, 0},
        {"5110", "期首製品棚卸高", "5310", 1, 17, 0},
        {"5210", "仕入高", "5320", 1, 18, 0},
        {"5310", "期末製品棚卸高", "5330", 2, 19, 0},
        {"5510", "期首原材料棚卸高", "5510", 1, 20, 0},
        {"5520", "原材料仕入高", "5520", 1, 21, 0},
        {"5530", "期末原材料棚卸高", "5530", 2, 22, 0},
        {"5610", "労務費", "5610", 1, 23, 0},
        {"5710", "電力費", "5710", 1, 24, 0},
        {"5720", "減価償却費（製造）", "5710", 1, 25, 0},
        {"6110", "租税公課", "6110", 1, 28, 0},
        {"6130", "水道光熱費", "6110", 1, 29, 0},
        {"6150", "通信費", "6110", 1, 30, 0},
        {"6180", "損害保険料", "6110", 1, 31, 0},
        {"6210", "消耗品費", "6110", 1, 32, 0},
        {"6240", "給料賃金", "6110", 1, 33, 0},
        {"6260", "利子割引料", "6110", 1, 34, 0},
        {"6270", "地代家賃", "6110", 1, 35, 0},
        {"7210", "専従者給与", "7210", 1, 99, 0},
    };
    s.subAccounts = {{"1130", "001", "七十七銀行", 1200000}};

    // The bakery's own books are thin (takings, flour, wages and rent month
    // by month); the accountant entered the statement by hand.
    const Yen takings[12] = {720000, 700000, 820000, 810000, 830000, 780000,
                             760000, 790000, 800000, 820000, 830000, 940000};
    for (int m = 1; m <= 12; ++m) {
        const Yen day = takings[m - 1];
        s.entries.push_back(entry(m, 28, "1110", {}, "4110", {}, day * 85 / 100, TaxKind::Sales8, "パン売上（持帰り）"));
        s.entries.push_back(entry(m, 28, "1110", {}, "4110", {}, day * 15 / 100, TaxKind::Sales10, "カフェ売上"));
        s.entries.push_back(entry(m, 29, "1130", "001", "1110", {}, day - 30000, TaxKind::None, "売上金預入"));
        s.entries.push_back(entry(m, 10, "5520", {}, "1130", "001", day * 27 / 100, TaxKind::Purchase8,
                                  "小麦粉・バター等"));
        s.entries.push_back(entry(m, 12, "5210", {}, "1130", "001", 50000, TaxKind::Purchase8, "飲料仕入"));
        s.entries.push_back(entry(m, 25, "5610", {}, "1130", "001", 50000, TaxKind::None, "製造補助パート給与"));
        s.entries.push_back(entry(m, 20, "5710", {}, "1130", "001", 15000, TaxKind::Purchase10, "オーブン電気料金"));
        s.entries.push_back(entry(m, 20, "6130", {}, "1130", "001", 20000, TaxKind::Purchase10, "水道光熱費"));
        s.entries.push_back(entry(m, 26, "6150", {}, "1130", "001", 7000, TaxKind::Purchase10, "電話料金"));
        s.entries.push_back(entry(m, 8, "6210", {}, "1110", {}, 19000, TaxKind::Purchase10, "包装資材"));
        s.entries.push_back(entry(m, 25, "6240", {}, "1130", "001", 50000, TaxKind::None, "販売パート給与"));
        s.entries.push_back(entry(m, 20, "6260", {}, "1130", "001", 2000, TaxKind::None, "借入金利息"));
        s.entries.push_back(entry(m, 20, "2210", {}, "1130", "001", 16000, TaxKind::None, "借入金返済"));
        s.entries.push_back(entry(m, 27, "6270", {}, "1130", "001", 26000, TaxKind::Purchase10, "店舗家賃"));
        s.entries.push_back(entry(m, 25, "7210", {}, "1130", "001", 80000, TaxKind::None, "専従者給与（妻）"));
        s.entries.push_back(entry(m, 1, "1910", "", "1130", "001", 190000, TaxKind::None, "生活費"));
    }
    s.entries.push_back(entry(4, 30, "6110", {}, "1130", "001", 120000, TaxKind::None, "個人事業税・印紙"));
    s.entries.push_back(entry(6, 10, "6180", {}, "1130", "001", 45000, TaxKind::None, "店舗保険料"));
    s.entries.push_back(entry(12, 28, "1910", {}, "4120", {}, 24000, TaxKind::Sales8, "家事消費"));
    s.entries.push_back(yearEnd("5110", "1310", 60000, "期首製品棚卸高振替"));
    s.entries.push_back(yearEnd("1310", "5310", 70000, "期末製品棚卸高"));
    s.entries.push_back(yearEnd("5510", "1320", 40000, "期首原材料振替"));
    s.entries.push_back(yearEnd("1320", "5530", 50000, "期末原材料"));
    s.entries.push_back(yearEnd("5720", "1530", 180000, "減価償却費（オーブン）"));

    // The statement as the accountant entered it: balance-sheet lines with
    // opening and closing, profit-and-loss lines with their amount.
    struct Hand {
        int rec;
        Yen opening, closing;
    };
    const Hand hand[] = {
        {1, 150000, 180000},   {2, 1200000, 1650000}, {3, 80000, 95000},     {4, 100000, 120000},
        {6, 900000, 720000},   {7, 0, 2390000},       {8, 90000, 110000},    {9, 1000000, 800000},
        {10, 50000, 60000},    {12, 0, 30000},        {13, 1290000, 1290000},
        {17, 0, 60000},        {19, 0, 70000},        {20, 0, 40000},        {21, 0, 2600000},
        {22, 0, 50000},        {23, 0, 600000},       {24, 0, 180000},       {25, 0, 180000},
        {28, 0, 120000},       {29, 0, 240000},       {30, 0, 85000},        {31, 0, 45000},
        {32, 0, 230000},       {33, 0, 600000},       {34, 0, 24000},        {35, 0, 321000},
        {99, 0, 960000},
    };
    for (const auto& h : hand)
        s.extraSql.push_back("UPDATE EXTERKS SET AO_KISHUZAN = " + n(h.opening) + ", AO_KIMATUZAN = " + n(h.closing) +
                             " WHERE REC = " + n(h.rec) + ";");
    const Yen sales[12] = {720000, 700000, 820000, 810000, 830000, 780000, 760000, 790000, 800000, 820000, 830000, 940000};
    const Yen purchases[12] = {240000, 233000, 273000, 270000, 277000, 260000,
                               253000, 263000, 267000, 273000, 277000, 314000};
    for (int m = 1; m <= 12; ++m)
        s.extraSql.push_back(uriageRow(m, sales[m - 1], purchases[m - 1]));
    s.extraSql.push_back(uriageRow(13, 24000, 0));
    s.extraSql.push_back(uriageRow(14, 6000, 0));
    s.extraSql.push_back(uriageRow(16, 8200000, 2400000));
    s.extraSql.insert(s.extraSql.end(), {
        "UPDATE ACCDEF1 SET GENKA_USE = 1 WHERE REC = 1;",
        "INSERT INTO AO_SINKOKU (REC, ZEIRISI_ADD1, ZEIRISI_ADD2, ZEIRISI_SIMEI1, ZEIRISI_SIMEI2, ZEIRISI_TEL, "
        "GYOUSHUKUBUN, KURIIRE2, HASUU, KOUJOKUBUN, KOUJO6, HIZUKE, TEGAKI, K8_KISAI) VALUES (1, "
        "'東京都新宿区西新宿二丁目', '８番１号', '鈴木 一郎', '鈴木税理士事務所', '03-5321-0000', 1, 95000, 2, 0, "
        "0, '2025-03-12', 1, 1);",
        "INSERT INTO AO_KYUUYO (REC, NUMBER, SENJYU, SIMEI, NENREI, TUKISUU, KYUUYO, SHOUYO, GENSEN) "
        "VALUES (1, 1, 0, '佐々木 恵', 41, 12, 600000, 0, 0);",
        "INSERT INTO AO_KYUUYO (REC, NUMBER, SENJYU, SIMEI, NENREI, TUKISUU, KYUUYO, SHOUYO, GENSEN) "
        "VALUES (2, 2, 0, '村上 大輔', 23, 12, 600000, 0, 0);",
        "INSERT INTO AO_KYUUYO (REC, NUMBER, SENJYU, SIMEI, TUZUKIGARA, NENREI, TUKISUU, KYUUYO, SHOUYO, GENSEN) "
        "VALUES (3, 1, 1, '青葉 美和', '妻', 44, 12, 960000, 0, 0);",
        "UPDATE OR INSERT INTO AO_RISI (REC, SIHARAISAKI1, SIHARAISAKI2, KIMATU, RISI, KEIHI) "
        "VALUES (1, '七十七銀行', '一番町支店', 800000, 24000, 24000);",
        "INSERT INTO AO_TIDAI (REC, SIHARAISAKI1, SIHARAISAKI2, BUKKEN1, BUKKEN2, TINRYOU, KEIHI) "
        "VALUES (1, '一番町ビル株式会社', '仙台市青葉区一番町2-3-1', '店舗', '１階', 321000, 321000);",
        "INSERT INTO AO_NOTE (REC, NOTE) VALUES (1, '帳簿は売上・仕入のみ記帳し、決算書は手書きで作成した。');",
    });
    return s;
}

void addStatementSamples(std::vector<SampleDataSet>& sets)
{
    bool generalDone = false;
    for (auto& set : sets) {
        if (set.codeType == 1 && !generalDone) {
            addGeneralStatement(set);
            generalDone = true;
        } else if (set.codeType == 2) {
            addRealEstateStatement(set);
        } else if (set.codeType == 4) {
            addAgricultureStatement(set);
        }
    }
    sets.push_back(handEnteredGeneralSample(HandEnteredSampleSlot));
}

} // namespace vq::tools
