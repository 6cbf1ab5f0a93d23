// The wrapper against real databases through the embedded engine.
#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <thread>

#include "DbTestSupport.h"
#include "platform/Cp932.h"
#include "platform/db/DbError.h"
#include "platform/db/Statement.h"

using namespace vq;
using namespace vq::db;

namespace {

class EmbeddedDb : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.create(test::localParams(dir / "test.fdb"));
        test::runDdl(db, {
            "CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, C CHAR(20), V VARCHAR(40),"
            " M BLOB SUB_TYPE TEXT, B BLOB SUB_TYPE BINARY, D DATE, TS TIMESTAMP,"
            " N NUMERIC(15,2), AMT NUMERIC(18,4), F DOUBLE PRECISION)",
        });
    }

    std::int64_t count(std::string_view where = "1=1")
    {
        Transaction tr(db, kReadCommittedReadOnly);
        tr.start();
        Statement q(db, tr, "SELECT COUNT(*) FROM T WHERE " + std::string(where));
        q.execute();
        EXPECT_TRUE(q.fetch());
        return q.field(std::size_t{0}).asInt64();
    }

    void insertRow(Transaction& tr, int id, std::string_view v = "x")
    {
        Statement ins(db, tr, "INSERT INTO T (ID, V) VALUES (:ID, :V)");
        ins.param("ID").setInt(id);
        ins.param("V").setString(v);
        ins.execute();
    }

    // Row 1 committed, and other attached to the same database: two
    // writers of one row.
    void rowAndSecondConnection(Attachment& other)
    {
        Transaction tr(db);
        tr.start();
        insertRow(tr, 1);
        tr.commit();
        other.attach(test::localParams(dir / "test.fdb"));
    }

    test::TempDir dir;
    Attachment db;
};

TEST_F(EmbeddedDb, Cp932TextRoundTripsByteForByte)
{
    // Characters whose mapping differs between Shift_JIS tables, NEC special
    // characters, half-width katakana and the ASCII backslash.
    const std::string text = "～＼－￢①Ⅰ㈱ｱｲｳﾊﾟ\\末尾";
    const std::string expected = "\x81\x60\x81\x5F\x81\x7C\x81\xCA\x87\x40\x87\x54\x87\x8A\xB1\xB2\xB3\xCA\xDF\\"
                                 "\x96\x96\x94\xF6";
    // Firebird 3 cannot read NEC special characters back from a CHAR column
    // (it fails to measure them for padding); VARCHAR and text blobs keep them.
    const std::string charText = "～＼－￢ｱｲｳﾊﾟ\\末尾";
    const std::vector<std::string> lines = {text, "", "２行目：コロン"};
    {
        Transaction tr(db);
        tr.start();
        Statement ins(db, tr, "INSERT INTO T (ID, C, V, M) VALUES (:ID, :C, :V, :M)");
        ins.param("ID").setInt(1);
        ins.param("C").setString(charText);
        ins.param("V").setString(text);
        ins.param("M").setLines(lines);
        ins.execute();
        ins.param("ID").setInt(2);
        ins.param("V").setString("¬");   // U+00AC: the same byte pair as U+FFE2
        ins.execute();
        tr.commit();
    }
    Transaction tr(db);
    tr.start();
    Statement q(db, tr, "SELECT C, V, M FROM T ORDER BY ID");
    q.execute();
    ASSERT_TRUE(q.fetch());
    EXPECT_EQ(q.field("C").asString(), charText);   // CHAR padding removed
    EXPECT_EQ(q.field("V").asString(), text);
    EXPECT_EQ(q.field("M").asLines(), lines);
    EXPECT_EQ(q.field("M").asBytes(), expected + "\r\n\r\n" + platform::cp932::fromUtf8("２行目：コロン") + "\r\n");

    const auto file = dir / "out.txt";
    platform::cp932::writeFile(file, q.field("V").asString());
    EXPECT_EQ(test::readBytes(file), expected);
    ASSERT_TRUE(q.fetch());
    EXPECT_EQ(q.field("V").asBytes(), "\x81\xCA");
}

