// Backup, restore, validation and the attached-database list through the
// embedded engine's service manager, and the sharing of database files with
// the Firebird tools this process starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "DbTestSupport.h"
#include "platform/Process.h"
#include "platform/db/DbError.h"
#include "platform/db/EmbeddedEngine.h"
#include "platform/db/Services.h"
#include "platform/db/Statement.h"

using namespace vq;
using namespace vq::db;

namespace {

class EmbeddedServices : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.create(test::localParams(file));
        test::runDdl(db, {"CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, V VARCHAR(40))",
                          "CREATE INDEX T_V ON T (V)"});
        Transaction tr(db);
        tr.start();
        Statement ins(db, tr, "INSERT INTO T (ID, V) VALUES (:ID, :V)");
        for (int i = 1; i <= 50; ++i) {
            ins.param("ID").setInt(i);
            ins.param("V").setString("行" + std::to_string(i));
            ins.execute();
        }
        tr.commit();
    }

    static int rows(Attachment& a)
    {
        Transaction tr(a);
        tr.start();
        Statement q(a, tr, "SELECT COUNT(*) AS N FROM T WHERE V LIKE '行%'");
        q.execute();
        q.fetch();
        return q.field("N").asInt();
    }

    test::TempDir dir;
    std::filesystem::path file = dir / "data.fdb";
    Attachment db;
    Services services{{"", "SYSDBA", "masterkey"}};
};

