#include "tools/SampleSettingsRows.h"

#include "tools/SqlText.h"

namespace vq::tools {

namespace {

// The code of the first account with one of the names, or "" when the
// chart has none of them (sample charts differ by business).
std::string codeOf(const SampleDataSet& set, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        for (const auto& a : set.accounts)
            if (a.name == name)
                return a.code;
    return "";
}

std::string codeOrNull(const std::string& code)
{
    return code.empty() ? "NULL" : sqlText(code);
}

} // namespace

std::vector<std::string> settingsRowsSql(const SampleDataSet& set, int operatorCode)
{
    std::vector<std::string> sql;
    const auto cash = codeOf(set, {"現金"});
    const auto bank = codeOf(set, {"普通預金"});
    const auto sales = codeOf(set, {"売上高", "販売金額", "受取家賃"});
    const auto purchases = codeOf(set, {"仕入高"});
    const auto depreciation = codeOf(set, {"減価償却費"});
    const auto drawings = codeOf(set, {"事業主貸"});
    const auto contributions = codeOf(set, {"事業主借"});
    const auto loans = codeOf(set, {"長期借入金"});
    const auto openingStock = codeOf(set, {"期首商品棚卸高", "期首農産物棚卸高"});
    const auto closingStock = codeOf(set, {"期末商品棚卸高", "期末農産物棚卸高"});

    // The description dictionary the product ships: headings and entries.
    struct Entry {
        int heading;
        const char* kana;
        const char* text;
        std::string debit, credit;
    };
    const char* headings[] = {"売上", "仕入", "経費", "預金"};
    for (int i = 0; i < 4; ++i)
        sql.push_back("INSERT INTO ORGDIC_1 (REC, CREC, SORTCODE, TEXT) VALUES (" + std::to_string(i + 1) + ", " +
                      std::to_string(i + 1) + ", " + std::to_string(i + 1) + ", " + sqlText(headings[i]) + ");");
    const Entry entries[] = {
        {1, "ｹﾞﾝｷﾝ", "現金売上", cash, sales},
        {1, "ﾌﾘｺﾐ", "売上代金振込", bank, sales},
        {2, "ｼｲﾚ", "商品仕入", purchases, cash},
        {3, "ｹﾞﾝｶ", "減価償却費の計上", depreciation, ""},
        {4, "ﾋｷﾀﾞｼ", "預金引出", cash, bank},
        {4, "ｼﾞｷﾞｮｳ", "生活費の引出", drawings, bank},
    };
    int rec = 0;
    for (const auto& e : entries) {
        if (e.debit.empty() && e.credit.empty())
            continue;
        ++rec;
        sql.push_back("INSERT INTO ORGDIC_2 (REC, CREC, KANA, TEXT, \"ROW\", COL, KAR_KCODE, KAR_HCODE, KAR_TAXCODE, "
                      "KAS_KCODE, KAS_HCODE, KAS_TAXCODE) VALUES (" + std::to_string(rec) + ", " +
                      std::to_string(e.heading) + ", " + sqlText(e.kana) + ", " + sqlText(e.text) + ", " +
                      std::to_string(rec) + ", 1, " + codeOrNull(e.debit) + ", " + (e.debit.empty() ? "NULL" : "' '") +
                      ", 0, " + codeOrNull(e.credit) + ", " + (e.credit.empty() ? "NULL" : "' '") + ", 0);");
    }

    // Depreciation-journal settings of an individual (ACCGROUP 2), group 0
    // (buildings, equipment, vehicles): depreciation booked directly, a sale
    // or disposal against the owner's accounts. Written without a column
    // list as the database update writes them; REC 0 is renumbered.
    if (!depreciation.empty())
        sql.push_back("INSERT INTO KS_SETSWK_INIT VALUES (0, 2, 0, NULL, 1, '購入', 0, 1, 0, 1, 0, 1, NULL, " +
                      sqlText(depreciation) + ", NULL, " + codeOrNull(drawings) + ", '償却', " + codeOrNull(drawings) +
                      ", '売却', " + codeOrNull(drawings) + ", '除却', " + codeOrNull(contributions) + ", '売却');");

    // Account groups of the budget statements (three values by position).
    auto group = [&](const char* name, const std::string& code) {
        if (!code.empty())
            sql.push_back("INSERT INTO KAMOKU_KOSEI_GROUP VALUES (" + sqlText(name) + ", " + sqlText(code) + ", ' ');");
    };
    group("減価償却費", depreciation);
    group("長期借入金返済", loans);
    group("期首期末棚卸", openingStock);
    group("期首期末棚卸", closingStock);

    sql.push_back("INSERT INTO CHARTINF (OPCODE) VALUES (" + std::to_string(operatorCode) + ");");
    return sql;
}

} // namespace vq::tools