TEST_F(EmbeddedDb, DestroyedOrScopedTransactionsNeverCommit)
{
    try {
        Transaction tr(db);
        tr.start();
        insertRow(tr, 1);
        throw std::runtime_error("failure in the middle of the work");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(count(), 0);

    // The scope rolls back only what it started itself.
    Transaction outer(db);
    outer.start();
    {
        TransactionScope scope(outer);
        EXPECT_FALSE(scope.startedHere());
        insertRow(outer, 2);
    }
    EXPECT_TRUE(outer.active());
    outer.commit();
    try {
        TransactionScope scope(outer);
        insertRow(outer, 3);
        insertRow(outer, 3);   // duplicate key
        scope.commit();
    } catch (const DbError&) {
    }
    EXPECT_FALSE(outer.active());
    EXPECT_EQ(count(), 1);
}

TEST_F(EmbeddedDb, PreparedStatementRunsAgainAcrossCommitAndRollback)
{
    Transaction tr(db);
    tr.start();
    Statement ins(db, tr, "INSERT INTO T (ID) VALUES (:ID)");
    ins.prepare();
    Statement sel(db, tr, "SELECT ID FROM T ORDER BY ID");
    for (int id = 1; id <= 3; ++id) {
        ins.param("ID").setInt(id);
        ins.execute();
        EXPECT_EQ(ins.rowsAffected(), 1);
        sel.execute();            // re-executing closes the previous cursor
        ASSERT_TRUE(sel.fetch());
        if (id == 2)
            tr.rollback();
        else
            tr.commit();
        EXPECT_FALSE(sel.cursorOpen());   // the transaction's end closed it
        tr.start();
    }
    EXPECT_TRUE(ins.prepared());
    sel.execute();
    std::vector<int> ids;
    while (sel.fetch())
        ids.push_back(sel.field("ID").asInt());
    EXPECT_EQ(ids, (std::vector<int>{1, 3}));
}

TEST_F(EmbeddedDb, NumericSumsAreExact)
{
    Transaction tr(db);
    tr.start();
    Statement ins(db, tr, "INSERT INTO T (ID, N, AMT, F) VALUES (:ID, :N, :AMT, :F)");
    Currency expected = 0;
    for (int i = 1; i <= 2000; ++i) {
        const Currency amount = 1000 * i + 100 * (i % 100);   // x.y0 yen: exact in NUMERIC(15,2)
        ins.param("ID").setInt(i);
        ins.param("N").setCurrency(amount);
        ins.param("AMT").setNumeric({i * 3, 4});   // 0.0003 * i
        ins.param("F").setDouble(0.1);
        ins.execute();
        expected += amount;
    }
    Statement sum(db, tr, "SELECT SUM(N) AS SN, SUM(AMT) AS SA, SUM(F) AS SF, MAX(N) AS MX FROM T");
    sum.execute();
    ASSERT_TRUE(sum.fetch());
    EXPECT_EQ(sum.field("SN").asCurrency(), expected);
    EXPECT_EQ(sum.field("SN").kind(), FieldKind::Numeric);
    EXPECT_EQ(sum.field("SA").asNumeric(), (Numeric{3 * 2000 * 2001 / 2, 4}));
    EXPECT_EQ(sum.field("MX").asString(), "200.89");
    EXPECT_EQ(sum.field("SF").asCurrency(), 200 * kCurrencyOne);   // double rounded to currency

    // A value with more decimals than the column rounds in the server, half
    // away from zero.
    Statement upd(db, tr, "UPDATE T SET N = :N WHERE ID = 1");
    upd.param("N").setCurrency(12345);   // 1.2345 -> 1.23
    upd.execute();
    Statement one(db, tr, "SELECT N FROM T WHERE ID = 1");
    one.execute();
    ASSERT_TRUE(one.fetch());
    EXPECT_EQ(one.field("N").asCurrency(), 12300);
}

TEST_F(EmbeddedDb, RepeatedNamesAndColonsInsideLiteralsAndComments)
{
    Transaction tr(db);
    tr.start();
    insertRow(tr, 7, "a:b");
    insertRow(tr, 8, "a:b");
    Statement q(db, tr,
                "SELECT ID, V, 'x:y' AS LIT /* :NOT_A_PARAM */ FROM T\n"
                "WHERE (ID = :ID OR ID = :id + 1) -- :NOR_THIS\n"
                "AND V = 'a:b' ORDER BY ID");
    EXPECT_EQ(q.paramNames(), (std::vector<std::string>{"ID"}));
    EXPECT_EQ(q.paramCount(), 2u);
    q.param("Id").setInt(7);
    q.execute();
    std::vector<int> ids;
    while (q.fetch()) {
        ids.push_back(q.field("ID").asInt());
        EXPECT_EQ(q.field("LIT").asString(), "x:y");
    }
    EXPECT_EQ(ids, (std::vector<int>{7, 8}));
    EXPECT_THROW(q.param("NOT_A_PARAM"), DbError);
}

TEST_F(EmbeddedDb, NullsDatesAndColumnsOfSelectStar)
{
    Transaction tr(db);
    tr.start();
    Statement ins(db, tr, "INSERT INTO T (ID, V, D, TS, N) VALUES (:ID, :V, :D, :TS, :N)");
    ins.param("ID").setInt(1);
    ins.param("V").setNull();
    ins.param("D").setDate(0);              // no date
    ins.param("TS").setDateTime(0);
    ins.param("N").setNull();
    ins.execute();
    ins.param("ID").setInt(2);
    ins.param("V").setString("");
    ins.param("D").setDate(45000.75);       // 2023-03-15; the time is dropped
    ins.param("TS").setDateTime(45000.5);   // noon
    ins.param("N").setCurrency(0);
    ins.execute();

    Transaction notStarted(db);
    Statement q(db, notStarted, "SELECT * FROM T ORDER BY ID");
    EXPECT_TRUE(q.hasField("ts"));   // columns are known before any work starts
    EXPECT_FALSE(notStarted.active());
    q.setTransaction(tr);
    EXPECT_FALSE(q.hasField("NO_SUCH_COLUMN"));
    EXPECT_THROW(q.field("NO_SUCH_COLUMN"), DbError);
    q.execute();
    ASSERT_TRUE(q.fetch());
    EXPECT_TRUE(q.field("V").isNull());
    EXPECT_EQ(q.field("V").asString(), "");
    EXPECT_TRUE(q.field("D").isNull());
    EXPECT_EQ(q.field("D").asDate(), 0.0);
    EXPECT_EQ(q.field("N").asCurrency(), 0);
    EXPECT_TRUE(q.field("M").asLines().empty());
    ASSERT_TRUE(q.fetch());
    EXPECT_FALSE(q.field("V").isNull());
    EXPECT_EQ(q.field("D").asDate(), 45000.0);
    EXPECT_EQ(q.field("D").asString(), "2023/03/15");
    EXPECT_DOUBLE_EQ(q.field("TS").asDateTime(), 45000.5);
    EXPECT_EQ(q.field("TS").asString(), "2023/03/15 12:00:00");
    EXPECT_FALSE(q.field("N").isNull());
    EXPECT_FALSE(q.fetch());
    EXPECT_THROW(q.field("ID").asInt(), DbError);   // no current row
}

TEST_F(EmbeddedDb, ACopiedRowKeepsItsValuesWhileTheCursorMovesOn)
{
    Transaction tr(db);
    tr.start();
    Statement ins(db, tr, "INSERT INTO T (ID, V, N) VALUES (:ID, :V, :N)");
    ins.param("ID").setInt(1);
    ins.param("V").setString("一行目");
    ins.param("N").setNull();
    ins.execute();
    ins.param("ID").setInt(2);
    ins.param("V").setNull();
    ins.param("N").setCurrency(12300);
    ins.execute();

    Statement q(db, tr, "SELECT V, N FROM T ORDER BY ID");
    q.execute();
    std::vector<unsigned char> first(q.rowSize());
    EXPECT_THROW(q.copyRow(first.data()), DbError);   // no current row yet
    ASSERT_TRUE(q.fetch());
    q.copyRow(first.data());
    ASSERT_TRUE(q.fetch());
    const Field v = q.field(std::size_t{0}).withRow(first.data());
    const Field n = q.field(std::size_t{1}).withRow(first.data());
    EXPECT_EQ(v.asString(), "一行目");
    EXPECT_TRUE(n.isNull());
    EXPECT_TRUE(q.field("V").isNull());   // the statement's own row is the second
    EXPECT_EQ(q.field("N").asCurrency(), 12300);
    EXPECT_FALSE(q.fetch());
    EXPECT_EQ(v.asString(), "一行目");    // the copy outlives the cursor
}

TEST_F(EmbeddedDb, BinaryBlobsKeepEveryByte)
{
    std::string bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += static_cast<char>(i * 7 % 256);
    Transaction tr(db);
    tr.start();
    Statement ins(db, tr, "INSERT INTO T (ID, B) VALUES (1, :B)");
    ins.param("B").setBytes(bytes);
    ins.execute();
    tr.commitRetaining();
    Statement q(db, tr, "SELECT B FROM T");
    q.execute();
    ASSERT_TRUE(q.fetch());
    EXPECT_EQ(q.field("B").kind(), FieldKind::BinaryBlob);
    EXPECT_EQ(q.field("B").asBytes(), bytes);
}

TEST_F(EmbeddedDb, SelectableAndExecutableProcedures)
{
    test::runDdl(db, {
        "CREATE PROCEDURE SPLIT_AMOUNT (TOTAL NUMERIC(18,4), PARTS INTEGER)\n"
        "  RETURNS (ROW_NO INTEGER, PART NUMERIC(18,4)) AS\n"
        "BEGIN\n"
        "  ROW_NO = 0;\n"
        "  WHILE (ROW_NO < :PARTS) DO BEGIN\n"
        "    ROW_NO = ROW_NO + 1; PART = :TOTAL / :PARTS; SUSPEND;\n"
        "  END\n"
        "END",
        "CREATE PROCEDURE GREET (NAME VARCHAR(20)) RETURNS (TEXT VARCHAR(40), LEN INTEGER) AS\n"
        "BEGIN TEXT = 'ようこそ' || :NAME; LEN = CHAR_LENGTH(TEXT); END",
    });
    Transaction tr(db);
    tr.start();
    Statement sel(db, tr, "SELECT ROW_NO, PART FROM SPLIT_AMOUNT(:TOTAL, :PARTS)");
    sel.param("TOTAL").setCurrency(100 * kCurrencyOne);
    sel.param("PARTS").setInt(4);
    sel.execute();
    Currency total = 0;
    int rows = 0;
    while (sel.fetch()) {
        total += sel.field("PART").asCurrency();
        ++rows;
    }
    EXPECT_EQ(rows, 4);
    EXPECT_EQ(total, 100 * kCurrencyOne);

    Statement exec(db, tr, "EXECUTE PROCEDURE GREET(:NAME)");
    exec.param("NAME").setString("山田㈱");
    exec.execute();
    ASSERT_TRUE(exec.hasRow());   // outputs without fetch
    EXPECT_EQ(exec.field("TEXT").asString(), "ようこそ山田㈱");
    EXPECT_EQ(exec.field("LEN").asInt(), 7);
}

TEST_F(EmbeddedDb, TwoWritersOfOneRowConflictAtOnce)
{
    Attachment other;
    rowAndSecondConnection(other);
    Transaction first(db), second(other);
    first.start();
    second.start();
    Statement a(db, first, "UPDATE T SET V = 'first' WHERE ID = 1");
    Statement b(other, second, "UPDATE T SET V = 'second' WHERE ID = 1");
    a.execute();
    try {
        b.execute();
        FAIL() << "the second update should conflict";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.isLockConflict()) << e.message();
        EXPECT_FALSE(e.isLostConnection());
        EXPECT_NE(e.errorCode(), 0);
        EXPECT_NE(e.sqlCode(), 0);
    }
}

