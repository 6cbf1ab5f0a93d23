#pragma once
// The base of the settlement-statement readers (general business, real
// estate, agriculture). A reader turns the open data set of one individual
// into an in-memory copy of the blue-return settlement statement; the
// income-tax data maker creates one per export, by the data set's statement
// kind, loads it once and maps its record onto the linkage file.
//
// The base holds the statement query, the balances of the fiscal year per
// statement line (from the trial-balance front, settlement layout) and the
// two depreciation lists, and does what the three readers do alike: the
// return header, the sign rule, the balance-sheet walk, the statement lines
// with their hand-entered values, the blue-return deduction block and the
// balance-sheet totals.
//
// Calling order: construct (needs the data module with the data set open),
// SetTransaction, optionally set TaxMode, Load once, read the record and the
// lists, destroy.
//
// A reading error is never passed over: Load returns false, and the record
// then holds only what was read up to the error and must not be written.
// Neither is what the data set holds beyond the paper form: an account with
// an amount on a statement line the form does not have, a breakdown row
// numbered past the form's rows. Load then returns false as well and
// OutsideForm names each of them; the caller tells the operator, the reader
// does not.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/accounting/BalanceRecords.h"
#include "foundation/accounting/Currency.h"
#include "linkage/statements/GenkaSyokyakuRec.h"
#include "linkage/statements/KessansyoElements.h"
#include "linkage/statements/StatementRows.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq {

// The balance-sheet side of a statement: lines 1..23, 24 (drawings or
// income), 25 the total.
using TaisyakuRows = StatementRows<TTaisyakuTaisyouhyoRec, 25>;
// The lines of either side that take accounts; 25 is the form's total.
inline constexpr int kTaisyakuFormLines = 24;

// The operator's message of every reading error of a statement.
inline constexpr const char* KessansyoReadErrorMessage = "青色申告決算書レコードの取得に失敗しました。";

// The salary table's columns; a WHERE line picks employees or family employees.
inline constexpr const char* kKyuuyoSelect =
    "SELECT REC,NUMBER,SENJYU,SIMEI,TUZUKIGARA,NENREI,TUKISUU,KYUUYO,SHOUYO,GOUKEI,GENSEN FROM AO_KYUUYO";

class TKojinKessansyoIO {
public:
    // Creates the statement query on the data module's data-set database and
    // transaction, and takes the tax mode from the open data set's default
    // tax treatment. Throws std::logic_error when there is no data module.
    TKojinKessansyoIO();
    virtual ~TKojinKessansyoIO();
    TKojinKessansyoIO(const TKojinKessansyoIO&) = delete;
    TKojinKessansyoIO& operator=(const TKojinKessansyoIO&) = delete;

    // The statement query runs in transaction from now on.
    void SetTransaction(db::Transaction& transaction);

    // Fills the balances of the fiscal year (periods 1..16 with the stored
    // opening balances). False when the trial balance could not be loaded or
    // computed; the front has shown why.
    bool LoadBalances();

    // Clears the record, loads the balances and reads the whole statement.
    // A non-zero ignoreHandEntered reads the balances even where the
    // statement was entered by hand. True when everything was read; false
    // after an error, which has been reported when the reading started the
    // transaction itself, or when OutsideForm names what the form has no
    // place for.
    virtual bool Load(std::int32_t ignoreHandEntered) = 0;

    // The printed title of the reader's form, as the operator knows it.
    virtual const char* FormName() const = 0;

    // One text per statement line or breakdown row that has no place on the
    // form, filled by Load; empty when everything fitted.
    std::vector<std::string> OutsideForm;

    std::int32_t Jigyou = 0;        // passed through to the trial balance
    std::int32_t TaxMode = 0;       // 1 amounts without consumption tax, else with
    std::int32_t BalanceCount = 0;  // rows of Balances and Sorts
    std::vector<TQSORT> Sorts;      // display order of Balances; "ﾟ" marks an empty row
    std::vector<TBALANCE> Balances; // one row per statement line that has accounts
    TGenkaSyokyakuRecArray GenkaList;   // assets of every method but 5
    TGenkaSyokyakuRecArray SyogakuList; // method-5 assets acquired in the fiscal year

    // Sign rule: mode 0 negates for the kinds 2 and 4, mode 1 for 1 and 3;
    // any other kind keeps the amount.
    static Currency SignBySide(int mode, std::int32_t kind, Currency amount);

protected:
    db::Statement& Query() { return *query_; }
    db::Transaction& QueryTransaction() { return *transaction_; }

