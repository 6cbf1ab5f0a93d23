// The wrapper against a Firebird server on localhost (scripts/firebird-server
// starts one for the test run and exports VQ_FB_SERVER, VQ_FB_USER,
// VQ_FB_PASSWORD; without them these tests are skipped).
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

#include "DbTestSupport.h"
#include "platform/Process.h"
#include "platform/db/DbError.h"
#include "platform/db/Services.h"
#include "platform/db/Statement.h"

using namespace vq;
using namespace vq::db;

namespace {

class ServerDb : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto s = test::testServer();
        if (!s)
            GTEST_SKIP() << "VQ_FB_SERVER is not set (scripts/firebird-server start)";
        server = *s;
    }

    ConnectParams params(const std::filesystem::path& file) const
    {
        return {server.host + ":" + file.string(), server.user, server.password};
    }

    test::ServerInfo server;
    test::TempDir dir;
};

TEST_F(ServerDb, WorksOverLocalhostLikeTheEmbeddedEngine)
{
    const auto file = dir / "remote.fdb";
    Attachment db;
    db.create(params(file));
    test::runDdl(db, {"CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, V VARCHAR(40), N NUMERIC(15,2))"});
    {
        Transaction tr(db);
        tr.start();
        Statement ins(db, tr, "INSERT INTO T (ID, V, N) VALUES (:ID, :V, :N)");
        ins.param("ID").setInt(1);
        ins.param("V").setString("①㈱ｱ～＼");
        ins.param("N").setCurrency(12300);
        ins.execute();
        tr.commit();
    }
    Transaction tr(db, kSnapshotReadOnly);
    tr.start();
    Statement q(db, tr, "SELECT V, N FROM T");
    q.execute();
    ASSERT_TRUE(q.fetch());
    EXPECT_EQ(q.field("V").asString(), "①㈱ｱ～＼");
    EXPECT_EQ(q.field("N").asCurrency(), 12300);
    tr.commit();

    // The server's service manager sees every attachment to its databases.
    Services services({server.host, server.user, server.password});
    const auto attached = services.attachedDatabases();
    EXPECT_NE(std::find(attached.begin(), attached.end(), file.string()), attached.end())
        << ::testing::PrintToString(attached);

    const auto backup = dir / "remote.fbk";
    services.backup(file.string(), backup.string(), BackupOptions::dataModule());
    services.restore(backup.string(), (dir / "restored.fdb").string(), RestoreOptions::dataModule(false));
    EXPECT_TRUE(services.validate((dir / "restored.fdb").string()).empty());
    db.drop();
}

TEST_F(ServerDb, WrongPasswordIsRefused)
{
    Attachment db;
    try {
        db.create({server.host + ":" + (dir / "x.fdb").string(), server.user, "wrong-password"});
        FAIL();
    } catch (const DbError& e) {
        EXPECT_FALSE(e.isLostConnection()) << e.message();
        EXPECT_NE(e.errorCode(), 0);
    }
}

// Killing the server under an open attachment: the error says "connection
// lost", and nothing of the wrapper hangs or crashes afterwards. The test
// uses a server instance of its own so the shared one keeps running.
TEST_F(ServerDb, KilledServerGivesALostConnectionError)
{
    const std::string script = VQ_FIREBIRD_SERVER_SCRIPT;
    platform::ProcessOptions options;
    options.environment["VQ_FB_SERVER_DIR"] = (dir / "server").string();
    options.timeLimit = std::chrono::seconds(60);
    const auto started = platform::runProcess(script, {"start"}, options);
    ASSERT_TRUE(started.succeeded()) << started.standardError;
    auto value = [&](const std::string& name) {
        const auto at = started.standardOutput.find("export " + name + "=");
        const auto begin = at + name.size() + 8;
        return started.standardOutput.substr(begin, started.standardOutput.find('\n', begin) - begin);
    };
    const std::string host = value("VQ_FB_SERVER");
    ASSERT_NE(host, server.host);

    {
        Attachment db;
        db.create({host + ":" + (dir / "lost.fdb").string(), value("VQ_FB_USER"), value("VQ_FB_PASSWORD")});
        Transaction tr(db);
        tr.start();
        Statement q(db, tr, "SELECT COUNT(*) FROM RDB$RELATIONS");
        q.execute();
        ASSERT_TRUE(q.fetch());

        int pid = 0;
        std::ifstream(dir / "server" / "pid") >> pid;
        ASSERT_GT(pid, 0);
        ASSERT_EQ(::kill(pid, SIGKILL), 0);
        for (int i = 0; i < 50 && ::kill(pid, 0) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));

        try {
            q.execute();
            q.fetch();
            FAIL() << "the server is gone";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.isLostConnection()) << e.errorCode() << " " << e.message();
        }
    }   // transaction, statement and attachment go away without hanging
    platform::runProcess(script, {"stop"}, options);
}

} // namespace

// A host that takes the connection and never answers (a hung server, a
// firewall that swallows the handshake) gives an error within the connect
// timeout instead of holding the caller for minutes, and the error says it
// was the time-out; a port nobody listens on is refused at once.
TEST(SilentHost, ConnectGivesUpWithinItsTimeout)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 4), 0);   // the kernel completes the handshake; nobody answers
    socklen_t length = sizeof address;
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const std::string host = "127.0.0.1/" + std::to_string(ntohs(address.sin_port));

    Attachment db;
    ConnectParams params{host + ":/nowhere/x.fdb", "SYSDBA", "masterkey"};
    params.connectTimeoutSeconds = 2;
    const auto start = std::chrono::steady_clock::now();
    try {
        db.attach(params);
        ADD_FAILURE() << "attached to a silent host";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.isConnectTimeout()) << e.message();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    ::close(listener);   // now nobody listens there

    try {
        db.attach(params);
        ADD_FAILURE() << "attached to a closed port";
    } catch (const DbError& e) {
        EXPECT_FALSE(e.isConnectTimeout()) << e.message();
    }
}