TEST_F(EmbeddedDb, AWaitingWriterGetsTheRowWhenItIsFreedOrGivesUpAfterItsLockTimeout)
{
    Attachment other;
    rowAndSecondConnection(other);
    for (const bool freed : {true, false}) {
        SCOPED_TRACE(freed ? "freed after 300 ms" : "held");
        Transaction holding(db), waiting(other, {Isolation::ReadCommitted, false, true, 2});
        holding.start();
        Statement hold(db, holding, "UPDATE T SET V = 'held' WHERE ID = 1");
        hold.execute();
        std::jthread release;
        if (freed)
            release = std::jthread([&holding] {
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                holding.rollback();
            });
        waiting.start();
        Statement change(other, waiting, "UPDATE T SET V = 'waited' WHERE ID = 1");
        const auto started = std::chrono::steady_clock::now();
        try {
            change.execute();
            EXPECT_TRUE(freed);
        } catch (const DbError& e) {
            EXPECT_FALSE(freed) << e.message();
            EXPECT_TRUE(e.isLockConflict()) << e.message();
            // The transaction outlives its failed statement.
            EXPECT_TRUE(waiting.active());
        }
        const auto waited = std::chrono::steady_clock::now() - started;
        // The engine counts the time-out in whole seconds, not to the tick.
        EXPECT_GE(waited, std::chrono::milliseconds(freed ? 250 : 1000));
        EXPECT_LT(waited, std::chrono::seconds(5));
        waiting.rollback();
        if (release.joinable())
            release.join();
        holding.rollback();
    }
}

