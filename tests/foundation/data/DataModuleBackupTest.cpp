// Backup, restore and validation of the data module on the embedded engine:
// through the services and through gbak (the real tool, and the fake one
// that fails, lies or dies midway).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "DataModuleFixture.h"
#include "SchemaDatabase.h"
#include "TempDir.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "platform/db/Attachment.h"
#include "platform/db/DbError.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

// Every user table's rows, each row as its columns' text joined: two
// databases hold the same data when these maps are equal.
std::map<std::string, std::multiset<std::string>> tableContents(const fs::path& file)
{
    db::Attachment att;
    att.attach({file.string(), "SYSDBA", "masterkey"});
    db::Transaction tr(att, db::kSnapshotReadOnly);
    tr.start();
    std::vector<std::string> tables;
    db::Statement list(att, tr,
                       "SELECT TRIM(RDB$RELATION_NAME) AS NAME FROM RDB$RELATIONS "
                       "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$VIEW_BLR IS NULL ORDER BY 1");
    list.execute();
    while (list.fetch())
        tables.push_back(list.field("NAME").asString());
    std::map<std::string, std::multiset<std::string>> contents;
    for (const auto& table : tables) {
        db::Statement rows(att, tr, "SELECT * FROM \"" + table + "\"");
        rows.execute();
        auto& set = contents[table];
        while (rows.fetch()) {
            std::string row;
            for (std::size_t i = 0; i < rows.fieldCount(); ++i) {
                try {
                    row += rows.field(i).asString() + "|";
                } catch (const db::DbError&) {
                    row += "<binary>|";
                }
            }
            set.insert(row);
        }
    }
    return contents;
}

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

class DataModuleBackup : public test::DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        test::runSql(dataFile(), "INSERT INTO OPINF (OPCODE, PCNAME) VALUES (1, 'PC1');\n"
                                 "UPDATE ACCDEF1 SET SHOUGOU = '保存テスト商店' WHERE REC = 1;\n");
        backup_ = root_.path() / "save" / "データ.fbk";
        fs::create_directories(backup_.parent_path());
        target_ = root_.path() / "data" / "0002" / DataDbFileName;
        fs::create_directories(target_.parent_path());
    }

    fs::path restoring() const { return target_.string() + ".restoring"; }

    fs::path backup_;
    fs::path target_;
};

} // namespace

