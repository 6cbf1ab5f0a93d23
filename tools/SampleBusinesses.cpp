#include "tools/SampleBusinesses.h"

#include <map>
#include <random>

namespace vq::tools {

namespace {

using Yen = std::int64_t;

// Builds a year of entries and keeps the running balances the entries need
// (collections follow sales, payments follow purchases). Amounts vary by a
// fixed-seed generator, so every run makes the same data set.
class Book {
public:
    explicit Book(unsigned seed) : rng_(seed) {}

    void add(int month, int day, const std::string& debit, const std::string& credit, Yen amount, TaxKind tax,
             const std::string& text, const std::string& debitSub = {}, const std::string& creditSub = {})
    {
        entries.push_back({month, day, false, debit, debitSub, credit, creditSub, amount, tax, text});
    }
    void yearEnd(const std::string& debit, const std::string& credit, Yen amount, const std::string& text)
    {
        entries.push_back({12, 31, true, debit, {}, credit, {}, amount, TaxKind::None, text});
    }

    // base varied by up to +-percent, rounded to 100 yen.
    Yen around(Yen base, int percent)
    {
        std::uniform_int_distribution<int> spread(-percent, percent);
        const Yen value = base + base * spread(rng_) / 100;
        return value / 100 * 100;
    }

    std::vector<SampleEntry> entries;

private:
    std::mt19937 rng_;
};

// The further entries of a benchmark run are made one at a time when they
// are entered, never held together: entry i falls on the month 1 + i % 12,
// day 1 + (i / 12) % 28, and its amount varies by a hash of i, so every run
// makes the same entries whatever their number.
SampleEntry extra(int i, const char* debit, const char* credit, Yen amount, TaxKind tax, const char* text)
{
    return {1 + i % 12, 1 + (i / 12) % 28, false, debit, {}, credit, {}, amount, tax, text};
}

Yen varied(int i, Yen base, int percent)
{
    std::uint64_t x = static_cast<std::uint64_t>(i) + 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    x ^= x >> 31;
    const int spread = static_cast<int>(x % static_cast<std::uint64_t>(2 * percent + 1)) - percent;
    const Yen value = base + base * spread / 100;
    return value / 100 * 100;
}

// Busy and quiet months of a shop (1.0 an ordinary month).
const double kShopSeason[13] = {0, 0.8, 0.9, 1.5, 1.4, 0.9, 0.9, 0.8, 0.8, 1.0, 0.9, 1.0, 1.3};

// A client's particulars as the data list and the data set keep them. Every
// sample keeps its opening capital on 元入金 (3120).
struct Client {
    const char* dataCode;
    const char* name;  // the data list's name and the trade name
    const char* kana;
    const char* post;
    const char* address;
    const char* tel;
    const char* owner;
    const char* ownerKana;
    const char* business;
    const char* occupation;
};

SampleDataSet newSample(int slot, int codeType, const Client& c)
{
    SampleDataSet s;
    s.slot = slot;
    s.codeType = codeType;
    s.dataCode = c.dataCode;
    s.listName = c.name;
    s.shougou = c.name;
    s.kana = c.kana;
    s.post = c.post;
    s.address = c.address;
    s.tel = c.tel;
    s.owner = c.owner;
    s.ownerKana = c.ownerKana;
    s.business = c.business;
    s.occupation = c.occupation;
    s.capitalAccount = "3120";
    return s;
}

// The head of a fixed asset's row; each sample appends "(values);".
const std::string kAssetInsert =
    "INSERT INTO KS_SISAN (REC, SCODE, KANRI, KCODE, MEISYOU, SURYO, GSHOUHOU, SYUTODATE, SYUTOKIN, "
    "KISOKIN, KISYUMISYOUKIN, TAIYOUYY, SYOURITU, SYOUKIKANSTR, SYOUKIKANEND, FUTUSYOUKIN, SYOUKINKEI, "
    "MATUMISYOUKIN, TRANSKBN, TEKIYO) VALUES ";

} // namespace

SampleDataSet generalBusinessSample(int slot, int extraJournals)
{
    SampleDataSet s = newSample(slot, 1, {"0001", "さくら文具店", "ｻｸﾗﾌﾞﾝｸﾞﾃﾝ", "166-0004",
                                          "東京都杉並区阿佐谷南一丁目２番３号", "03-3311-0000",
                                          "山田 太郎", "ﾔﾏﾀﾞ ﾀﾛｳ", "文具小売業", "小売業"});

    s.lines = {
        {1, "1100", 1, "現金"}, {2, "1100", 4, "その他の預金"}, {3, "1100", 6, "売掛金"},
        {4, "1100", 8, "棚卸資産"}, {5, "1100", 9, "前払金"}, {6, "1100", 12, "建物附属設備"},
        {7, "1100", 14, "車両運搬具"}, {8, "1100", 15, "工具器具備品"}, {9, "1100", 17, "仮払消費税"},
        {10, "1100", 18, "敷金"}, {11, "1100", 24, "事業主貸"},
        {12, "2100", 2, "買掛金"}, {13, "2100", 3, "借入金"}, {14, "2100", 4, "未払金"},
        {15, "2100", 6, "預り金"}, {16, "2100", 7, "仮受消費税"}, {17, "2100", 14, "貸倒引当金"},
        {18, "2100", 22, "事業主借"}, {19, "2100", 23, "元入金"},
        {20, "4100", 1, "売上（収入）金額"}, {21, "4100", 2, "家事消費等"}, {22, "4100", 3, "雑収入"},
        {23, "5100", 1, "期首商品棚卸高"}, {24, "5200", 1, "仕入金額"}, {25, "5300", 1, "期末商品棚卸高"},
        {26, "6100", 1, "租税公課"}, {27, "6100", 2, "荷造運賃"}, {28, "6100", 3, "水道光熱費"},
        {29, "6100", 4, "旅費交通費"}, {30, "6100", 5, "通信費"}, {31, "6100", 6, "広告宣伝費"},
        {32, "6100", 7, "接待交際費"}, {33, "6100", 8, "損害保険料"}, {34, "6100", 9, "修繕費"},
        {35, "6100", 10, "消耗品費"}, {36, "6100", 11, "減価償却費"}, {37, "6100", 12, "福利厚生費"},
        {38, "6100", 13, "給料賃金"}, {39, "6100", 15, "利子割引料"}, {40, "6100", 16, "地代家賃"},
        {41, "6100", 18, "支払手数料"}, {42, "6100", 24, "雑費"},
        // Reversals and provisions are kept at 98 and above for this kind.
        {98, "7100", 1, "貸倒引当金"}, {99, "7200", 1, "専従者給与"}, {100, "7200", 2, "貸倒引当金"},
    };
    s.accounts = {
        {"1110", "現金", "1110", 1, 1, 85000},
        {"1130", "普通預金", "1110", 1, 2, 0},
        {"1210", "売掛金", "1130", 1, 3, 310000},
        {"1310", "商品", "1210", 1, 4, 780000},
        {"1410", "前払金", "1310", 1, 5, 0},
        {"1420", "仮払消費税", "1310", 1, 9, 0},
        {"1510", "建物附属設備", "1510", 1, 6, 721125},
        {"1520", "車両運搬具", "1510", 1, 7, 520000},
        {"1530", "工具器具備品", "1510", 1, 8, 420000},
        {"1710", "敷金", "1710", 1, 10, 300000},
        {"1910", "事業主貸", "1890", 1, 11, 0},
        {"2110", "買掛金", "2110", 3, 12, 420000},
        {"2120", "未払金", "2110", 3, 14, 65000},
        {"2130", "預り金", "2110", 3, 15, 10000},
        {"2140", "仮受消費税", "2110", 3, 16, 0},
        {"2210", "長期借入金", "2210", 3, 13, 1200000},
        {"2310", "貸倒引当金", "2310", 3, 17, 17050},
        {"3110", "事業主借", "3710", 3, 18, 0},
        {"3120", "元入金", "3710", 3, 19, 0},
        {"4110", "売上高", "4110", 3, 20, 0},
        {"4120", "家事消費", "4120", 3, 21, 0},
        {"4130", "雑収入", "4130", 3, 22, 0},
        {"5110", "期首商品棚卸高", "5310", 1, 23, 0},
        {"5210", "仕入高", "5320", 1, 24, 0},
        {"5310", "期末商品棚卸高", "5330", 2, 25, 0},
        {"6110", "租税公課", "6110", 1, 26, 0},
        {"6120", "荷造運賃", "6110", 1, 27, 0},
        {"6130", "水道光熱費", "6110", 1, 28, 0},
        {"6140", "旅費交通費", "6110", 1, 29, 0},
        {"6150", "通信費", "6110", 1, 30, 0},
        {"6160", "広告宣伝費", "6110", 1, 31, 0},
        {"6170", "接待交際費", "6110", 1, 32, 0},
        {"6180", "損害保険料", "6110", 1, 33, 0},
        {"6190", "修繕費", "6110", 1, 34, 0},
        {"6210", "消耗品費", "6110", 1, 35, 0},
        {"6220", "減価償却費", "6110", 1, 36, 0},
        {"6230", "福利厚生費", "6110", 1, 37, 0},
        {"6240", "給料賃金", "6110", 1, 38, 0},
        {"6260", "利子割引料", "6110", 1, 39, 0},
        {"6270", "地代家賃", "6110", 1, 40, 0},
        {"6280", "支払手数料", "6110", 1, 41, 0},
        {"6290", "雑費", "6110", 1, 42, 0},
        {"7110", "貸倒引当金戻入", "7110", 3, 98, 0},
        {"7210", "専従者給与", "7210", 1, 99, 0},
        {"7220", "貸倒引当金繰入", "7210", 1, 100, 0},
    };
    s.subAccounts = {
        {"1130", "001", "さくら信用金庫", 1250000},
        {"1130", "002", "中央銀行", 640000},
    };

    Book b(2024001);
    Yen receivable = 310000, payable = 420000, loan = 1200000, withheld = 10000;
    for (int m = 1; m <= 12; ++m) {
        const double season = kShopSeason[m];
        Yen sales = 0;
        for (int day : {6, 13, 20, 27}) {
            const Yen cash = b.around(static_cast<Yen>(330000 * season), 15);
            b.add(m, day, "1110", "4110", cash, TaxKind::Sales10, "店頭売上");
            sales += cash;
        }
        b.add(m, 28, "1130", "1110", sales - b.around(60000, 20), TaxKind::None, "売上金預入", "001");
        b.add(m, 15, "1130", "1210", receivable, TaxKind::None, "売掛金回収", "001");
        receivable = 0;
        for (int day : {10, 24}) {
            const Yen credit = b.around(static_cast<Yen>(150000 * season), 20);
            b.add(m, day, "1210", "4110", credit, TaxKind::Sales10, "学校・事務所向け売上");
            receivable += credit;
            sales += credit;
        }
        b.add(m, 25, "2110", "1130", payable, TaxKind::None, "買掛金支払", {}, "001");
        payable = 0;
        for (int day : {5, 15, 25}) {
            const Yen purchase = static_cast<Yen>(sales * 0.55 / 3) / 100 * 100;
            b.add(m, day, "5210", "2110", purchase, TaxKind::Purchase10, "文具問屋より仕入");
            payable += purchase;
        }
        b.add(m, 27, "6270", "1130", 132000, TaxKind::Purchase10, "店舗家賃", {}, "001");
        b.add(m, 18, "6130", "1130", b.around(m >= 7 && m <= 9 ? 31000 : 22000, 10), TaxKind::Purchase10,
              "電気・水道料金", {}, "001");
        b.add(m, 26, "6150", "1130", b.around(12800, 5), TaxKind::Purchase10, "電話・インターネット", {}, "001");
        b.add(m, 8, "6210", "1110", b.around(9000, 60), TaxKind::Purchase10, "店舗用消耗品");
        b.add(m, 22, "6210", "1110", b.around(6000, 60), TaxKind::Purchase10, "事務用品");
        b.add(m, 12, "6140", "1110", b.around(4200, 40), TaxKind::Purchase10, "仕入先訪問交通費");
        b.add(m, 19, "6120", "1110", b.around(5200, 30), TaxKind::Purchase10, "配送料");
        if (m % 3 == 0)
            b.add(m, 3, "6160", "1130", 33000, TaxKind::Purchase10, "チラシ作成・配布", {}, "001");
        if (m % 2 == 0)
            b.add(m, 17, "6170", "1110", b.around(14000, 40), TaxKind::Purchase10, "取引先接待");
        if (m % 2 == 1)
            b.add(m, 29, "6290", "1110", b.around(3000, 50), TaxKind::Purchase10, "雑費");
        b.add(m, 25, "6240", "1130", 185000, TaxKind::None, "パート給与", {}, "001");
        b.add(m, 25, "6240", "2130", 7500, TaxKind::None, "源泉所得税預り");
        b.add(m, 10, "2130", "1110", withheld, TaxKind::None, "源泉所得税納付");
        withheld = 7500;
        b.add(m, 25, "7210", "1130", 90000, TaxKind::None, "専従者給与（妻）", {}, "001");
        b.add(m, 1, "1910", "1130", 200000, TaxKind::None, "生活費", {}, "001");
        b.add(m, 25, "6280", "1130", 660, TaxKind::Purchase10, "振込手数料", {}, "001");
        b.add(m, 20, "6260", "1130", loan * 15 / 1000 / 12, TaxKind::None, "借入金利息", {}, "002");
        b.add(m, 20, "2210", "1130", 50000, TaxKind::None, "借入金返済", {}, "002");
        loan -= 50000;
    }
    b.add(1, 31, "2120", "1130", 65000, TaxKind::None, "未払金支払", {}, "001");
    b.add(3, 10, "6180", "1130", 48000, TaxKind::None, "店舗火災保険", {}, "001");
    b.add(3, 15, "1910", "1130", 168000, TaxKind::None, "所得税納付", {}, "001");
    b.add(3, 28, "6110", "1130", 182000, TaxKind::None, "消費税納付", {}, "001");
    b.add(6, 30, "6110", "1110", 2000, TaxKind::None, "収入印紙");
    b.add(8, 31, "6110", "1130", 19000, TaxKind::None, "個人事業税", {}, "001");
    b.add(11, 30, "6110", "1130", 19000, TaxKind::None, "個人事業税", {}, "001");
    b.add(7, 9, "6190", "1130", 27500, TaxKind::Purchase10, "空調修理", {}, "001");
    b.add(12, 20, "6230", "1110", 15000, TaxKind::Purchase10, "従業員忘年会");
    b.add(6, 20, "1130", "4130", 12, TaxKind::None, "預金利息", "001");
    b.add(12, 20, "1130", "4130", 13, TaxKind::None, "預金利息", "001");
    b.add(12, 28, "1910", "4120", 12000, TaxKind::Sales10, "家事消費");
    s.extraJournals = extraJournals;
    s.extraEntry = [](int i) {
        if (i % 2 == 0)
            return extra(i, "1110", "4110", varied(i, 3000, 50), TaxKind::Sales10, "店頭売上");
        return extra(i, "6210", "1110", varied(i, 1000, 50), TaxKind::Purchase10, "店舗用消耗品");
    };
    b.yearEnd("5110", "1310", 780000, "期首商品棚卸高振替");
    b.yearEnd("1310", "5310", 826000, "期末商品棚卸高");
    b.yearEnd("6220", "1510", 100500, "減価償却費（店舗内装）");
    b.yearEnd("6220", "1520", 260000, "減価償却費（軽バン）");
    b.yearEnd("6220", "1530", 120000, "減価償却費（レジ・陳列棚）");
    b.yearEnd("6130", "2120", 26400, "１２月分電気料金未払");
    b.yearEnd("2310", "7110", 17050, "貸倒引当金戻入");
    const Yen allowance = receivable * 55 / 1000;
    b.yearEnd("7220", "2310", allowance, "貸倒引当金繰入");
    s.entries = std::move(b.entries);

    s.extraSql = {
        "INSERT INTO AO_SINKOKU (REC, ZEIRISI_ADD1, ZEIRISI_ADD2, ZEIRISI_SIMEI1, ZEIRISI_TEL, GYOUSHUKUBUN, "
        "KURIIRE2, HASUU, KOUJOKUBUN, HIZUKE, TEGAKI) VALUES (1, '東京都新宿区西新宿二丁目', '８番１号',"
        " '鈴木 一郎', '03-5321-0000', 0, " + std::to_string(receivable) + ", 0, 2, '2025-03-10', 0);",
        "INSERT INTO AO_KYUUYO (REC, NUMBER, SENJYU, SIMEI, NENREI, TUKISUU, KYUUYO, SHOUYO, GENSEN) "
        "VALUES (1, 1, 0, '高橋 美咲', 34, 12, 2310000, 0, 90000);",
        "INSERT INTO AO_KYUUYO (REC, NUMBER, SENJYU, SIMEI, TUZUKIGARA, NENREI, TUKISUU, KYUUYO, SHOUYO, GENSEN) "
        "VALUES (2, 1, 1, '山田 花子', '妻', 52, 12, 1080000, 0, 0);",
        "INSERT INTO AO_TIDAI (REC, SIHARAISAKI1, SIHARAISAKI2, BUKKEN1, TINRYOU, KEIHI) "
        "VALUES (1, '株式会社杉並不動産', '杉並区阿佐谷南1-2-1', '店舗', 1584000, 1584000);",
        "UPDATE OR INSERT INTO AO_RISI (REC, SIHARAISAKI1, SIHARAISAKI2, KIMATU, RISI, KEIHI) "
        "VALUES (1, '中央銀行', '阿佐谷支店', " + std::to_string(loan) + ", 0, 0);",
        "INSERT INTO AO_NOTE (REC, NOTE) VALUES (1, '令和６年４月、新学期需要により売上が増加した。');",
        kAssetInsert + "(1, ' ', '0001', '1510', '店舗内装工事', 1, 1, '2016-04-01', "
        "1500000, 1500000, 721125, 15, 0.067, 1, 12, 100500, 100500, 620625, 0, '');",
        kAssetInsert + "(2, ' ', '0002', '1520', '軽バン', 1, 1, '2022-01-10', "
        "1040000, 1040000, 520000, 4, 0.250, 1, 12, 260000, 260000, 260000, 0, '配達用');",
        kAssetInsert + "(3, ' ', '0003', '1530', 'レジ・陳列棚', 1, 1, '2022-07-01', "
        "600000, 600000, 420000, 5, 0.200, 1, 12, 120000, 120000, 300000, 0, '');",
        "ALTER SEQUENCE KSSISAN_GEN RESTART WITH 3;",
    };
    return s;
}

SampleDataSet realEstateSample(int slot, int extraJournals)
{
    SampleDataSet s = newSample(slot, 2, {"0002", "メゾン佐藤", "ﾒｿﾞﾝｻﾄｳ", "332-0012",
                                          "埼玉県川口市本町四丁目５番６号", "048-222-0000",
                                          "佐藤 和子", "ｻﾄｳ ｶｽﾞｺ", "不動産賃貸業", "不動産賃貸業"});

    s.lines = {
        {1, "1100", 1, "現金"}, {2, "1100", 2, "普通預金"}, {3, "1100", 6, "未収賃貸料"},
        {4, "1100", 11, "建物"}, {5, "1100", 16, "土地"}, {6, "1100", 24, "事業主貸"},
        {7, "2100", 1, "借入金"}, {8, "2100", 3, "保証金・敷金"}, {9, "2100", 22, "事業主借"}, {10, "2100", 23, "元入金"},
        {11, "4100", 1, "賃貸料"}, {12, "4100", 2, "礼金・権利金・更新料"},
        {13, "6100", 1, "租税公課"}, {14, "6100", 2, "損害保険料"}, {15, "6100", 3, "修繕費"},
        {16, "6100", 4, "減価償却費"}, {17, "6100", 5, "借入金利子"}, {18, "6100", 8, "管理費"},
        {19, "6100", 9, "水道光熱費"}, {20, "6100", 13, "その他の経費"},
        // Provisions are kept at 64 and above for this kind.
        {21, "1100", 19, "仮払消費税"}, {22, "2100", 4, "仮受消費税"},
        {64, "7200", 1, "専従者給与"},
    };
    s.accounts = {
        {"1110", "現金", "1110", 1, 1, 30000},
        {"1130", "普通預金", "1110", 1, 2, 0},
        {"1220", "未収賃貸料", "1130", 1, 3, 68000},
        {"1510", "建物", "1510", 1, 4, 17225250},
        {"1540", "土地", "1510", 1, 5, 21500000},
        {"1420", "仮払消費税", "1310", 1, 21, 0},
        {"1910", "事業主貸", "1890", 1, 6, 0},
        {"2140", "仮受消費税", "2110", 3, 22, 0},
        {"2150", "預り敷金", "2110", 3, 8, 816000},
        {"2210", "長期借入金", "2210", 3, 7, 14600000},
        {"3110", "事業主借", "3710", 3, 9, 0},
        {"3120", "元入金", "3710", 3, 10, 0},
        {"4110", "受取家賃", "4110", 3, 11, 0},
        {"4120", "礼金・更新料", "4120", 3, 12, 0},
        {"6110", "租税公課", "6110", 1, 13, 0},
        {"6120", "損害保険料", "6110", 1, 14, 0},
        {"6130", "修繕費", "6110", 1, 15, 0},
        {"6140", "減価償却費", "6110", 1, 16, 0},
        {"6150", "借入金利子", "6110", 1, 17, 0},
        {"6170", "管理費", "6110", 1, 18, 0},
        {"6180", "水道光熱費", "6110", 1, 19, 0},
        {"6190", "雑費", "6110", 1, 20, 0},
        {"7210", "専従者給与", "7210", 1, 64, 0},
    };
    s.subAccounts = {{"1130", "001", "ひかり銀行", 2950000}};

    Book b(2024002);
    Yen loan = 14600000;
    b.add(1, 10, "1130", "1220", 68000, TaxKind::None, "１２月分家賃入金", "001");
    for (int m = 1; m <= 12; ++m) {
        const int rooms = (m == 4 || m == 5) ? 5 : 6;
        b.add(m, 27, "1130", "4110", 68000LL * rooms, TaxKind::ExemptSales, "居室家賃", "001");
        b.add(m, 27, "1130", "4110", 88000, TaxKind::Sales10, "駐車場賃料（８台）", "001");
        b.add(m, 5, "6170", "1130", 68000LL * rooms * 5 / 100 / 100 * 100, TaxKind::Purchase10, "管理会社手数料",
              {}, "001");
        b.add(m, 20, "6180", "1130", b.around(4200, 15), TaxKind::Purchase10, "共用部電気料金", {}, "001");
        b.add(m, 27, "6150", "1130", loan * 12 / 1000 / 12, TaxKind::None, "借入金利息", {}, "001");
        b.add(m, 27, "2210", "1130", 62000, TaxKind::None, "借入金返済", {}, "001");
        loan -= 62000;
        b.add(m, 25, "7210", "1130", 50000, TaxKind::None, "専従者給与（夫）", {}, "001");
        b.add(m, 1, "1910", "1130", 180000, TaxKind::None, "生活費", {}, "001");
        if (m % 2 == 1)
            b.add(m, 14, "6190", "1110", b.around(3000, 50), TaxKind::Purchase10, "共用部清掃用品");
    }
    for (int m : {2, 4, 7, 12})
        b.add(m, m == 12 ? 25 : 28, "6110", "1130", 93400, TaxKind::None, "固定資産税・都市計画税", {}, "001");
    b.add(3, 20, "2150", "1130", 136000, TaxKind::None, "退去者敷金返還", {}, "001");
    b.add(3, 25, "1130", "4120", 68000, TaxKind::ExemptSales, "更新料（２０２号室）", "001");
    b.add(4, 15, "6130", "1130", 132000, TaxKind::Purchase10, "原状回復工事", {}, "001");
    b.add(6, 1, "1130", "4120", 68000, TaxKind::ExemptSales, "礼金（２０２号室）", "001");
    b.add(6, 1, "1130", "2150", 136000, TaxKind::None, "敷金預り（２０２号室）", "001");
    b.add(8, 8, "6130", "1130", 55000, TaxKind::Purchase10, "給湯器修理", {}, "001");
    b.add(9, 25, "1130", "4120", 68000, TaxKind::ExemptSales, "更新料（１０３号室）", "001");
    b.add(10, 1, "6120", "1130", 86000, TaxKind::None, "火災保険料", {}, "001");
    s.extraJournals = extraJournals;
    s.extraEntry = [](int i) {
        return extra(i, "6190", "1110", varied(i, 500, 50), TaxKind::Purchase10, "雑費");
    };
    b.yearEnd("1220", "4110", 68000, "１２月分家賃未収");
    b.yearEnd("6140", "1510", 561000, "減価償却費（アパート）");
    s.entries = std::move(b.entries);

    s.extraSql = {
        "INSERT INTO AO_SINKOKU (REC, ZEIRISI_ADD1, ZEIRISI_ADD2, ZEIRISI_SIMEI1, ZEIRISI_TEL, KOUJOKUBUN, "
        "HIZUKE, TEGAKI) VALUES (1, '東京都新宿区西新宿二丁目', '８番１号', '鈴木 一郎', '03-5321-0000', 1, "
        "'2025-03-10', 0);",
        "INSERT INTO AO_KYUUYO (REC, NUMBER, SENJYU, SIMEI, TUZUKIGARA, NENREI, TUKISUU, KYUUYO, SHOUYO, GENSEN) "
        "VALUES (1, 1, 1, '佐藤 正夫', '夫', 67, 12, 600000, 0, 0);",
        "INSERT INTO AO_FUDOUSAN (REC, NUMBER, KUBUN, YOUTO, SHOZAITI, TINSYAKU, KAISI_YY, KAISI_MM, MENSEKI, "
        "GETUGAKU, NENGAKU, REIKIN, KOUSINRYOU, SIKIKIN) VALUES (1, 1, '建物', '住宅', '川口市本町4-5-6', "
        "'メゾン佐藤（６室）', 5, 4, 240, 408000, 4760000, 68000, 136000, 816000);",
        "INSERT INTO AO_FUDOUSAN (REC, NUMBER, KUBUN, YOUTO, SHOZAITI, TINSYAKU, KAISI_YY, KAISI_MM, MENSEKI, "
        "GETUGAKU, NENGAKU) VALUES (2, 2, '土地', '駐車場', '川口市本町4-5-6', '月極駐車場（８台）', 5, 4, 120, "
        "88000, 1056000);",
        "UPDATE OR INSERT INTO AO_RISI (REC, SIHARAISAKI1, SIHARAISAKI2, KIMATU, RISI, KEIHI) "
        "VALUES (1, 'ひかり銀行', '川口支店', " + std::to_string(loan) + ", 0, 0);",
        kAssetInsert + "(1, ' ', '0001', '1510', 'アパート建物', 1, 1, '2009-04-01', "
        "25500000, 25500000, 17225250, 47, 0.022, 1, 12, 561000, 561000, 16664250, 0, '木造２階建');",
        "ALTER SEQUENCE KSSISAN_GEN RESTART WITH 1;",
    };
    return s;
}

SampleDataSet agricultureSample(int slot, int extraJournals)
{
    SampleDataSet s = newSample(slot, 4, {"0003", "鈴木農園", "ｽｽﾞｷﾉｳｴﾝ", "321-0101",
                                          "栃木県宇都宮市雀宮町七丁目８番９号", "028-653-0000",
                                          "鈴木 健一", "ｽｽﾞｷ ｹﾝｲﾁ", "米・野菜作", "農業"});

    s.lines = {
        {1, "1100", 1, "現金"}, {2, "1100", 4, "その他の預金"}, {3, "1100", 5, "売掛金"},
        {4, "1100", 8, "農産物等"}, {5, "1100", 14, "建物・構築物"}, {6, "1100", 15, "農機具等"},
        {7, "1100", 24, "事業主貸"},
        {8, "2100", 2, "借入金"}, {9, "2100", 3, "未払金"}, {10, "2100", 22, "事業主借"}, {11, "2100", 23, "元入金"},
        {12, "4100", 1, "販売金額"}, {13, "4100", 2, "家事消費・事業消費金額"}, {14, "4100", 3, "雑収入"},
        {15, "5100", 1, "農産物の期首棚卸高"}, {16, "5300", 1, "農産物の期末棚卸高"},
        {17, "6100", 1, "租税公課"}, {18, "6100", 2, "種苗費"}, {19, "6100", 4, "肥料費"},
        {20, "6100", 6, "農具費"}, {21, "6100", 7, "農薬・衛生費"}, {22, "6100", 8, "諸材料費"},
        {23, "6100", 9, "修繕費"}, {24, "6100", 10, "動力光熱費"}, {25, "6100", 12, "農業共済掛金"},
        {26, "6100", 13, "減価償却費"}, {27, "6100", 14, "荷造運賃手数料"}, {28, "6100", 15, "雇人費"},
        {29, "6100", 16, "利子割引料"}, {30, "6100", 17, "地代・賃借料"}, {31, "6100", 23, "雑費"},
        // Provisions are kept at 79 and above for this kind.
        {32, "1100", 19, "仮払消費税"}, {33, "2100", 6, "仮受消費税"},
        {79, "7200", 1, "専従者給与"},
    };
    s.accounts = {
        {"1110", "現金", "1110", 1, 1, 120000},
        {"1130", "普通預金", "1110", 1, 2, 0},
        {"1210", "売掛金", "1130", 1, 3, 420000},
        {"1310", "農産物", "1210", 1, 4, 350000},
        {"1510", "建物", "1510", 1, 5, 1227150},
        {"1520", "機械装置", "1510", 1, 6, 2141400},
        {"1420", "仮払消費税", "1310", 1, 32, 0},
        {"1910", "事業主貸", "1890", 1, 7, 0},
        {"2120", "未払金", "2110", 3, 9, 0},
        {"2140", "仮受消費税", "2110", 3, 33, 0},
        {"2210", "長期借入金", "2210", 3, 8, 1500000},
        {"3110", "事業主借", "3710", 3, 10, 0},
        {"3120", "元入金", "3710", 3, 11, 0},
        {"4110", "販売金額", "4110", 3, 12, 0},
        {"4120", "家事消費", "4120", 3, 13, 0},
        {"4130", "雑収入", "4130", 3, 14, 0},
        {"5110", "期首農産物棚卸高", "5310", 1, 15, 0},
        {"5310", "期末農産物棚卸高", "5330", 2, 16, 0},
        {"6110", "租税公課", "6110", 1, 17, 0},
        {"6120", "種苗費", "6110", 1, 18, 0},
        {"6130", "肥料費", "6110", 1, 19, 0},
        {"6140", "農具費", "6110", 1, 20, 0},
        {"6150", "農薬衛生費", "6110", 1, 21, 0},
        {"6160", "諸材料費", "6110", 1, 22, 0},
        {"6170", "修繕費", "6110", 1, 23, 0},
        {"6180", "動力光熱費", "6110", 1, 24, 0},
        {"6190", "農業共済掛金", "6110", 1, 25, 0},
        {"6210", "減価償却費", "6110", 1, 26, 0},
        {"6220", "荷造運賃手数料", "6110", 1, 27, 0},
        {"6230", "雇人費", "6110", 1, 28, 0},
        {"6240", "利子割引料", "6110", 1, 29, 0},
        {"6250", "地代賃借料", "6110", 1, 30, 0},
        {"6290", "雑費", "6110", 1, 31, 0},
        {"7210", "専従者給与", "7210", 1, 79, 0},
    };
    s.subAccounts = {{"1130", "001", "ＪＡ貯金", 1860000}};

    Book b(2024004);
    Yen receivable = 420000, loan = 1500000;
    auto ship = [&](int m, int day, Yen amount, const std::string& text) {
        b.add(m, day, "1210", "4110", amount, TaxKind::Sales8, text);
        b.add(m, day, "6220", "1210", amount * 9 / 100 / 100 * 100, TaxKind::Purchase10, "ＪＡ出荷手数料");
        receivable += amount - amount * 9 / 100 / 100 * 100;
    };
    for (int m = 1; m <= 12; ++m) {
        b.add(m, 15, "1130", "1210", receivable, TaxKind::None, "ＪＡ精算金入金", "001");
        receivable = 0;
        if (m == 4 || m == 5)
            ship(m, 18, b.around(180000, 15), "春野菜出荷");
        if (m >= 6 && m <= 10) {
            ship(m, 10, b.around(320000, 20), "トマト出荷");
            ship(m, 25, b.around(320000, 20), "トマト出荷");
            b.add(m, 28, "1110", "4110", b.around(25000, 30), TaxKind::Sales8, "直売所売上");
        }
        if (m == 10)
            ship(m, 20, 1450000, "米出荷（コシヒカリ）");
        if (m == 11)
            ship(m, 10, 1100000, "米出荷（コシヒカリ）");
        const Yen fuel = b.around(m >= 4 && m <= 10 ? 42000 : 18000, 15);
        b.add(m, 22, "6180", "1130", fuel, TaxKind::Purchase10, "軽油・電気料金", {}, "001");
        b.add(m, 3, "1110", "1130", 30000, TaxKind::None, "現金引出", {}, "001");
        if (m >= 5 && m <= 8)
            b.add(m, 15, "6150", "1130", b.around(38000, 20), TaxKind::Purchase10, "農薬購入", {}, "001");
        if (m >= 7 && m <= 10)
            b.add(m, 28, "6230", "1130", 120000, TaxKind::None, "収穫作業パート代", {}, "001");
        if (m % 2 == 0)
            b.add(m, 12, "6290", "1110", b.around(4000, 50), TaxKind::Purchase10, "雑費");
        b.add(m, 25, "6240", "1130", loan * 10 / 1000 / 12, TaxKind::None, "ＪＡ借入金利息", {}, "001");
        b.add(m, 25, "2210", "1130", 25000, TaxKind::None, "ＪＡ借入金返済", {}, "001");
        loan -= 25000;
        b.add(m, 25, "7210", "1130", 70000, TaxKind::None, "専従者給与（妻）", {}, "001");
        b.add(m, 1, "1910", "1130", 160000, TaxKind::None, "生活費", {}, "001");
    }
    for (int m : {2, 4, 7, 12})
        b.add(m, 27, "6110", "1130", 31200, TaxKind::None, "固定資産税", {}, "001");
    b.add(3, 10, "6120", "1130", 98000, TaxKind::Purchase10, "水稲種子・育苗", {}, "001");
    b.add(4, 5, "6120", "1130", 64000, TaxKind::Purchase10, "トマト苗", {}, "001");
    b.add(3, 20, "6160", "1130", 126000, TaxKind::Purchase10, "支柱・ハウスビニール", {}, "001");
    b.add(3, 25, "1130", "4130", 180000, TaxKind::None, "経営所得安定対策交付金", "001");
    b.add(4, 12, "6130", "1130", 186000, TaxKind::Purchase10, "元肥", {}, "001");
    b.add(6, 20, "6130", "1130", 92000, TaxKind::Purchase10, "追肥", {}, "001");
    b.add(7, 18, "6130", "1130", 48000, TaxKind::Purchase10, "追肥", {}, "001");
    b.add(6, 3, "6140", "1130", 32000, TaxKind::Purchase10, "草刈機", {}, "001");
    b.add(7, 30, "6190", "1130", 42000, TaxKind::None, "農業共済掛金", {}, "001");
    b.add(9, 6, "6170", "1130", 88000, TaxKind::Purchase10, "トラクター修理", {}, "001");
    b.add(12, 20, "6250", "1130", 150000, TaxKind::None, "借地料（水田）", {}, "001");
    b.add(12, 28, "1910", "4120", 65000, TaxKind::Sales8, "自家消費（米・野菜）");
    s.extraJournals = extraJournals;
    s.extraEntry = [](int i) {
        return extra(i, "1110", "4110", varied(i, 2000, 50), TaxKind::Sales8, "直売所売上");
    };
    b.yearEnd("5110", "1310", 350000, "期首農産物棚卸高振替");
    b.yearEnd("1310", "5310", 410000, "期末農産物棚卸高（米）");
    b.yearEnd("6210", "1520", 514800, "減価償却費（トラクター）");
    b.yearEnd("6210", "1510", 120600, "減価償却費（作業小屋）");
    s.entries = std::move(b.entries);

    s.extraSql = {
        "INSERT INTO AO_SINKOKU (REC, ZEIRISI_ADD1, ZEIRISI_ADD2, ZEIRISI_SIMEI1, ZEIRISI_TEL, KOUJOKUBUN, "
        "HIZUKE, TEGAKI) VALUES (1, '東京都新宿区西新宿二丁目', '８番１号', '鈴木 一郎', '03-5321-0000', 2, "
        "'2025-03-10', 0);",
        "INSERT INTO AO_KYUUYO (REC, NUMBER, SENJYU, SIMEI, TUZUKIGARA, NENREI, TUKISUU, KYUUYO, SHOUYO, GENSEN) "
        "VALUES (1, 1, 1, '鈴木 恵子', '妻', 58, 12, 840000, 0, 0);",
        "INSERT INTO AO_YATOININHI (REC, SIMEI, NISUU, SIKYU_GENKIN, SIKYU_GENBUTU, SIKYU_GOKEI, GENSENZEIGAKU) "
        "VALUES (1, '延べ４名', 48, 480000, 0, 480000, 0);",
        "INSERT INTO AO_SYUNYU (REC, ITEM, KUBUN1, MENSEKI, SYUUKAKURYO, KISHU_SURYO, KISHU_KINGAKU, HANBAIGAKU, "
        "KAJISYOHIGAKU, KIMATU_SURYO, KIMATU_KINGAKU) VALUES (1, 'TAHATA', '米', 120, 7200, 1500, 350000, "
        "2550000, 40000, 1750, 410000);",
        "INSERT INTO AO_SYUNYU (REC, ITEM, KUBUN1, MENSEKI, SYUUKAKURYO, HANBAIGAKU, KAJISYOHIGAKU) "
        "VALUES (2, 'TAHATA', 'トマト', 30, 9800, 3350000, 15000);",
        "INSERT INTO AO_SYUNYU (REC, ITEM, KUBUN1, MENSEKI, SYUUKAKURYO, HANBAIGAKU, KAJISYOHIGAKU) "
        "VALUES (3, 'TAHATA', '春野菜', 15, 1200, 360000, 10000);",
        "INSERT INTO AO_SYUNYU_ZASHUU (REC, KUBUN, KINGAKU) VALUES (1, '交付金', 180000);",
        kAssetInsert + "(1, ' ', '0001', '1520', 'トラクター', 1, 1, '2021-03-15', "
        "3600000, 3600000, 2141400, 7, 0.143, 1, 12, 514800, 514800, 1626600, 0, '３３馬力');",
        kAssetInsert + "(2, ' ', '0002', '1510', '作業小屋', 1, 1, '2019-04-01', "
        "1800000, 1800000, 1227150, 15, 0.067, 1, 12, 120600, 120600, 1106550, 0, '');",
        "ALTER SEQUENCE KSSISAN_GEN RESTART WITH 2;",
    };
    return s;
}

} // namespace vq::tools