TEST_F(EmbeddedDb, TextLongerThanTheColumnFailsInsteadOfBeingCut)
{
    // Firebird measures SJIS_0208 text in bytes: VARCHAR(40) holds 80 bytes.
    Transaction tr(db);
    tr.start();
    try {
        insertRow(tr, 1, std::string(81, 'x'));
        FAIL() << "expected string right truncation";
    } catch (const DbError& e) {
        EXPECT_NE(e.message().find("truncation"), std::string::npos) << e.message();
    }
    std::string kana;
    for (int i = 0; i < 40; ++i)
        kana += "あ";
    insertRow(tr, 2, kana);   // exactly 80 bytes
    EXPECT_THROW(db.execute(tr, "SELECT '\U0001F600' FROM RDB$DATABASE"), DbError);   // not in CP932
}

TEST_F(EmbeddedDb, OneTransactionSpansTwoDatabases)
{
    Attachment second;
    second.create(test::localParams(dir / "second.fdb"));
    test::runDdl(second, {"CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, V VARCHAR(40))"});
    auto countIn = [](Attachment& a) {
        Transaction tr(a);
        tr.start();
        Statement q(a, tr, "SELECT COUNT(*) AS N FROM T");
        q.execute();
        q.fetch();
        return q.field("N").asInt();
    };
    Transaction both({&db, &second});
    for (bool commit : {false, true}) {
        both.start();
        Statement inDb(db, both, "INSERT INTO T (ID) VALUES (1)");
        Statement inSecond(second, both, "INSERT INTO T (ID) VALUES (1)");
        inDb.execute();
        inSecond.execute();
        commit ? both.commit() : both.rollback();
        EXPECT_EQ(countIn(db), commit ? 1 : 0);
        EXPECT_EQ(countIn(second), commit ? 1 : 0);
    }
}