TEST_F(DataModuleBackup, ServicesRoundTripKeepsEveryTableAndClearsTheOperationHistory)
{
    const auto before = tableContents(dataFile());
    // keepName 0: written beside the database first, then moved.
    ASSERT_TRUE(dm_.BackupFDB(3, "", dataFile().string(), backup_.string(), 0)) << seam_->messages.size();
    EXPECT_TRUE(fs::exists(backup_));
    EXPECT_FALSE(fs::exists(dataFile().parent_path() / "vqacc.fb_"));

    ASSERT_TRUE(dm_.RestoreFDB(3, "", target_.string(), backup_.string(), 1));
    EXPECT_FALSE(dm_.IBDatabaseDAT.connected());
    EXPECT_FALSE(fs::exists(restoring()));
    auto after = tableContents(target_);
    EXPECT_TRUE(after["OPINF"].empty());
    after["OPINF"] = before.at("OPINF");
    EXPECT_EQ(after, before);

    // Over an existing database the same restore replaces it.
    test::runSql(target_, "DELETE FROM ACCDEF1;\n");
    ASSERT_TRUE(dm_.RestoreFDB(3, "", target_.string(), backup_.string(), 0));
    EXPECT_EQ(tableContents(target_).at("ACCDEF1"), before.at("ACCDEF1"));
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(DataModuleBackup, GbakRoundTrip)
{
    const auto before = tableContents(dataFile());
    ASSERT_TRUE(dm_.RunGbakBackup(0, "", dataFile().string(), backup_.string(), 1));
    ASSERT_TRUE(dm_.RunGbakRestore(0, "", target_.string(), backup_.string(), 1)) << seam_->messages.size();
    auto after = tableContents(target_);
    after["OPINF"] = before.at("OPINF");
    EXPECT_EQ(after, before);
    EXPECT_FALSE(fs::exists(restoring()));
}

TEST_F(DataModuleBackup, AFailedRestoreLeavesTheOldTargetIntact)
{
    fs::copy_file(dataFile(), target_);
    const std::string original = test::readBytes(target_);
    const std::string log = (fs::path(SystemDef.WinTempDir) / "gbak.log").string();
    const ScopedEnv gbak("VQ_GBAK", VQ_FAKE_TOOL);
    test::writeBytes(backup_, "not a backup");

    struct Case {
        const char* what;
        std::string script;
    };
    const Case cases[] = {
        {"non-zero exit", "touch " + restoring().string() + " exit 3"},
        {"ERROR in the log", "touch " + restoring().string() + " append " + log + " gbak:ERROR:something"},
        {"killed midway", "touch " + restoring().string() + " crash"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ScopedEnv script("VQ_FAKE_TOOL", c.script);
        EXPECT_FALSE(dm_.RunGbakRestore(0, "", target_.string(), backup_.string(), 1));
        EXPECT_EQ(test::readBytes(target_), original);
        EXPECT_FALSE(fs::exists(restoring()));
    }
    // The services reading a broken backup.
    EXPECT_FALSE(dm_.RestoreFDB(3, "", target_.string(), backup_.string(), 1));
    EXPECT_EQ(test::readBytes(target_), original);
    EXPECT_FALSE(fs::exists(restoring()));
    EXPECT_FALSE(seam_->messages.empty());
}

TEST_F(DataModuleBackup, ARestoreNeverReplacesADataSetSomeoneHasAttached)
{
    ASSERT_TRUE(dm_.BackupFDB(3, "", dataFile().string(), backup_.string(), 1));
    fs::copy_file(dataFile(), target_);
    test::runSql(target_, "UPDATE ACCDEF1 SET SHOUGOU = '使用中の商店' WHERE REC = 1;\n");
    const auto before = tableContents(target_);
    {
        db::Attachment other;
        other.attach({target_.string(), SystemDef.DbUser, SystemDef.DbPassword});
        EXPECT_FALSE(dm_.RestoreFDB(3, "", target_.string(), backup_.string(), 1));
        EXPECT_FALSE(fs::exists(restoring()));
        ASSERT_FALSE(seam_->messages.empty());
        EXPECT_NE(seam_->messages.back().text.find("他のオペレータが使用中"), std::string::npos);
        other.detach();
    }
    EXPECT_EQ(tableContents(target_), before);
}

TEST_F(DataModuleBackup, AFailedGbakBackupThrowsAndRemovesItsPartialFile)
{
    const ScopedEnv gbak("VQ_GBAK", VQ_FAKE_TOOL);
    const ScopedEnv script("VQ_FAKE_TOOL", "touch " + backup_.string() + " exit 1");
    EXPECT_THROW(dm_.RunGbakBackup(0, "", dataFile().string(), backup_.string(), 1), std::runtime_error);
    EXPECT_FALSE(fs::exists(backup_));
}

TEST_F(DataModuleBackup, ValidationOfSoundDamagedAndMissingDatabases)
{
    EXPECT_TRUE(dm_.ValidateDatabase(3, "", dataFile().string()));

    // A copy with its data pages overwritten by zeros.
    fs::copy_file(dataFile(), target_);
    {
        std::fstream f(target_, std::ios::in | std::ios::out | std::ios::binary);
        unsigned char header[18] = {};
        f.read(reinterpret_cast<char*>(header), sizeof header);
        const std::size_t pageSize = header[16] | (header[17] << 8);
        ASSERT_GE(pageSize, 1024u);
        const auto pages = fs::file_size(target_) / pageSize;
        const std::string zeros(pageSize, '\0');
        int damaged = 0;
        for (std::size_t page = 1; page < pages; ++page) {
            f.seekg(static_cast<std::streamoff>(page * pageSize));
            char type = 0;
            f.read(&type, 1);
            if (type == 5) {   // a data page
                f.seekp(static_cast<std::streamoff>(page * pageSize));
                f.write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
                ++damaged;
            }
        }
        ASSERT_GT(damaged, 0);
    }
    EXPECT_FALSE(dm_.ValidateDatabase(3, "", target_.string()));

    // A file that cannot be opened is not known to be damaged.
    EXPECT_TRUE(dm_.ValidateDatabase(3, "", (root_.path() / "none" / DataDbFileName).string()));
    EXPECT_TRUE(seam_->messages.empty());
}
