// The server file routines as the office's database user sees them through
// the Firebird server that scripts/firebird-server starts (the module in its
// plugin folder, one office root in its roots file): they work below the
// office root, every way out of it is refused and changes nothing, and no
// other user of the server may run them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "SchemaDatabase.h"
#include "ServerEnv.h"
#include "TempDir.h"
#include "platform/db/Attachment.h"
#include "platform/db/DbError.h"
#include "platform/db/Field.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

// Every file and folder below dir with the files' bytes.
std::map<std::string, std::string> snapshot(const fs::path& dir)
{
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        const std::string name = fs::relative(entry.path(), dir).string();
        entries[name] = entry.is_symlink() ? "link" : entry.is_regular_file() ? test::readBytes(entry.path()) : "folder";
    }
    return entries;
}

class ServerFileRoutines : public ::testing::Test {
protected:
    void SetUp() override
    {
        server_ = test::env("VQ_FB_SERVER");
        if (server_.empty())
            GTEST_SKIP() << "VQ_FB_SERVER is not set (scripts/firebird-server start)";
        ASSERT_FALSE(test::env("VQ_FB_OFFICE_ROOT").empty()) << "scripts/firebird-server exports the office root";
        root_ = fs::canonical(test::env("VQ_FB_OFFICE_ROOT"));
        office_ = std::make_unique<test::TempDir>(root_);
        fs::create_directories(office() / "data");
        test::writeBytes(office() / "data" / "a.txt", "office");
        fs::create_directories(outside() / "tree" / "inner");
        test::writeBytes(outside() / "secret", "outside");
        test::writeBytes(outside() / "tree" / "inner" / "kept", "kept");
        fs::create_directory_symlink(outside(), office() / "link");

        test::buildDatabase(test::SchemaKind::System, office() / "vqaccdef.fdb");
        test::buildDatabase(test::SchemaKind::FileTransfer, office() / "vqfileman.fdb");
        ::setenv("ISC_USER", test::env("VQ_FB_USER").c_str(), 1);
        ::setenv("ISC_PASSWORD", test::env("VQ_FB_PASSWORD").c_str(), 1);
        // Databases built before the routines were the office user's alone
        // granted them to everyone; declaring the routines withdraws that.
        test::runSql(server_ + ":" + system().string(), "GRANT EXECUTE ON PROCEDURE FILEOPERATION TO PUBLIC;\n");
        test::runSql(server_ + ":" + transfer().string(), "GRANT EXECUTE ON FUNCTION SP_FILETOBLOB TO PUBLIC;\n");
        test::runSql(server_ + ":" + system().string(),
                     test::readBytes(test::schemaDir() / "server" / "system-file-routines.sql"));
        test::runSql(server_ + ":" + transfer().string(),
                     test::readBytes(test::schemaDir() / "server" / "filetransfer-file-routines.sql"));
    }

    void TearDown() override
    {
        ::unsetenv("ISC_USER");
        ::unsetenv("ISC_PASSWORD");
    }

    fs::path office() const { return office_->path(); }
    fs::path outside() const { return fs::canonical(outside_.path()); }
    fs::path system() const { return office() / "vqaccdef.fdb"; }
    fs::path transfer() const { return office() / "vqfileman.fdb"; }

    // The first column of the query's row, run by user on database; a NULL
    // reads as "NULL". Throws db::DbError when the server refuses.
    std::string call(const fs::path& database, const std::string& sql, const std::vector<std::string>& args,
                     const std::string& user, const std::string& password)
    {
        db::Attachment att;
        att.attach({server_ + ":" + database.string(), user, password});
        db::Transaction tr(att);
        tr.start();
        db::Statement st(att, tr, sql);
        for (std::size_t i = 0; i < args.size(); ++i)
            st.paramAt(i).setString(args[i]);
        st.execute();
        std::string value;
        if (st.fetch()) {
            const db::Field f = st.field(std::size_t{0});
            value = f.isNull() ? "NULL" : f.kind() == db::FieldKind::BinaryBlob ? f.asBytes() : f.asString();
        }
        st.close();
        tr.commit();
        return value;
    }

