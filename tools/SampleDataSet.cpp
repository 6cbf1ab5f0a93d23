#include "tools/SampleDataSet.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <stdexcept>

#include "tools/SampleSettingsRows.h"
#include "platform/db/Attachment.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"
#include "tools/SqlText.h"

namespace vq::tools {

namespace {

std::string n(std::int64_t value) { return std::to_string(value); }

// The period of the 16-period calendar in which a month of the year ends.
int periodOfMonth(int month) { return month + (month - 1) / 3; }

std::string date(int month, int day)
{
    char text[16];
    std::snprintf(text, sizeof text, "'2024-%02d-%02d'", month, day);
    return text;
}

// Total lines of the trial balance of an individual's general business:
// REC, KGROUP, KESKUBUN, ARRAYNUM, KOUMOKU, PLUSNAME, MINUSNAME, MODIFY,
// LAYOUT_TEXT, LAYOUT_MAX, LAYOUT_USE.
struct TotalLine {
    const char* group;
    int keskubun;
    int arraynum;
    const char* koumoku;
    const char* plus;
    const char* minus;
    const char* layout;
    int layoutMax;
    int layoutUse;
};

const TotalLine kGeneralTotals[] = {
    {"1180", 2, 2, "当座資産", "当座資産計", "", "当座資産", 8, 1},
    {"1280", 2, 3, "棚卸資産", "棚卸資産計", "", "棚卸資産", 8, 1},
    {"1380", 2, 4, "その他流動資産", "その他流動資産計", "", "その他流動資産", 14, 1},
    {"1390", 0, 5, "流動資産", "流動資産計", "", "流動資産", 8, 1},
    {"1580", 0, 6, "有形固定資産", "有形固定資産計", "", "有形固定資産", 12, 1},
    {"1680", 0, 7, "無形固定資産", "無形固定資産計", "", "無形固定", 8, 1},
    {"1780", 0, 8, "投資その他の資産", "投資その他の資産計", "", "その他の資産", 12, 1},
    {"1790", 0, 9, "固定資産", "固定資産計", "", "固定資産", 8, 1},
    {"1880", 0, 10, "繰延資産", "繰延資産計", "", "繰延資産", 8, 1},
    {"1900", 0, 11, "資産の部", "資産の部合計", "", "資産の部", 8, 1},
    {"2180", 0, 12, "流動負債", "流動負債計", "", "流動負債", 8, 1},
    {"2280", 0, 13, "固定負債", "固定負債計", "", "固定負債", 8, 1},
    {"2380", 0, 14, "引当金", "引当金計", "", "引当金", 6, 1},
    {"2800", 0, 15, "負債の部", "負債の部合計", "", "負債の部", 8, 1},
    {"3480", 0, 23, "青色申告特別控除前", "青申特別控除前所得", "", "", 0, 1},
    {"3800", 0, 26, "純資産の部", "純資産の部合計", "", "純資産の部", 10, 1},
    {"3900", 0, 27, "負債純資産の部", "負債純資産の部合計", "", "負債純資産の部", 16, 1},
    {"4800", 0, 28, "純売上高", "純売上高", "", "売上高", 10, 1},
    {"5250", 0, 29, "当期製造原価", "当期製造原価", "", "当期製造原価", 0, 0},
    {"5400", 0, 30, "売上原価", "売上原価", "", "売上原価", 10, 1},
    {"5580", 0, 31, "材料費計", "材料費計", "", "材料費計", 10, 0},
    {"5680", 0, 32, "労務費計", "労務費計", "", "労務費計", 10, 0},
    {"5780", 0, 33, "製造経費計", "製造経費計", "", "製造経費計", 10, 0},
    {"5880", 0, 35, "当期製造原価", "当期製造原価", "", "当期製造原価", 12, 0},
    {"5900", 0, 36, "売上総利益", "売上総利益", "売上総損失", "", 0, 1},
    {"6180", 0, 37, "販売費一般管理費", "販売費・一般管理費", "", "販売費・一般管理費", 18, 1},
    {"6200", 0, 38, "営業利益", "営業利益", "営業損失", "", 0, 1},
    {"7180", 0, 39, "営業外収益", "営業外収益", "", "営業外収益", 10, 1},
    {"7280", 0, 40, "営業外費用", "営業外費用", "", "営業外費用", 10, 1},
    {"7300", 0, 41, "経常利益", "経常利益", "経常損失", "", 0, 1},
    {"8400", 0, 45, "青色申告特別控除前", "青申特別控除前所得", "", "", 0, 1},
};

// The real-estate set: the general groups without the cost-of-sales ones,
// items named like their totals up to 純資産の部 and 1380 for every report.
std::vector<std::string> totalLinesSql(int codeType)
{
    std::vector<std::string> rows;
    if (codeType != 1 && codeType != 2)
        return rows;  // agriculture keeps no total-line names
    int rec = 0;
    for (const auto& t : kGeneralTotals) {
        const std::string group = t.group;
        if (codeType == 2 && (group == "5250" || group == "5400" || group == "5580" || group == "5680"
                              || group == "5780" || group == "5880" || group == "5900"))
            continue;
        ++rec;
        std::string koumoku = t.koumoku;
        int keskubun = t.keskubun;
        if (codeType == 2 && group < "3900" && group != "3480")
            koumoku = t.plus;
        if (codeType == 2 && group == "1380")
            keskubun = 0;
        const bool negative = *t.minus != '\0';
        rows.push_back("INSERT INTO ACCTOTALNAME (REC, VERSION, KGROUP, KESKUBUN, ARRAYNUM, KOUMOKU, PLUSNAME, "
                       "MINUSNAME, MODIFY, LAYOUT_TEXT, LAYOUT_MAX, LAYOUT_USE, KESSAN_TEXT, KESSAN_USE) VALUES (" +
                       n(rec) + ", 1, " + sqlText(group) + ", " + n(keskubun) + ", " + n(t.arraynum) + ", " + sqlText(koumoku) +
                       ", " + sqlText(t.plus) + ", " + sqlText(t.minus) + ", " + n(negative ? 1 : 0) + ", " + sqlText(t.layout) + ", " +
                       n(t.layoutMax) + ", " + n(t.layoutUse) + ", '', 0);");
    }
    return rows;
}

struct Side {
    std::string group, code, sub, name, subName;
    int taxCode = 0, taxUh = 0, taxDc = 0;
    std::int64_t nuk = 0, zei = 0;
    int rate = 0;
};

class Chart {
public:
    explicit Chart(const SampleDataSet& set)
    {
        for (const auto& line : set.lines)
            lineGroup_[line.rec] = line.group;
        for (const auto& a : set.accounts)
            accounts_[a.code] = &a;
        for (const auto& s : set.subAccounts)
            subNames_[s.account + "/" + s.code] = s.name;
    }