TEST_F(EmbeddedDb, DetachRollsBackAndStatementsFollowAReattach)
{
    Transaction tr(db);
    Statement q(db, tr, "SELECT COUNT(*) AS N FROM T");
    tr.start();
    insertRow(tr, 1);
    q.execute();
    db.detach();
    EXPECT_FALSE(tr.active());
    EXPECT_FALSE(q.prepared());
    EXPECT_THROW(tr.start(), DbError);   // not attached

    db.attach(test::localParams(dir / "test.fdb"));
    tr.start();
    q.execute();   // prepared again on the new connection
    ASSERT_TRUE(q.fetch());
    EXPECT_EQ(q.field("N").asInt(), 0);
    EXPECT_NE(db.serverVersion().find("Firebird 3"), std::string::npos) << db.serverVersion();
}

TEST_F(EmbeddedDb, ConnectFailuresAreDbErrors)
{
    Attachment a;
    EXPECT_THROW(a.attach({"", "SYSDBA", "x"}), DbError);
    try {
        a.attach(test::localParams(dir / "missing.fdb"));
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.hasCode(gds::ioError)) << e.message();
        EXPECT_FALSE(e.isLostConnection());
    }
    EXPECT_FALSE(a.attached());
    EXPECT_THROW(a.create(test::localParams(dir / "test.fdb")), DbError);   // exists
    // File names travel as UTF-8 and come back so in the message; names
    // from the database come in CP932 and are converted.
    try {
        a.attach(test::localParams(dir / "データ" / "missing.fdb"));
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.hasCode(gds::ioError)) << e.message();
        EXPECT_NE(e.message().find("データ/missing.fdb"), std::string::npos) << e.message();
    }
    std::filesystem::create_directories(dir / "データ");
    a.create(test::localParams(dir / "データ" / "会計.fdb"));
    test::runDdl(a, {"CREATE EXCEPTION E_DUP '仕訳が重複しています'"});
    Transaction tr(a);
    tr.start();
    try {
        a.execute(tr, "EXECUTE BLOCK AS BEGIN EXCEPTION E_DUP; END");
        FAIL();
    } catch (const DbError& e) {
        EXPECT_NE(e.message().find("仕訳が重複しています"), std::string::npos) << e.message();
    }
}