    std::string asOffice(const fs::path& database, const std::string& sql, const std::vector<std::string>& args)
    {
        return call(database, sql, args, test::env("VQ_FB_OFFICE_USER"), test::env("VQ_FB_OFFICE_PASSWORD"));
    }

    static constexpr const char* kFileOp = "SELECT WBOOL FROM FILEOPERATION(?, ?, ?)";
    static constexpr const char* kDirTest = "SELECT WBOOL FROM DIRECTORYTEST(?, ?)";
    static constexpr const char* kShort = "SELECT SHORTNAME FROM LONGTOSHORTFILENAME(?)";
    static constexpr const char* kToBlob = "SELECT SP_FILETOBLOB(?) FROM RDB$DATABASE";
    static constexpr const char* kFromBlob =
        "SELECT SP_BLOBTOFILE(?, CAST('planted' AS BLOB SUB_TYPE 0)) FROM RDB$DATABASE";

    std::string server_;
    fs::path root_;
    std::unique_ptr<test::TempDir> office_;
    test::TempDir outside_;
};

} // namespace

TEST_F(ServerFileRoutines, TheOfficeUserWorksBelowTheOfficeRoot)
{
    const std::string data = (office() / "data").string();
    EXPECT_EQ(asOffice(system(), kFileOp, {"FEXIST", data + "/a.txt", ""}), "1");
    EXPECT_EQ(asOffice(system(), kFileOp, {"FCOPY", data + "/a.txt", data + "/new/../b.txt"}), "1");
    EXPECT_EQ(test::readBytes(office() / "data" / "b.txt"), "office");
    EXPECT_EQ(asOffice(system(), kDirTest, {"MKDIR", data + "/made/deeper/"}), "1");
    EXPECT_TRUE(fs::is_directory(office() / "data" / "made" / "deeper"));
    EXPECT_EQ(asOffice(system(), kShort, {data}), data);
    EXPECT_EQ(asOffice(transfer(), kToBlob, {data + "/b.txt"}), "office");
    EXPECT_EQ(asOffice(transfer(), kFromBlob, {data + "/written.bin"}), "NULL");
    EXPECT_EQ(test::readBytes(office() / "data" / "written.bin"), "planted");
    EXPECT_EQ(asOffice(system(), kDirTest, {"RMDIR", data + "/made/"}), "1");
    EXPECT_FALSE(fs::exists(office() / "data" / "made"));
    EXPECT_EQ(asOffice(system(), kDirTest, {"DEXIST", root_.string() + "/"}), "1");
}