TEST_F(EmbeddedServices, BackupAndRestoreRoundTripWhileTheDatabaseIsOpen)
{
    const auto backup = dir / "data.fbk";
    std::vector<std::string> lines;
    services.backup(file.string(), backup.string(), BackupOptions::dataModule(),
                    [&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_TRUE(std::filesystem::exists(backup));
    EXPECT_FALSE(lines.empty());   // verbose output reached the caller

    // Restore as the data module does: into a new file, then over an existing one.
    const auto restored = dir / "restored.fdb";
    services.restore(backup.string(), restored.string(), RestoreOptions::dataModule(false));
    services.restore(backup.string(), restored.string(), RestoreOptions::dataModule(true));
    Attachment copy;
    copy.attach(test::localParams(restored));
    EXPECT_EQ(rows(copy), 50);
    copy.detach();

    RestoreOptions noReplace;
    EXPECT_THROW(services.restore(backup.string(), restored.string(), noReplace), DbError);
    EXPECT_THROW(services.backup((dir / "missing.fdb").string(), (dir / "x.fbk").string()), DbError);
}

TEST_F(EmbeddedServices, FoldersNamedInJapanese)
{
    const auto folder = dir / "控え";
    std::filesystem::create_directories(folder);
    services.backup(file.string(), (folder / "データ.fbk").string());
    services.restore((folder / "データ.fbk").string(), (folder / "復元.fdb").string(), RestoreOptions::dataModule(false));
    EXPECT_TRUE(services.validate((folder / "復元.fdb").string()).empty());
    Attachment copy;
    copy.attach(test::localParams(folder / "復元.fdb"));
    EXPECT_EQ(rows(copy), 50);
}

// The engine settles how it converts file names at its first such call; a
// process whose first call is a service action on a Japanese path, with no
// locale set, must get it right as well.
TEST_F(EmbeddedServices, FoldersNamedInJapaneseInAFreshProcess)
{
    const auto folder = dir / "会計事務所" / "控え";
    std::filesystem::create_directories(folder);
    const auto database = folder / "データ.fdb";
    services.backup(file.string(), (dir / "seed.fbk").string());
    services.restore((dir / "seed.fbk").string(), database.string(), RestoreOptions::dataModule(false));

    platform::ProcessOptions noLocale;
    noLocale.environment = {{"LANG", ""}, {"LC_ALL", ""}, {"LC_CTYPE", ""}, {"LANGUAGE", ""}};
    const auto backup = platform::runProcess(VQ_SERVICES_FIRST_CALL,
                                             {"backup", database.string(), (folder / "控え.fbk").string()},
                                             noLocale);
    EXPECT_TRUE(backup.succeeded()) << "exit " << backup.exitCode << (backup.crashed ? " (crashed) " : " ")
                                    << backup.standardError << backup.standardOutput;
    EXPECT_TRUE(std::filesystem::exists(folder / "控え.fbk"));
    const auto validate = platform::runProcess(VQ_SERVICES_FIRST_CALL, {"validate", database.string()}, noLocale);
    EXPECT_TRUE(validate.succeeded()) << "exit " << validate.exitCode << (validate.crashed ? " (crashed) " : " ")
                                      << validate.standardError << validate.standardOutput;
}

TEST_F(EmbeddedServices, ValidationReportsNothingForASoundDatabaseAndFailsForGarbage)
{
    db.detach();
    EXPECT_TRUE(services.validate(file.string()).empty());

    const auto garbage = dir / "garbage.fdb";
    std::ofstream(garbage) << std::string(100000, 'x');
    try {
        services.validate(garbage.string());
        FAIL() << "a file that is no database cannot be validated";
    } catch (const DbError& e) {
        EXPECT_NE(e.errorCode(), 0) << e.message();
    }
}

TEST_F(EmbeddedServices, AttachedDatabasesListsThisProcesssAttachments)
{
    const auto names = services.attachedDatabases();
    EXPECT_NE(std::find(names.begin(), names.end(), file.string()), names.end())
        << "listed: " << ::testing::PrintToString(names);
    db.detach();
    const auto after = services.attachedDatabases();
    EXPECT_EQ(std::find(after.begin(), after.end(), file.string()), after.end());
    EXPECT_NE(services.serverVersion().find("3."), std::string::npos) << services.serverVersion();
}

// The service manager of the embedded engine knows only this process; the
// database's monitoring tables see the other processes sharing the file.
TEST_F(EmbeddedServices, OtherProcessesAttachmentsShowInTheMonitoringTables)
{
    EXPECT_EQ(db.attachmentCount(), 1);
    // isql holds the database open until its input ends; a loaded machine may
    // take a while to start it.
    const std::string command = platform::isqlProgram() + " -q -user SYSDBA -pas masterkey '"
                                + file.string() + "' > /dev/null 2>&1";
    FILE* child = ::popen(command.c_str(), "w");
    ASSERT_NE(child, nullptr);
    int seen = 0;
    for (int i = 0; i < 600 && seen < 2; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        seen = db.attachmentCount();
    }
    EXPECT_EQ(seen, 2);
    const auto listed = services.attachedDatabases();
    EXPECT_EQ(std::count(listed.begin(), listed.end(), file.string()), 1);   // only our own
    ::pclose(child);
}

// The program keeps its databases open while it starts gbak or isql-fb on
// them; the embedded engine must share the file with those children.
TEST_F(EmbeddedServices, ChildToolsOpenADatabaseThisProcessHasOpen)
{
    ensureEmbeddedEngine();
    ASSERT_EQ(rows(db), 50);   // attached and used
    const auto backup = dir / "child.fbk";
    const auto gbak = platform::runProcess(platform::gbakProgram(),
                                           {"-b", "-user", "SYSDBA", "-pas", "masterkey", file.string(),
                                            backup.string()});
    EXPECT_TRUE(gbak.succeeded()) << gbak.standardError << gbak.standardOutput;
    EXPECT_TRUE(std::filesystem::exists(backup));

    platform::ProcessOptions options;
    options.standardInput = "UPDATE T SET V = 'isql' WHERE ID = 1; COMMIT;\n";
    const auto isql = platform::runProcess(platform::isqlProgram(),
                                           {"-q", "-user", "SYSDBA", "-pas", "masterkey", file.string()},
                                           options);
    EXPECT_TRUE(isql.succeeded()) << isql.standardError << isql.standardOutput;
    EXPECT_EQ(isql.standardError, "");
    EXPECT_EQ(rows(db), 49);   // the child's committed change is visible here
}

} // namespace

TEST_F(EmbeddedServices, SingleUserShutdownRefusedWhileAttachedAndHoldsOneAtATime)
{
    // Someone attached: the shutdown fails and the database stays open to all.
    EXPECT_THROW(services.shutdownSingle(file.string()), DbError);
    Attachment second;
    EXPECT_NO_THROW(second.attach(test::localParams(file)));
    second.detach();
    db.detach();

    services.shutdownSingle(file.string());
    {
        Attachment holder;
        holder.attach(test::localParams(file));
        EXPECT_EQ(rows(holder), 50);
        Attachment intruder;
        EXPECT_THROW(intruder.attach(test::localParams(file)), DbError);
    }
    services.bringOnline(file.string());
    EXPECT_NO_THROW(services.bringOnline(file.string()));
    Attachment a, b;
    a.attach(test::localParams(file));
    EXPECT_NO_THROW(b.attach(test::localParams(file)));
}