TEST_F(EmbeddedDb, ExecuteBlockTakesHeaderParametersAndKeepsItsVariables)
{
    Transaction tr(db);
    tr.start();
    Statement q(db, tr,
                "EXECUTE BLOCK (X INTEGER = :X) RETURNS (R INTEGER) AS\n"
                "DECLARE V INTEGER;\n"
                "BEGIN\n"
                "  V = :X + 1;\n"
                "  R = :V * 2;\n"
                "  SUSPEND;\n"
                "END");
    EXPECT_EQ(q.paramNames(), (std::vector<std::string>{"X"}));
    q.param("X").setInt(20);
    q.execute();
    ASSERT_TRUE(q.fetch());
    EXPECT_EQ(q.field("R").asInt(), 42);
}

TEST_F(EmbeddedDb, DayNumbersKeepTimesBeforeDayZeroAndRoundIntoTheNextDay)
{
    Transaction tr(db);
    tr.start();
    Statement ins(db, tr, "INSERT INTO T (ID, D, TS) VALUES (:ID, :D, :TS)");
    Statement q(db, tr, "SELECT D, TS FROM T WHERE ID = :ID");
    struct Case {
        double given;
        double date;
        double dateTime;
        const char* text;
    };
    const Case cases[] = {
        {-1.25, -1, -1.25, "1899/12/29 06:00:00"},
        {-36522.5, -36522, -36522.5, "1800/01/01 12:00:00"},
        {45000.0 + 1 - 1e-11, 45001, 45001, "2023/03/16 00:00:00"},   // a hair below midnight
        {-2.0 + 1e-11, -2, -2, "1899/12/28 00:00:00"},
        {45000.0 + 1234.0 / 86400000, 45000, 45000.0 + 1234.0 / 86400000, "2023/03/15 00:00:01"},
    };
    int id = 0;
    for (const auto& c : cases) {
        ins.param("ID").setInt(++id);
        ins.param("D").setDate(c.given);
        ins.param("TS").setDateTime(c.given);
        ins.execute();
        q.param("ID").setInt(id);
        q.execute();
        ASSERT_TRUE(q.fetch()) << c.given;
        EXPECT_EQ(q.field("D").asDate(), c.date) << c.text;
        EXPECT_NEAR(q.field("TS").asDateTime(), c.dateTime, 1e-9) << c.text;
        EXPECT_EQ(q.field("TS").asString(), c.text);
    }
}

TEST_F(EmbeddedDb, ExactNumbersAtTheirLimits)
{
    Transaction tr(db);
    tr.start();
    Statement ins(db, tr, "INSERT INTO T (ID, AMT, N) VALUES (:ID, :AMT, :N)");
    Statement q(db, tr, "SELECT AMT, N FROM T WHERE ID = :ID");
    struct Case {
        Numeric amount;      // into NUMERIC(18,4)
        Currency currency;   // into NUMERIC(15,2): rounded there
        const char* amountText;
        Currency stored;
    };
    const Case cases[] = {
        {{INT64_MAX, 4}, 5, "922337203685477.5807", 0},
        {{INT64_MIN, 4}, -5, "-922337203685477.5808", 0},   // -0.0005 -> -0.00
        {{-15, 0}, 15000, "-15.0000", 15000},                // 1.5 -> 1.50
        {{-1, 3}, -12355, "-0.0010", -12400},                // -1.2355 -> -1.24
        {{7, 1}, 50, "0.7000", 100},                         // 0.005 -> 0.01
    };
    int id = 0;
    for (const auto& c : cases) {
        ins.param("ID").setInt(++id);
        ins.param("AMT").setNumeric(c.amount);
        ins.param("N").setCurrency(c.currency);
        ins.execute();
        q.param("ID").setInt(id);
        q.execute();
        ASSERT_TRUE(q.fetch());
        EXPECT_EQ(q.field("AMT").asString(), c.amountText);
        EXPECT_EQ(q.field("AMT").asNumeric(), c.amount);
        EXPECT_EQ(q.field("N").asCurrency(), c.stored) << c.amountText;
    }
    q.param("ID").setInt(1);
    q.execute();
    ASSERT_TRUE(q.fetch());
    EXPECT_EQ(q.field("AMT").asCurrency(), INT64_MAX);
    EXPECT_THROW(q.field("AMT").asInt(), DbError);

    Statement text(db, tr, "SELECT '-9223372036854775808' AS LO, ' 9223372036854775807 ' AS HI,"
                           " '9223372036854775808' AS BIG FROM RDB$DATABASE");
    text.execute();
    ASSERT_TRUE(text.fetch());
    EXPECT_EQ(text.field("LO").asNumeric(), (Numeric{INT64_MIN, 0}));
    EXPECT_EQ(text.field("HI").asInt64(), INT64_MAX);
    EXPECT_THROW(text.field("BIG").asNumeric(), DbError);
}