TEST_F(ServerFileRoutines, EveryWayOutOfTheOfficeIsRefusedAndChangesNothing)
{
    const std::string o = office().string();
    const std::string up = o + "/../../../../../../../..";   // far above /, wherever the office lies
    struct Case {
        const fs::path* database;
        const char* sql;
        std::vector<std::string> args;
    };
    const fs::path sys = system(), xfer = transfer();
    const Case cases[] = {
        // The system's files copied into the office, through ".." and directly.
        {&sys, kFileOp, {"FCOPY", up + "/etc/passwd", o + "/data/passwd"}},
        {&sys, kFileOp, {"FCOPY", "/etc/passwd", o + "/data/passwd"}},
        {&sys, kFileOp, {"FEXIST", "/etc/passwd", ""}},
        // The server's SYSDBA password and security database (in the folder
        // above the office root) read into a blob.
        {&xfer, kToBlob, {o + "/../../password"}},
        {&xfer, kToBlob, {o + "/../../security3.fdb"}},
        {&xfer, kToBlob, {(root_.parent_path() / "security3.fdb").string()}},
        // Files written, moved, deleted and folders made outside.
        {&xfer, kFromBlob, {(outside() / "planted").string()}},
        {&xfer, kFromBlob, {o + "/../../planted"}},
        {&sys, kFileOp, {"FCOPY", o + "/data/a.txt", (outside() / "planted").string()}},
        {&sys, kFileOp, {"FMOVE", o + "/data/a.txt", (outside() / "planted").string()}},
        {&sys, kFileOp, {"FMOVE", (outside() / "secret").string(), o + "/data/secret"}},
        {&sys, kFileOp, {"FDEL", (outside() / "secret").string(), ""}},
        {&sys, kDirTest, {"MKDIR", (outside() / "made").string()}},
        // A tree outside removed, with and without the trailing separator.
        {&sys, kDirTest, {"RMDIR", (outside() / "tree").string()}},
        {&sys, kDirTest, {"RMDIR", (outside() / "tree").string() + "/"}},
        {&sys, kDirTest, {"RMDIR", (outside() / "tree").string() + "//."}},
        // A link inside the office that leads out.
        {&xfer, kToBlob, {o + "/link/secret"}},
        {&xfer, kFromBlob, {o + "/link/planted"}},
        {&sys, kFileOp, {"FCOPY", o + "/data/a.txt", o + "/link/planted"}},
        {&sys, kFileOp, {"FDEL", o + "/link/secret", ""}},
        {&sys, kDirTest, {"RMDIR", o + "/link/tree/"}},
        {&sys, kDirTest, {"RMDIR", o + "/link/"}},
        {&sys, kDirTest, {"DEXIST", o + "/link"}},
        {&sys, kShort, {o + "/link/secret"}},
        // The office root itself is never removed.
        {&sys, kDirTest, {"RMDIR", root_.string()}},
        {&sys, kDirTest, {"RMDIR", root_.string() + "/"}},
        {&sys, kDirTest, {"RMDIR", o + "/.."}},
        // A path that names no folder of the server at all.
        {&sys, kDirTest, {"MKDIR", "relative/folder"}},
    };
    const auto officeBefore = snapshot(office() / "data");
    const auto outsideBefore = snapshot(outside());
    for (const Case& c : cases) {
        try {
            const std::string answer = asOffice(*c.database, c.sql, c.args);
            ADD_FAILURE() << c.sql << " " << c.args.at(c.args.size() > 1 ? 1 : 0) << " answered " << answer;
        } catch (const db::DbError& e) {
            EXPECT_NE(e.message().find("not inside the office roots"), std::string::npos)
                << c.args.at(c.args.size() > 1 ? 1 : 0) << ": " << e.message();
        }
    }
    EXPECT_EQ(snapshot(office() / "data"), officeBefore);
    EXPECT_EQ(snapshot(outside()), outsideBefore);
    EXPECT_FALSE(fs::exists(root_.parent_path() / "planted"));
    EXPECT_TRUE(fs::is_directory(root_));
}

TEST_F(ServerFileRoutines, NoOtherUserOfTheServerRunsThem)
{
    std::random_device rd;
    const std::string password = "p" + std::to_string(rd());
    {
        db::Attachment admin;
        admin.attach({server_ + ":" + system().string(), test::env("VQ_FB_USER"), test::env("VQ_FB_PASSWORD")});
        db::Transaction tr(admin);
        tr.start();
        db::Statement(admin, tr, "CREATE OR ALTER USER VQ_STRANGER PASSWORD '" + password + "'").execute();
        tr.commit();
    }
    const std::string file = (office() / "data" / "a.txt").string();
    EXPECT_THROW(call(system(), kFileOp, {"FEXIST", file, ""}, "VQ_STRANGER", password), db::DbError);
    EXPECT_THROW(call(system(), kDirTest, {"DEXIST", file}, "VQ_STRANGER", password), db::DbError);
    EXPECT_THROW(call(transfer(), kToBlob, {file}, "VQ_STRANGER", password), db::DbError);
    EXPECT_THROW(call(transfer(), kFromBlob, {file}, "VQ_STRANGER", password), db::DbError);
    EXPECT_EQ(test::readBytes(file), "office");
    // The rest of the system database stays open to every user.
    EXPECT_NO_THROW(call(system(), "SELECT COUNT(*) FROM OPERATOR", {}, "VQ_STRANGER", password));
}
