// The wrapper's pure pieces: the :NAME scanner, exact decimals, CR LF lines
// and the error predicates.
#include <gtest/gtest.h>

#include "platform/db/DbError.h"
#include "platform/db/Numeric.h"
#include "platform/db/ParameterParser.h"
#include "platform/db/TextLines.h"

using namespace vq::db;

TEST(ParameterParser, NamesBecomePositionsAndQuotedTextIsSkipped)
{
    struct Case {
        const char* sql;
        const char* expectedSql;
        std::vector<std::string> positions;
    };
    const Case cases[] = {
        {"SELECT * FROM T WHERE A = :a AND B = :B_2 OR A = :A", "SELECT * FROM T WHERE A = ? AND B = ? OR A = ?",
         {"A", "B_2", "A"}},
        {"UPDATE T SET S = 'x:y' WHERE C = :C", "UPDATE T SET S = 'x:y' WHERE C = ?", {"C"}},
        {"SELECT 'it''s :no' FROM T WHERE \"Col:x\" = :p", "SELECT 'it''s :no' FROM T WHERE \"Col:x\" = ?", {"P"}},
        {"SELECT 1 -- :not\nFROM T /* :nor */ WHERE X=:X", "SELECT 1 -- :not\nFROM T /* :nor */ WHERE X=?", {"X"}},
        {"SELECT q'{a:b}' FROM T WHERE Y = :y", "SELECT q'{a:b}' FROM T WHERE Y = ?", {"Y"}},
        {"SELECT * FROM T WHERE A = ? AND B = :b", "SELECT * FROM T WHERE A = ? AND B = ?", {"", "B"}},
        {"SELECT '１２：' || :名 FROM T", "SELECT '１２：' || :名 FROM T", {}},   // only ASCII names
        {"SELECT a::int, x FROM T WHERE t = '10:30' AND z = :Z$1", "SELECT a::int, x FROM T WHERE t = '10:30' AND z = ?",
         {"Z$1"}},
        {"SELECT 'unterminated :x", "SELECT 'unterminated :x", {}},
        // The body of a block reads its own variables; only the header takes parameters.
        {"EXECUTE BLOCK (X INT = :x) RETURNS (R INT) AS DECLARE V INT; begin V = :X; R = :V * 2; SUSPEND; END",
         "EXECUTE BLOCK (X INT = ?) RETURNS (R INT) AS DECLARE V INT; begin V = :X; R = :V * 2; SUSPEND; END",
         {"X"}},
        {"SELECT 'begin' FROM T /* begin */ WHERE BEGIN_DATE = :D AND \"BEGIN\" = :E",
         "SELECT 'begin' FROM T /* begin */ WHERE BEGIN_DATE = ? AND \"BEGIN\" = ?", {"D", "E"}},
    };
    for (const auto& c : cases) {
        const ParsedSql p = parseParameters(c.sql);
        EXPECT_EQ(p.sql, c.expectedSql) << c.sql;
        EXPECT_EQ(p.positions, c.positions) << c.sql;
    }
}

TEST(Numeric, RescalesExactlyAndRoundsHalfAwayFromZero)
{
    EXPECT_EQ((Numeric{12345, 2}.toCurrency()), 1234500);
    EXPECT_EQ((Numeric{12345, 6}.toCurrency()), 123);        // 0.012345 -> 0.0123
    EXPECT_EQ((Numeric{12355, 6}.toCurrency()), 124);        // half away from zero
    EXPECT_EQ((Numeric{-12355, 6}.toCurrency()), -124);
    EXPECT_EQ((Numeric{25, 1}.toInt64()), 3);
    EXPECT_EQ((Numeric{-25, 1}.toInt64()), -3);
    EXPECT_EQ((Numeric{-5, 3}.toString()), "-0.005");
    EXPECT_EQ((Numeric{INT64_MIN, 0}.toString()), "-9223372036854775808");
    EXPECT_EQ((Numeric{150, 2}), (Numeric{15, 1}));
    EXPECT_THROW((Numeric{INT64_MAX / 10, 0}.toCurrency()), DbError);
}

TEST(TextLines, JoinWithCrLfAndSplitAnyLineBreak)
{
    EXPECT_EQ(joinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(joinLines({}), "");
    EXPECT_EQ(splitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(splitLines("a\nb\rc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(splitLines("").empty());
}

TEST(DbError, PredicatesLookAtEveryCodeOfTheVector)
{
    EXPECT_TRUE(DbError("x", gds::networkError).isLostConnection());
    EXPECT_TRUE(DbError("x", 335544721, -902, {335544721, gds::netReadError}).isLostConnection());
    EXPECT_TRUE(DbError("x", 335544517, -901, {335544517, gds::attShutdown}).isLostConnection());
    EXPECT_FALSE(DbError("x", gds::ioError).isLostConnection());
    EXPECT_TRUE(DbError("x", gds::lockConflict, -913, {gds::lockConflict, gds::updateConflict}).isLockConflict());
    EXPECT_TRUE(DbError("x", gds::deadlock).isLockConflict());
    EXPECT_FALSE(DbError("wrapper misuse").isLockConflict());
    EXPECT_EQ(DbError("wrapper misuse").errorCode(), 0);
}