    // Runs the reading body in the statement query's transaction, started
    // here when it is not active and then committed at the end, after an
    // error too. A database error or another exception of body is reported
    // (label, KessansyoReadErrorMessage) when the transaction was started
    // here; either way the result is false. True when body ran through.
    bool ReadFrame(const std::string& label, const std::function<void()>& body);

    // Sets the SQL of the statement query to lines joined by line breaks,
    // executes it and calls row for each row; closes the cursor.
    void ForEachRow(std::initializer_list<std::string_view> lines, const std::function<void(db::Statement&)>& row);
    // The same with parameters set before the execution.
    void ForEachRow(std::initializer_list<std::string_view> lines, const std::function<void(db::Statement&)>& params,
                    const std::function<void(db::Statement&)>& row);

    // The header as it stands before reading: fiscal year, the time of
    // reading and the particulars of the open data set.
    static void InitHeader(TKojinKessansyoHeader& header);
    // The common columns of one AO_SINKOKU row.
    static void ReadHeaderRow(db::Statement& q, TKojinKessansyoHeader& header);
    // After the return header: the fiscal year, or the print period when the
    // data set's "印刷用期間使用区分" exceeds threshold.
    static void SetStatementPeriod(TKojinKessansyoHeader& header, std::int32_t threshold);

    // Walks the balances in display order: asset and liability lines 1..24
    // go into sisan and fusai, each profit-and-loss row ("4100" to "8400")
    // goes to profitAndLoss, which answers whether the form has a place for
    // it. Then the drawings, borrowings and income lines lose their opening.
    // An account row with an amount that found no place (a balance-sheet
    // line beyond 24, a line the reader does not carry) is noted in
    // OutsideForm with its accounts, unless the statement was entered by
    // hand: its amounts then come from the statement lines alone.
    void WalkBalances(TaisyakuRows& sisan, TaisyakuRows& fusai, bool handEntered,
                      const std::function<bool(const std::string& group, int line, const TBALANCE& row)>& profitAndLoss);

    // One EXTERKS row as the statement-lines step sees it.
    struct StatementLine {
        std::int32_t REC = 0;
        std::string KGROUP;
        std::int32_t SUBREC = 0;
        std::string KNAME1;
        Currency AO_KISHUZAN = 0;
        Currency AO_KIMATUZAN = 0;
    };
    // Reads EXTERKS in group and line order: asset ("1100") and liability
    // ("2100") lines 1..24 take their REC, and with handEntered their
    // amounts; every other row goes to other, which answers false for a line
    // of one of the reader's groups that the form does not have. With
    // handEntered, such a line with an amount of its own is noted in
    // OutsideForm.
    void ReadStatementLines(TaisyakuRows& sisan, TaisyakuRows& fusai, bool handEntered,
                            const std::function<bool(const StatementLine& line)>& other);

    // The position column of a row when it is inside the array, 0 when the
    // row is to be skipped.
    template <class Rows>
    static int RowPosition(const Rows&, std::int32_t position)
    {
        return Rows::contains(position) ? position : 0;
    }

    // Runs the query of lines and hands every row whose column position
    // lies in 1..count to fill. A row outside that holds anything (a text
    // or a number besides its keys) is noted in OutsideForm under the
    // breakdown's caption; a blank one is passed over.
    void ReadPositioned(std::initializer_list<std::string_view> lines, const char* column, int count,
                        const char* breakdown, const std::function<void(db::Statement&, int position)>& fill);
    // Notes a row of breakdown at position that the form has no place for,
    // unless the row is blank.
    void NoteRowOutsideForm(db::Statement& q, const char* breakdown, int position);