    const SampleAccount& account(const std::string& code) const
    {
        auto it = accounts_.find(code);
        if (it == accounts_.end())
            throw std::logic_error("sample entry on an unknown account " + code);
        return *it->second;
    }

    std::string group(const SampleAccount& a) const
    {
        auto it = lineGroup_.find(a.line);
        return it == lineGroup_.end() ? a.group2 : it->second;
    }

    Side side(const std::string& code, const std::string& sub) const
    {
        const auto& a = account(code);
        Side s;
        s.group = group(a);
        s.code = a.code;
        s.sub = sub.empty() ? " " : sub;
        s.name = a.name;
        if (!sub.empty()) {
            auto it = subNames_.find(code + "/" + sub);
            if (it == subNames_.end())
                throw std::logic_error("sample entry on an unknown sub-account " + code + "/" + sub);
            s.subName = it->second;
        }
        s.taxCode = code < "4000" ? 0 : 810;
        return s;
    }

private:
    std::map<int, std::string> lineGroup_;
    std::map<std::string, const SampleAccount*> accounts_;
    std::map<std::string, std::string> subNames_;
};

// Splits the tax off the side that carries it (amounts include tax; the tax
// is truncated to the yen, as the data sets round).
void applyTax(const SampleEntry& e, Side& debit, Side& credit, int& rateNumber)
{
    debit.nuk = credit.nuk = e.amount;
    rateNumber = 0;
    auto split = [&](Side& s, int taxCode, int taxUh, int taxDc, int rate) {
        s.taxCode = taxCode;
        s.taxUh = taxUh;
        s.taxDc = taxDc;
        s.rate = rate;
        s.zei = rate == 0 ? 0 : e.amount * rate / (100 + rate);
        s.nuk = e.amount - s.zei;
    };
    switch (e.tax) {
    case TaxKind::None: break;
    case TaxKind::Sales10: split(credit, 110, 1, 3, 10); break;
    case TaxKind::Sales8: split(credit, 110, 1, 3, 8); rateNumber = 4; break;
    case TaxKind::ExemptSales: split(credit, 130, 0, 3, 0); break;
    case TaxKind::Purchase10: split(debit, 511, 2, 1, 10); break;
    case TaxKind::Purchase8: split(debit, 511, 2, 1, 8); rateNumber = 4; break;
    }
}

std::string sideValues(const Side& s)
{
    return sqlText(s.group) + ", " + sqlText(s.code) + ", " + sqlText(s.sub) + ", ' ', " + sqlText(s.name) + ", " + sqlText(s.subName) + ", '', " +
           n(s.taxCode) + ", " + n(s.taxUh) + ", " + n(s.taxDc) + ", " + n(s.nuk) + ", " + n(s.zei) + ", " + n(s.rate);
}

} // namespace

std::string dataSetSql(const SampleDataSet& set, int operatorCode)
{
    const Chart chart(set);
    std::vector<std::string> sql;
    sql.push_back("/* Sample data set: " + set.listName + " */");
    sql.push_back("UPDATE ACCDEF1 SET ENTTEXT = " + sqlText(set.listName) + ", SCODE1 = " + sqlText(set.dataCode) +
                  ", SKANA = " + sqlText(set.kana) + ", SHOUGOU = " + sqlText(set.shougou) + ", POST = " + sqlText(set.post) +
                  ", ADD1 = " + sqlText(set.address) + ", TEL = " + sqlText(set.tel) + ", AO_ADD1 = " + sqlText(set.address) +
                  ", AO_KANA = " + sqlText(set.ownerKana) + ", AO_SIMEI = " + sqlText(set.owner) + ", AO_GYOUSHU = " +
                  sqlText(set.business) + ", AO_YAGO = " + sqlText(set.shougou) + ", AO_TEL = " + sqlText(set.tel) +
                  ", AO_SHOKUGYO1 = " + sqlText(set.occupation) + ", DATATYPE = 2, CODETYPE = " + n(set.codeType) +
                  ", NENDO = 6, KISHU = '2024-01-01', KIMATU = '2024-12-31', KAISI = '2024-01-01', "
                  "ZKISHU = '2023-01-01', ZZKISHU = '2022-01-01', SIME = 99, KAISINO = 1, TAXDEFUH = 0, "
                  "TANTOU = 10, ACCTIME = CURRENT_TIMESTAMP WHERE REC = 1;");
    for (auto& row : totalLinesSql(set.codeType))
        sql.push_back(std::move(row));

    for (const auto& line : set.lines)
        sql.push_back("INSERT INTO EXTERKS (REC, KUBUN, KGROUP, SUBREC, KNAME1) VALUES (" + n(line.rec) + ", 0, " +
                      sqlText(line.group) + ", " + n(line.subrec) + ", " + sqlText(line.name) + ");");
    int rec = 0;
    for (const auto& a : set.accounts) {
        const bool balanceSheet = a.code < "4000";
        sql.push_back("INSERT INTO KAMOKUMST (KCODE, USERCODE, REC, GROUPM0, GROUPM1, GROUPM2, KNAME, USE, DAC, "
                      "BPFLG, EXT1_KS, OPCODE) VALUES (" + sqlText(a.code) + ", " + sqlText(a.code) + ", " + n(++rec) + ", " +
                      sqlText(chart.group(a)) + ", " + sqlText(chart.group(a)) + ", " + sqlText(a.group2) + ", " + sqlText(a.name) + ", 1, " +
                      n(a.dac) + ", " + sqlText(balanceSheet ? "B" : "P") + ", " + n(a.line) + ", " + n(operatorCode) +
                      ");");
    }
    for (const auto& s : set.subAccounts) {
        const auto& a = chart.account(s.account);
        sql.push_back("INSERT INTO HOJOMST (KCODE, HCODE, HNAME, BPFLG, OPCODE) VALUES (" + sqlText(s.account) + ", " +
                      sqlText(s.code) + ", " + sqlText(s.name) + ", " + sqlText(a.code < "4000" ? "B" : "P") + ", " +
                      n(operatorCode) + ");");
        sql.push_back("UPDATE KAMOKUMST SET HOJOSW = '○' WHERE KCODE = " + sqlText(s.account) + ";");
    }
    for (const char* fixed : {"現金", "仮払消費税", "仮受消費税", "諸口", "事業主貸", "事業主借", "元入金"})
        for (const auto& a : set.accounts)
            if (a.name == fixed)
                sql.push_back("INSERT INTO ACCDEF2 (KCODE, KNAME, KGROUP) VALUES (" + sqlText(a.code) + ", " + sqlText(a.name) +
                              ", " + sqlText(a.group2) + ");");

    // The facility after the accounts: it gets their balance rows.
    for (auto& row : settingsRowsSql(set, operatorCode)) sql.push_back(std::move(row));
    sql.push_back("INSERT INTO SISETUMST (SCODE, SNAME) VALUES (' ', " + sqlText(set.shougou) + ");");

    // Opening balances; the capital balances the balance sheet.
    std::int64_t debitSide = 0, creditSide = 0;
    auto opening = [&](const std::string& code, const std::string& sub, std::int64_t amount) {
        if (amount == 0)
            return;
        const auto& a = chart.account(code);
        (a.dac == 1 || a.dac == 4 ? debitSide : creditSide) += amount;
        sql.push_back("UPDATE KAMOKU_SZ SET KAISIZAN = " + n(amount) + ", KISHU_KOMI = " + n(amount) +
                      ", KISHU_NUKI = " + n(amount) + " WHERE SCODE = ' ' AND KCODE = " + sqlText(code) +
                      " AND HCODE = " + sqlText(sub.empty() ? " " : sub) + " AND BCODE = ' ';");
    };
    for (const auto& a : set.accounts)
        if (a.code < "4000" && a.code != set.capitalAccount)
            opening(a.code, "", a.opening);
    for (const auto& s : set.subAccounts)
        opening(s.account, s.code, s.opening);
    if (!set.capitalAccount.empty())
        opening(set.capitalAccount, "", debitSide - creditSide);

    // The journal in date order: entry W has the rows 2W-1 (debit) and 2W.
    std::vector<const SampleEntry*> order;
    for (const auto& e : set.entries)
        order.push_back(&e);
    std::stable_sort(order.begin(), order.end(), [](const SampleEntry* a, const SampleEntry* b) {
        const int pa = a->yearEnd ? 16 : periodOfMonth(a->month);
        const int pb = b->yearEnd ? 16 : periodOfMonth(b->month);
        return pa != pb ? pa < pb : a->day < b->day;
    });
    int w = 0;
    std::map<std::string, int> perDay, perMonth;
    for (const auto* e : order) {
        ++w;
        Side debit = chart.side(e->debit, e->debitSub);
        Side credit = chart.side(e->credit, e->creditSub);
        int rateNumber = 0;
        applyTax(*e, debit, credit, rateNumber);
        const int month = e->yearEnd ? 12 : e->month;
        const int day = e->yearEnd ? 31 : e->day;
        const int mnum = e->yearEnd ? 16 : periodOfMonth(e->month);
        const std::string hizuke = date(month, day);
        const int sdaynum = ++perDay[hizuke];
        const int mdaynum = ++perMonth[n(mnum)];
        const std::int64_t tax = debit.zei + credit.zei;
        auto row = [&](int r, int taishaku, const Side& own, const Side& other) {
            return "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, HIZUKE, MNUM, KESSAN, SDAYNUM, "
                   "MDAYNUM, SCODE, KGROUP, KCODE, HCODE, BCODE, KNAME, HNAME, BNAME, TAXCODE, TAXUH, TAXDC, NUK, "
                   "ZEI, RIT, R_KGROUP, R_KCODE, R_HCODE, R_BCODE, R_KNAME, R_HNAME, R_BNAME, R_TAXCODE, R_TAXUH, "
                   "R_TAXDC, R_NUK, R_ZEI, R_RIT, KINGAKU, ZEIGAKU, AUTCALCU, OLDRATE, TEKTEXT, RTIME, OPCODE) "
                   "VALUES (" + n(r) + ", " + n(w) + ", " + n(w) + ", 0, " + n(taishaku) + ", " + hizuke + ", " +
                   n(mnum) + ", " + n(e->yearEnd ? 1 : 0) + ", " + n(sdaynum) + ", " + n(mdaynum) + ", ' ', " +
                   sideValues(own) + ", " + sideValues(other) + ", " + n(e->amount) + ", " + n(tax) + ", 1, " +
                   n(rateNumber) + ", " + sqlText(e->text) + ", CURRENT_TIMESTAMP, " + n(operatorCode) + ");";
        };
        sql.push_back(row(2 * w - 1, 1, debit, credit));
        sql.push_back(row(2 * w, 2, credit, debit));
    }
    if (w > 0) {
        sql.push_back("ALTER SEQUENCE SIWAKE_REC_GEN RESTART WITH " + n(w) + ";");
        sql.push_back("ALTER SEQUENCE SIWAKE00_GEN RESTART WITH " + n(w) + ";");
    }
    for (const auto& extra : set.extraSql)
        sql.push_back(extra);

    std::string text;
    for (const auto& line : sql)
        text += line + "\n";
    return text;
}

namespace {

// Every input of the journal procedure, in its order; the ones not set stay
// as set below (0, '' or ' ').
const char* const kInsertInputs[] = {
    "HIZUKE", "MNUM", "KESSAN", "SDAYNUM", "MDAYNUM", "DNUM", "SNUM", "SCODE",
    "L_KGROUP", "L_KCODE", "L_HCODE", "L_BCODE", "L_KNAME", "L_HNAME", "L_BNAME", "L_TAXCODE", "L_TAXUH",
    "L_TAXDC", "L_NUK", "L_ZEI", "L_RIT", "L_SIKIN",
    "R_KGROUP", "R_KCODE", "R_HCODE", "R_BCODE", "R_KNAME", "R_HNAME", "R_BNAME", "R_TAXCODE", "R_TAXUH",
    "R_TAXDC", "R_NUK", "R_ZEI", "R_RIT", "R_SIKIN",
    "KINGAKU", "ZEIGAKU", "ZEIRITUNO", "AUTCALCU", "TAXCALCU", "OLDRATE", "TEKCODE", "TEKTEXT", "TORCODE",
    "TORTEXT", "FUSEN1", "FUSEN2", "FUSEN3", "FUSEN4", "FUSEN5", "CTIME", "COMMENT", "AO_COMMENT", "LINKKEY",
    "LINKKUB", "LINKREC", "LOCALFLG", "RESERVE1", "RESERVE2", "OPNCODE",
};

std::string insertSql()
{
    std::string sql = "SELECT NEWREC FROM SP_SIWAKE_INS(";
    bool first = true;
    for (const char* name : kInsertInputs) {
        sql += (first ? ":" : ", :") + std::string(name);
        first = false;
    }
    return sql + ")";
}

void setDefaults(db::Statement& st)
{
    for (const char* name : kInsertInputs) {
        const std::string n = name;
        if (n.ends_with("HCODE") || n.ends_with("BCODE") || n == "SCODE")
            st.param(n).setString(" ");
        else if (n.ends_with("NAME") || n.ends_with("TEXT") || n.ends_with("COMMENT") || n == "LINKKEY")
            st.param(n).setString("");
        else if (n == "CTIME")
            st.param(n).setNull();
        else
            st.param(n).setInt(0);
    }
}

void setSide(db::Statement& st, const char* prefix, const Side& s)
{
    const std::string p = prefix;
    st.param(p + "KGROUP").setString(s.group);
    st.param(p + "KCODE").setString(s.code);
    st.param(p + "HCODE").setString(s.sub);
    st.param(p + "KNAME").setString(s.name);
    st.param(p + "HNAME").setString(s.subName);
    st.param(p + "TAXCODE").setInt(s.taxCode);
    st.param(p + "TAXUH").setInt(s.taxUh);
    st.param(p + "TAXDC").setInt(s.taxDc);
    st.param(p + "NUK").setInt(s.nuk);
    st.param(p + "ZEI").setInt(s.zei);
    st.param(p + "RIT").setInt(s.rate);
}

} // namespace

JournalRate enterExtraJournals(const std::string& database, const SampleDataSet& set, int operatorCode)
{
    using Clock = std::chrono::steady_clock;
    JournalRate rate;
    if (set.extraJournals <= 0 || !set.extraEntry)
        return rate;
    const Chart chart(set);
    db::Attachment a;
    a.attach({database, "SYSDBA", ""});
    db::Transaction tr(a);
    db::Statement st(a, tr, insertSql());
    setDefaults(st);
    st.param("OPNCODE").setInt(operatorCode);
    st.param("AUTCALCU").setInt(1);

    // One commit per batch: a commit per entry would time the disk, not the entry.
    constexpr int kBatch = 200;
    const int total = set.extraJournals;
    const int tenth = std::max(1, total / 10);
    const auto start = Clock::now();
    auto lastTenthStart = start;
    tr.start();
    for (int i = 0; i < total; ++i) {
        const SampleEntry e = set.extraEntry(i);
        Side debit = chart.side(e.debit, e.debitSub);
        Side credit = chart.side(e.credit, e.creditSub);
        int rateNumber = 0;
        applyTax(e, debit, credit, rateNumber);
        char day[16];
        std::snprintf(day, sizeof day, "2024-%02d-%02d", e.month, e.day);
        st.param("HIZUKE").setString(day);
        st.param("MNUM").setInt(periodOfMonth(e.month));
        setSide(st, "L_", debit);
        setSide(st, "R_", credit);
        st.param("KINGAKU").setInt(e.amount);
        st.param("ZEIGAKU").setInt(debit.zei + credit.zei);
        st.param("ZEIRITUNO").setInt(rateNumber);
        st.param("OLDRATE").setInt(rateNumber);
        st.param("TEKTEXT").setString(e.text);
        st.execute();   // a selectable procedure runs as its row is fetched
        if (!st.fetch())
            throw std::runtime_error("the journal procedure wrote no entry");
        st.close();
        if ((i + 1) % kBatch == 0) {
            tr.commit();
            tr.start();
        }
        const int done = i + 1;
        if (done == tenth) {
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            rate.firstTenthPerSecond = seconds > 0 ? tenth / seconds : 0;
        }
        if (done == total - tenth)
            lastTenthStart = Clock::now();
    }
    tr.commit();
    const auto end = Clock::now();
    rate.entries = total;
    rate.seconds = std::chrono::duration<double>(end - start).count();
    const double lastSeconds = std::chrono::duration<double>(end - lastTenthStart).count();
    rate.lastTenthPerSecond = lastSeconds > 0 ? tenth / lastSeconds : 0;
    return rate;
}

} // namespace vq::tools