// Ending or starting a transaction behind the wrapper's back would leave it
// believing in a transaction the server has ended (the next statement fails
// and the destructor crashes) or leak one it never sees.
TEST_F(EmbeddedDb, TransactionControlAsSqlTextIsRefused)
{
    Transaction tr(db);
    tr.start();
    insertRow(tr, 1);
    for (const char* sql : {"COMMIT", "commit work", "COMMIT RETAIN", "ROLLBACK", "ROLLBACK RETAIN",
                            "SET TRANSACTION READ ONLY", "  set transaction"}) {
        SCOPED_TRACE(sql);
        Statement q(db, tr, sql);
        try {
            q.execute();
            FAIL() << "ran as SQL text";
        } catch (const DbError& e) {
            EXPECT_NE(e.message().find("commit and rollback"), std::string::npos) << e.message();
            EXPECT_NE(e.message().find(sql), std::string::npos) << e.message();
        }
        EXPECT_FALSE(q.prepared());
        EXPECT_THROW(db.execute(tr, sql), DbError);
    }
    // The transaction went on untouched and still holds its row.
    ASSERT_TRUE(tr.active());
    insertRow(tr, 2);
    tr.commit();
    EXPECT_EQ(count(), 2);
}

// Values the statement was not given would reach the server as 0 or ''.
TEST_F(EmbeddedDb, ValuesThatDoNotMatchTheParametersAreRefused)
{
    Transaction tr(db);
    tr.start();
    // With the check off (as for DDL) the text's '?' get no values at all.
    for (const char* sql : {"INSERT INTO T (ID, V) VALUES (?, ?)", "INSERT INTO T (ID, V) VALUES (?, 'x')"}) {
        SCOPED_TRACE(sql);
        Statement q(db, tr, sql, false);
        try {
            q.execute();
            FAIL() << "ran with values missing";
        } catch (const DbError& e) {
            EXPECT_NE(e.message().find(sql), std::string::npos) << e.message();
            EXPECT_NE(e.message().find("parameter"), std::string::npos) << e.message();
        }
        EXPECT_THROW(db.execute(tr, sql), DbError);
    }
    EXPECT_EQ(count(), 0);

    // Positional and named parameters with every value given run as before.
    Statement q(db, tr, "INSERT INTO T (ID, V, C) VALUES (?, :V, ?)");
    EXPECT_EQ(q.paramCount(), 3u);
    q.paramAt(0).setInt(7);
    q.param("V").setString("seven");
    q.paramAt(2).setString("c");
    q.execute();
    tr.commit();
    EXPECT_EQ(count("ID = 7 AND V = 'seven'"), 1);
}

TEST_F(EmbeddedDb, DropRemovesTheFile)
{
    Attachment other;
    other.create(test::localParams(dir / "gone.fdb"));
    ASSERT_TRUE(std::filesystem::exists(dir / "gone.fdb"));
    other.drop();
    EXPECT_FALSE(other.attached());
    EXPECT_FALSE(std::filesystem::exists(dir / "gone.fdb"));
}

} // namespace