    // The breakdown tables the statements share, each row into the element
    // of its position.
    template <int N>
    void ReadEmployees(StatementRows<TKyuyoChinginRec, N>& rows)
    {
        ReadPositioned({kKyuuyoSelect, "WHERE SENJYU=0", "ORDER BY NUMBER"}, "NUMBER", N, "給料賃金の内訳",
                       [&](db::Statement& q, int n) { FillEmployee(q, rows[n]); });
    }
    template <int N>
    void ReadFamilyEmployees(StatementRows<TSenjyusyaKyuyoRec, N>& rows)
    {
        ReadPositioned({kKyuuyoSelect, "WHERE SENJYU=1", "ORDER BY NUMBER"}, "NUMBER", N, "専従者給与の内訳",
                       [&](db::Statement& q, int n) { FillFamilyEmployee(q, rows[n]); });
    }
    template <int N>
    void ReadInterest(StatementRows<TRisiWaribikiRec, N>& rows)
    {
        ReadPositioned({"SELECT REC,SIHARAISAKI1,SIHARAISAKI2,KIMATU,RISI,KEIHI FROM AO_RISI", "ORDER BY REC"}, "REC",
                       N, "利子割引料の内訳", [&](db::Statement& q, int n) { FillInterest(q, rows[n]); });
    }
    template <int N>
    void ReadRents(StatementRows<TJidaiYachinRec, N>& rows)
    {
        ReadPositioned({"SELECT REC,SIHARAISAKI1,SIHARAISAKI2,BUKKEN1,BUKKEN2,KENRI,KOUSIN,TINRYOU,KEIHI FROM AO_TIDAI",
                        "ORDER BY REC"},
                       "REC", N, "地代家賃の内訳", [&](db::Statement& q, int n) { FillRent(q, rows[n]); });
    }
    template <int N>
    void ReadFees(StatementRows<TZeirisiHousyuuRec, N>& rows)
    {
        ReadPositioned({"SELECT REC,SIHARAISAKI1,SIHARAISAKI2,HOUSHU,KEIHI,GENSEN FROM AO_HOUSHU", "ORDER BY REC"},
                       "REC", N, "税理士・弁護士等の報酬・料金の内訳", [&](db::Statement& q, int n) { FillFee(q, rows[n]); });
    }
    // Special circumstances: the reading stops at the first line beyond N.
    template <int N>
    void ReadNotes(StatementRows<std::string, N>& rows)
    {
        ReadNoteLines(N, [&](int rec, const std::string& note) { rows[rec] = note; });
    }
    void ReadNoteLines(int count, const std::function<void(int rec, const std::string& note)>& note);

    static void FillEmployee(db::Statement& q, TKyuyoChinginRec& e);
    static void FillFamilyEmployee(db::Statement& q, TSenjyusyaKyuyoRec& e);
    static void FillInterest(db::Statement& q, TRisiWaribikiRec& e);
    static void FillRent(db::Statement& q, TJidaiYachinRec& e);
    static void FillFee(db::Statement& q, TZeirisiHousyuuRec& e);

    // Salary rows: GOUKEI := salary + bonus on every row but the last; with
    // a total row the last row is cleared and takes the sums of the others,
    // else it is a row like the others.
    template <class Row, int N>
    static void SumSalaries(StatementRows<Row, N>& rows, bool totalRow = true)
    {
        const int last = totalRow ? N - 1 : N;
        Row total{};
        for (int i = 1; i <= last; ++i) {
            Row& e = rows[i];
            e.GOUKEI = e.KYUUYO + e.SHOUYO;
            total.TUKISUU += e.TUKISUU;
            total.KYUUYO += e.KYUUYO;
            total.SHOUYO += e.SHOUYO;
            total.GOUKEI += e.GOUKEI;
            total.GENSEN += e.GENSEN;
        }
        if (totalRow)
            rows[N] = total;
    }

    // The sum of the amounts of lines from..to.
    template <class Rows>
    static Currency SumLines(const Rows& rows, int from, int to)
    {
        Currency sum = 0;
        for (int i = from; i <= to; ++i)
            sum += rows[i].KINGAKU;
        return sum;
    }

    // The bulk bad-debt limit: 5.5 % (rate 0) or 3.3 % (rate 1) of the
    // receivables, taken to the Currency unit (ties to even) and then to
    // whole yen by the rounding mode; any other rate keeps current.
    static Currency BulkAllowanceLimit(std::int32_t rate, std::int32_t hasuu, Currency receivables, Currency current);

    // The blue-return deduction block of the general and agriculture
    // statements. income is the line of the income before the deduction;
    // deduction and net are the deduction and income lines.
    struct DeductionBlock {
        std::int32_t KOUJOKUBUN = 0;
        Currency KOUJO6 = 0, KOUJO7 = 0, KOUJO8 = 0, KOUJO9 = 0, KOUJO10 = 0, KOUJO11 = 0;
    };
    static void ApplyDeduction(DeductionBlock& block, Currency income, Currency& deduction, Currency& net);

    // FUSAI[24] := the income before the deduction, then the total lines 25.
    static void SumBalanceSheet(TaisyakuRows& sisan, TaisyakuRows& fusai, Currency incomeBeforeDeduction);

    // The total line of the depreciation schedule: the amounts of every
    // listed asset of a method other than 5 and the expense of the
    // small-amount assets.
    void SumGenkaTotal(TGenkaSyokyakuRec& total) const;

private:
    // An account row of the balances that the form had no place for.
    struct LineOutsideForm {
        std::int32_t MSTREC = 0;
        std::string group;
        int line = 0;
        std::string name;
    };
    void NoteLinesOutsideForm(const std::vector<LineOutsideForm>& lines);

    std::unique_ptr<db::Statement> query_;
    db::Transaction* transaction_ = nullptr;
};

} // namespace vq
