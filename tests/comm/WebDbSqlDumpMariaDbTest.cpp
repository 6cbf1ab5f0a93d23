// The strongest check of the dump's escaping and of the analysis database's
// scripts: a private MariaDB server (Unix socket only, its own data folder)
// loads a dump of awkward values, and the rows and values come back whole.
// Skipped where Debian's MariaDB server is not installed.
#include "DumpFixture.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

using namespace vq;
namespace fs = std::filesystem;

namespace {

const char* const Server = "/usr/sbin/mariadbd";

std::string shellQuote(const std::string& s)
{
    std::string q = "'";
    for (const char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string run(const std::string& command)
{
    std::string out;
    FILE* p = ::popen(command.c_str(), "r");
    if (!p)
        return out;
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, p))
        out.append(buf, n);
    ::pclose(p);
    return out;
}

class MariaDb {
public:
    explicit MariaDb(const fs::path& dir) : dir_(dir)
    {
        const std::string user = ::geteuid() == 0 ? "root" : "";
        const std::string userOpt = user.empty() ? "" : " --user=" + user;
        run("mariadb-install-db --no-defaults --auth-root-authentication-method=socket --datadir=" +
            shellQuote((dir_ / "data").string()) + userOpt + " >" + shellQuote((dir_ / "install.log").string()) +
            " 2>&1");
        pid_ = ::fork();
        if (pid_ == 0) {
            const std::string datadir = "--datadir=" + (dir_ / "data").string();
            const std::string socket = "--socket=" + socketPath();
            const std::string pid = "--pid-file=" + (dir_ / "db.pid").string();
            const std::string log = "--log-error=" + (dir_ / "error.log").string();
            std::vector<std::string> args{Server, "--no-defaults", datadir, socket, pid, log, "--skip-networking",
                                          "--skip-grant-tables"};
            if (!user.empty())
                args.push_back("--user=" + user);
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(Server, argv.data());
            ::_exit(127);
        }
        for (int i = 0; i < 300 && !ready(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ~MariaDb()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    bool ready() const { return query("", "SELECT 1") == "1\n"; }
    std::string socketPath() const { return (dir_ / "db.sock").string(); }
    std::string client() const { return "mariadb --no-defaults -u root --socket=" + shellQuote(socketPath()); }
    // Runs a file of statements; the client's messages, empty when all went in.
    std::string load(const fs::path& file) const
    {
        return run(client() + " <" + shellQuote(file.string()) + " 2>&1");
    }
    std::string query(const std::string& database, const std::string& sql) const
    {
        return run(client() + " -N -B --raw " + database + " -e " + shellQuote(sql) + " 2>/dev/null");
    }

private:
    fs::path dir_;
    pid_t pid_ = -1;
};

} // namespace

class WebDbSqlDumpMariaDbTest : public test::DumpFixture {};

TEST_F(WebDbSqlDumpMariaDbTest, TheServerLoadsEveryRowAndValueAsStored)
{
    if (!fs::exists(Server))
        GTEST_SKIP() << "no MariaDB server";
    open("UPDATE ACCDEF1 SET SHOUGOU='O''Neil\\x 商店', ADD1=NULL WHERE REC=1;"
         "INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES('表示','引用','文字','it''s \\'' ; --');"
         "INSERT INTO KAKOSIWAKE1(REC,SWKREC,HIZUKE,KCODE,R_KCODE,TEKTEXT,CTIME) VALUES"
         "(1,1,'2024-05-01','1000','2000','a' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'b\\',"
         "'1965-01-01 00:00:00');"
         "INSERT INTO SIWAKE2(REC,SWKREC,LINKKEY,LINKKUB,LINKREC) VALUES(1,1,NULL,NULL,3);"
         "SET TERM ^ ;\nEXECUTE BLOCK AS DECLARE I INTEGER = 2; BEGIN WHILE (I <= 250) DO BEGIN "
         "INSERT INTO SIWAKE2(REC,SWKREC,LINKKEY) VALUES(:I,:I,'k''' || :I); I = I + 1; END END^\nSET TERM ; ^\n");
    comm::TWebDbSqlDump d;
    const std::string text = dump(d);
    ASSERT_FALSE(text.empty());

    test::TempDir dir;
    MariaDb server(dir.path());
    ASSERT_TRUE(server.ready()) << run("cat " + shellQuote((dir.path() / "error.log").string()));
    EXPECT_EQ(server.load(d.DumpFilePath), "");
    const std::string db = d.DatabaseName;

    // Rows per table, against the data set.
    auto firebirdCount = [this](const std::string& sql) {
        db::Transaction tr(dm_.IBDatabaseDAT.attachment(), db::kReadCommittedReadOnly);
        tr.start();
        db::Statement q(dm_.IBDatabaseDAT.attachment(), tr, sql);
        q.execute();
        q.fetch();
        return std::to_string(q.field(0).asInt64()) + "\n";
    };
    for (const char* table : {"ACCDEF5", "BUMONMST", "KAKOSIWAKE1", "KAMOKU_TAX", "HALBRIN_HIKAKU", "SISETUMST",
                              "SIWAKE2", "TAXMST", "AOPRO_YOSAN_KIHONRULE", "HALBRIN_YOJITU_HYOKARULE"})
        EXPECT_EQ(server.query(db, std::string("SELECT COUNT(*) FROM ") + table),
                  firebirdCount(std::string("SELECT COUNT(*) FROM ") + table))
            << table;
    // The settings without the analysis product's own group, and the
    // operator's 26 settings.
    EXPECT_EQ(server.query(db, "SELECT COUNT(*) - 26 FROM ACCREG"),
              firebirdCount("SELECT COUNT(*) FROM ACCREG WHERE AGROUP<>'経営ハルブリン' AND AGROUP<>'ＷＥＢ会議設定'"));

    // Values come back as stored; NULL stays NULL.
    EXPECT_EQ(server.query(db, "SELECT SHOUGOU, ADD1 IS NULL FROM ACCDEF1"), "O'Neil\\x 商店\t1\n");
    EXPECT_EQ(server.query(db, "SELECT ATEXT FROM ACCREG WHERE ACODE='引用'"), "it's \\' ; --\n");
    EXPECT_EQ(server.query(db, "SELECT HEX(TEKTEXT), CTIME FROM KAKOSIWAKE1"), "610D0A625C\t1970-01-02 00:00:00\n");
    EXPECT_EQ(server.query(db, "SELECT LINKKEY IS NULL, LINKKUB IS NULL, LINKREC FROM SIWAKE2 WHERE REC=1"),
              "1\t1\t3\n");
    EXPECT_EQ(server.query(db, "SELECT LINKKEY FROM SIWAKE2 WHERE REC=250"), "k'250\n");
}
