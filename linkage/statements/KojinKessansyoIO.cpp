#include "linkage/statements/KojinKessansyoIO.h"

#include <algorithm>
#include <stdexcept>

#include "foundation/accounting/YenRounding.h"
#include "foundation/app/AccInf.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/Interaction.h"
#include "platform/db/DbError.h"
#include "trialbalance/BalanceFront.h"

namespace vq {

namespace {

std::string joinLines(std::initializer_list<std::string_view> lines)
{
    std::string sql;
    for (const auto line : lines) {
        if (!sql.empty())
            sql += '\n';
        sql += line;
    }
    return sql;
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A statement line as the operator finds it in the line settings: group and
// line number, and its name when it has one.
std::string lineLabel(const std::string& group, int line, const std::string& name)
{
    std::string label = group + "-" + std::to_string(line);
    const std::string shown = trimmed(name);
    if (!shown.empty())
        label += "「" + shown + "」";
    return label;
}

// Whether a balance row moves anything in the year or holds a balance.
bool carriesAmount(const TBALANCE& row)
{
    if (row.ZENZAN != 0 || row.TOUZAN != 0)
        return true;
    for (int period = 1; period <= 16; ++period)
        if (row.ZOUGEN[period] != 0)
            return true;
    return false;
}

// A transaction that the reading started is ended even when the reading
// failed; it only read, so a failing commit is rolled back instead.
void endStartedTransaction(db::Transaction& tr)
{
    if (!tr.active())
        return;
    try {
        tr.commit();
    } catch (const std::exception&) {
        try {
            tr.rollback();
        } catch (const std::exception&) {
        }
    }
}

} // namespace

TKojinKessansyoIO::TKojinKessansyoIO()
{
    if (!DM)
        throw std::logic_error("statement reader without a data module");
    transaction_ = &DM->IBTransactionDAT;
    query_ = std::make_unique<db::Statement>(DM->IBDatabaseDAT.attachment(), *transaction_);
    TaxMode = AccInf.TAXDEFUH;
}

TKojinKessansyoIO::~TKojinKessansyoIO() = default;

void TKojinKessansyoIO::SetTransaction(db::Transaction& transaction)
{
    transaction_ = &transaction;
    query_->setTransaction(transaction);
}

bool TKojinKessansyoIO::LoadBalances()
{
    BalanceCount = BalanceCapacity();
    Balances.clear();
    Sorts.clear();
    Balances.resize(static_cast<std::size_t>(BalanceCount));
    Sorts.resize(static_cast<std::size_t>(BalanceCount));
    if (!LoadTrialBalanceDefault(Balances, Sorts, 1, TaxMode, Jigyou, 0))
        return false;
    return CalcBalancePeriods(Balances, 0, -1, 1, 16, Jigyou);
}

Currency TKojinKessansyoIO::SignBySide(int mode, std::int32_t kind, Currency amount)
{
    if (mode == 0 && (kind == 2 || kind == 4))
        return -amount;
    if (mode == 1 && (kind == 1 || kind == 3))
        return -amount;
    return amount;
}

bool TKojinKessansyoIO::ReadFrame(const std::string& label, const std::function<void()>& body)
{
    db::Transaction& tr = *transaction_;
    bool started = false;
    try {
        started = tr.startIfInactive();
        body();
        if (started)
            tr.commit();
        return true;
    } catch (const db::DbError& e) {
        if (started)
            ReportDbError(e, label, KessansyoReadErrorMessage, true);
    } catch (const std::exception& e) {
        if (started)
            ShowMessageDetail(KessansyoReadErrorMessage, e.what());
    }
    if (started)
        endStartedTransaction(tr);
    return false;
}

void TKojinKessansyoIO::ForEachRow(std::initializer_list<std::string_view> lines,
                                   const std::function<void(db::Statement&)>& row)
{
    ForEachRow(lines, {}, row);
}

void TKojinKessansyoIO::ForEachRow(std::initializer_list<std::string_view> lines,
                                   const std::function<void(db::Statement&)>& params,
                                   const std::function<void(db::Statement&)>& row)
{
    db::Statement& q = *query_;
    q.setSql(joinLines(lines));
    if (!q.prepared())
        q.prepare();
    if (params)
        params(q);
    q.execute();
    while (q.fetch())
        row(q);
    q.close();
}

void TKojinKessansyoIO::InitHeader(TKojinKessansyoHeader& h)
{
    h = TKojinKessansyoHeader{};
    h.KISHU = AccInf.KISHU;
    h.KIMATU = AccInf.KIMATU;
    h.HIZUKE = platform::interaction().now();
    h.NENDO_KIMATU = AccInf.KIMATU;
    h.SKANA = AccInf.SKANA;
    h.SHOUGOU = AccInf.SHOUGOU;
    h.POST = AccInf.POST;
    h.ADD1 = AccInf.ADD1;
    h.ADD2 = AccInf.ADD2;
    h.TEL = AccInf.TEL;
    h.AO_ADD1 = AccInf.AO_ADD1;
    h.AO_ADD2 = AccInf.AO_ADD2;
    h.AO_KANA = AccInf.AO_KANA;
    h.AO_SIMEI = AccInf.AO_SIMEI;
    h.AO_GYOUSHU = AccInf.AO_GYOUSHU;
    h.AO_YAGO = AccInf.AO_YAGO;
    h.AO_KANYU = AccInf.AO_KANYU;
    h.AO_TEL = AccInf.AO_TEL;
    h.AO_SHOKUGYO1 = AccInf.AO_SHOKUGYO1;
    h.AO_SHOKUGYO2 = AccInf.AO_SHOKUGYO2;
    h.SCODE2 = AccInf.SCODE2;
}

void TKojinKessansyoIO::ReadHeaderRow(db::Statement& q, TKojinKessansyoHeader& h)
{
    h.TEGAKI = q.field("TEGAKI").asInt();
    h.ZEIRISI_ADD1 = q.field("ZEIRISI_ADD1").asString();
    h.ZEIRISI_ADD2 = q.field("ZEIRISI_ADD2").asString();
    h.ZEIRISI_SIMEI1 = q.field("ZEIRISI_SIMEI1").asString();
    h.ZEIRISI_SIMEI2 = q.field("ZEIRISI_SIMEI2").asString();
    h.ZEIRISI_TEL = q.field("ZEIRISI_TEL").asString();
    h.HIZUKE_FLG = 0;
    h.HIZUKE = platform::interaction().now();
    const double date = q.field("HIZUKE").asDateTime();
    if (date > 0) {
        h.HIZUKE_FLG = 1;
        h.HIZUKE = date;
    }
}

void TKojinKessansyoIO::SetStatementPeriod(TKojinKessansyoHeader& h, std::int32_t threshold)
{
    h.KISHU = AccInf.KISHU;
    h.KIMATU = AccInf.KIMATU;
    if (AccInf.PrintKikanUse > threshold) {
        h.KISHU = AccInf.PrintKikanFrom;
        h.KIMATU = AccInf.PrintKikanTo;
    }
}

void TKojinKessansyoIO::WalkBalances(
    TaisyakuRows& sisan, TaisyakuRows& fusai, bool handEntered,
    const std::function<bool(const std::string& group, int line, const TBALANCE& row)>& profitAndLoss)
{
    // Line 25 of each side is the form's total: an amount there would be
    // summed over.
    const auto intoSheet = [](TaisyakuRows& side, int line, const TBALANCE& row) {
        if (line < 1 || line > kTaisyakuFormLines)
            return false;
        auto& target = side[line];
        const std::int32_t kind = row.Account.TAISHAKU;
        target.KNAME = row.Account.KNAME;
        target.KISHUZAN = SignBySide(0, kind, row.ZENZAN);
        target.KIMATUZAN = SignBySide(0, kind, row.TOUZAN);
        return true;
    };
    std::vector<LineOutsideForm> outside;
    const std::size_t keys = std::min(Sorts.size(), static_cast<std::size_t>(std::max(BalanceCount, 0)));
    for (std::size_t i = 0; i < keys; ++i) {
        const TQSORT& key = Sorts[i];
        if (key.hidden() || key.SIDX < 0 || static_cast<std::size_t>(key.SIDX) >= Balances.size())
            continue;
        const TBALANCE& row = Balances[static_cast<std::size_t>(key.SIDX)];
        const std::string& g = row.Account.GROUP1;
        const int q = row.SUBREC;
        bool placed = true;
        if (g >= "1100" && g <= "1900") {
            placed = q > 0 && intoSheet(sisan, q, row);
        } else if (g >= "2100" && g < "4100") {
            placed = q > 0 && intoSheet(fusai, q, row);
        } else if (g >= "4100" && g <= "8400") {
            placed = profitAndLoss(g, q, row);
        }
        // Total rows of the front carry no account and come from no line.
        if (!placed && !handEntered && !row.Account.KCODE.empty() && carriesAmount(row))
            outside.push_back({row.MSTREC, g, q, row.Account.KNAME});
    }
    sisan[24].KISHUZAN = 0;
    fusai[22].KISHUZAN = 0;
    fusai[24].KISHUZAN = 0;
    NoteLinesOutsideForm(outside);
}

void TKojinKessansyoIO::NoteLinesOutsideForm(const std::vector<LineOutsideForm>& lines)
{
    for (const LineOutsideForm& l : lines) {
        // The line as the operator finds it in the line settings, with the
        // accounts assigned to it.
        std::string label = lineLabel(l.group, l.line, {});
        ForEachRow({"SELECT KGROUP,SUBREC,KNAME1 FROM EXTERKS", "WHERE REC=:REC"},
                   [&](db::Statement& q) { q.param("REC").setInt(l.MSTREC); },
                   [&](db::Statement& q) {
                       label = lineLabel(q.field("KGROUP").asString(), q.field("SUBREC").asInt(),
                                         q.field("KNAME1").asString());
                   });
        std::string accounts;
        ForEachRow({"SELECT USERCODE,KNAME FROM KAMOKUMST", "WHERE EXT1_KS=:REC", "ORDER BY KCODE"},
                   [&](db::Statement& q) { q.param("REC").setInt(l.MSTREC); },
                   [&](db::Statement& q) {
                       if (!accounts.empty())
                           accounts += "、";
                       accounts += trimmed(q.field("USERCODE").asString()) + " " + q.field("KNAME").asString();
                   });
        if (accounts.empty())
            accounts = l.name;
        OutsideForm.push_back("科目 " + accounts + "：決算書行 " + label + "は" + FormName() + "の様式にありません。");
    }
}

void TKojinKessansyoIO::ReadStatementLines(TaisyakuRows& sisan, TaisyakuRows& fusai, bool handEntered,
                                           const std::function<bool(const StatementLine& line)>& other)
{
    ForEachRow({"SELECT REC,KGROUP,SUBREC,KNAME1,KNAMELOCK,AO_KISHUZAN,AO_KIMATUZAN FROM EXTERKS",
                "ORDER BY KGROUP,SUBREC"},
               [&](db::Statement& q) {
                   StatementLine line;
                   line.REC = q.field("REC").asInt();
                   line.KGROUP = q.field("KGROUP").asString();
                   line.SUBREC = q.field("SUBREC").asInt();
                   line.KNAME1 = q.field("KNAME1").asString();
                   line.AO_KISHUZAN = q.field("AO_KISHUZAN").asCurrency();
                   line.AO_KIMATUZAN = q.field("AO_KIMATUZAN").asCurrency();
                   TaisyakuRows* side = line.KGROUP == "1100" ? &sisan : line.KGROUP == "2100" ? &fusai : nullptr;
                   bool placed = true;
                   if (!side) {
                       placed = other(line);
                   } else if (line.SUBREC >= 1 && line.SUBREC <= kTaisyakuFormLines) {
                       auto& target = (*side)[line.SUBREC];
                       target.REC = line.REC;
                       if (handEntered) {
                           target.KISHUZAN = line.AO_KISHUZAN;
                           target.KIMATUZAN = line.AO_KIMATUZAN;
                       }
                   } else {
                       placed = false;
                   }
                   if (!placed && handEntered && (line.AO_KISHUZAN != 0 || line.AO_KIMATUZAN != 0))
                       OutsideForm.push_back("手書きの決算書行 " + lineLabel(line.KGROUP, line.SUBREC, line.KNAME1) +
                                             "は" + FormName() + "の様式にありません。");
               });
}

void TKojinKessansyoIO::ApplyDeduction(DeductionBlock& b, Currency income, Currency& deduction, Currency& net)
{
    b.KOUJO7 = income < 0 ? 0 : income;
    b.KOUJO8 = b.KOUJO9 = b.KOUJO10 = b.KOUJO11 = 0;
    const auto limited = [&](Currency limit, Currency& cap, Currency& amount) {
        cap = b.KOUJO6 >= limit ? limit : b.KOUJO6;
        amount = limit - cap;
        if (b.KOUJO7 <= amount)
            amount = b.KOUJO7;
    };
    switch (b.KOUJOKUBUN) {
    case 0:
        limited(YenToCurrency(550000), b.KOUJO8, b.KOUJO9);
        deduction = b.KOUJO9;
        break;
    case 2:
        limited(YenToCurrency(650000), b.KOUJO8, b.KOUJO9);
        deduction = b.KOUJO9;
        break;
    case 1:
        limited(YenToCurrency(100000), b.KOUJO10, b.KOUJO11);
        deduction = b.KOUJO11;
        break;
    default:
        break;
    }
    net = income - deduction;
}

void TKojinKessansyoIO::SumBalanceSheet(TaisyakuRows& sisan, TaisyakuRows& fusai, Currency incomeBeforeDeduction)
{
    fusai[24].KIMATUZAN = incomeBeforeDeduction;
    for (TaisyakuRows* side : {&sisan, &fusai}) {
        Currency opening = 0, closing = 0;
        for (int line = 1; line <= 24; ++line) {
            opening += (*side)[line].KISHUZAN;
            closing += (*side)[line].KIMATUZAN;
        }
        (*side)[25].KISHUZAN = opening;
        (*side)[25].KIMATUZAN = closing;
    }
}

} // namespace vq

namespace vq {

void TKojinKessansyoIO::ReadPositioned(std::initializer_list<std::string_view> lines, const char* column, int count,
                                       const char* breakdown,
                                       const std::function<void(db::Statement&, int position)>& fill)
{
    ForEachRow(lines, [&](db::Statement& q) {
        const int position = q.field(column).asInt();
        if (position >= 1 && position <= count)
            fill(q, position);
        else
            NoteRowOutsideForm(q, breakdown, position);
    });
}

void TKojinKessansyoIO::NoteRowOutsideForm(db::Statement& q, const char* breakdown, int position)
{
    std::string name;
    bool blank = true;
    const std::size_t fields = q.fieldCount();
    for (std::size_t i = 0; i < fields; ++i) {
        const db::Field f = q.field(i);
        const std::string column = f.name();
        if (column == "REC" || column == "NUMBER" || column == "SENJYU" || column == "ITEM" || f.isNull())
            continue;
        switch (f.kind()) {
        case db::FieldKind::Text:
        case db::FieldKind::TextBlob: {
            const std::string text = trimmed(f.asString());
            if (!text.empty()) {
                blank = false;
                if (name.empty())
                    name = text;
            }
            break;
        }
        case db::FieldKind::Integer:
        case db::FieldKind::Numeric:
            if (f.asCurrency() != 0)
                blank = false;
            break;
        case db::FieldKind::Float:
            if (f.asDouble() != 0)
                blank = false;
            break;
        default:
            blank = false;
            break;
        }
    }
    if (blank)
        return;
    std::string text = std::string(breakdown) + " " + std::to_string(position) + "行目";
    if (!name.empty())
        text += "「" + name + "」";
    OutsideForm.push_back(text + "は" + FormName() + "の様式にありません。");
}

void TKojinKessansyoIO::ReadNoteLines(int count, const std::function<void(int rec, const std::string& note)>& note)
{
    db::Statement& q = *query_;
    q.setSql("SELECT REC,NOTE FROM AO_NOTE\nORDER BY REC");
    q.execute();
    while (q.fetch()) {
        const int rec = q.field("REC").asInt();
        if (rec > count)
            break;
        if (rec >= 1)
            note(rec, q.field("NOTE").asString());
    }
    q.close();
}

void TKojinKessansyoIO::FillEmployee(db::Statement& q, TKyuyoChinginRec& e)
{
    e.SIMEI = q.field("SIMEI").asString();
    e.NENREI = q.field("NENREI").asInt();
    e.TUKISUU = q.field("TUKISUU").asInt();
    e.KYUUYO = q.field("KYUUYO").asCurrency();
    e.SHOUYO = q.field("SHOUYO").asCurrency();
    e.GOUKEI = q.field("GOUKEI").asCurrency();
    e.GENSEN = q.field("GENSEN").asCurrency();
}

void TKojinKessansyoIO::FillFamilyEmployee(db::Statement& q, TSenjyusyaKyuyoRec& e)
{
    e.SIMEI = q.field("SIMEI").asString();
    e.TUZUKIGARA = q.field("TUZUKIGARA").asString();
    e.NENREI = q.field("NENREI").asInt();
    e.TUKISUU = q.field("TUKISUU").asInt();
    e.KYUUYO = q.field("KYUUYO").asCurrency();
    e.SHOUYO = q.field("SHOUYO").asCurrency();
    e.GOUKEI = q.field("GOUKEI").asCurrency();
    e.GENSEN = q.field("GENSEN").asCurrency();
}

void TKojinKessansyoIO::FillInterest(db::Statement& q, TRisiWaribikiRec& e)
{
    e.SIHARAISAKI1 = q.field("SIHARAISAKI1").asString();
    e.SIHARAISAKI2 = q.field("SIHARAISAKI2").asString();
    e.KIMATU = q.field("KIMATU").asCurrency();
    e.RISI = q.field("RISI").asCurrency();
    e.KEIHI = q.field("KEIHI").asCurrency();
}

void TKojinKessansyoIO::FillRent(db::Statement& q, TJidaiYachinRec& e)
{
    e.SIHARAISAKI1 = q.field("SIHARAISAKI1").asString();
    e.SIHARAISAKI2 = q.field("SIHARAISAKI2").asString();
    e.BUKKEN1 = q.field("BUKKEN1").asString();
    e.BUKKEN2 = q.field("BUKKEN2").asString();
    e.KENRI = q.field("KENRI").asCurrency();
    e.KOUSIN = q.field("KOUSIN").asCurrency();
    e.TINRYOU = q.field("TINRYOU").asCurrency();
    e.KEIHI = q.field("KEIHI").asCurrency();
}

void TKojinKessansyoIO::FillFee(db::Statement& q, TZeirisiHousyuuRec& e)
{
    e.SIHARAISAKI1 = q.field("SIHARAISAKI1").asString();
    e.SIHARAISAKI2 = q.field("SIHARAISAKI2").asString();
    e.HOUSHU = q.field("HOUSHU").asCurrency();
    e.KEIHI = q.field("KEIHI").asCurrency();
    e.GENSEN = q.field("GENSEN").asCurrency();
}

Currency TKojinKessansyoIO::BulkAllowanceLimit(std::int32_t rate, std::int32_t hasuu, Currency receivables,
                                               Currency current)
{
    Currency percent = 0;
    if (rate == 0)
        percent = 55000;   // 5.5 %
    else if (rate == 1)
        percent = 33000;   // 3.3 %
    else
        return current;
    return HasuuSyori(hasuu, TaxQuotient(receivables, percent, YenToCurrency(100)));
}

} // namespace vq
