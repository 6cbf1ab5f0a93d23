#pragma once
// The cash-book exchange on real databases: the sample office of the test
// run, whose general-business data set is copied as the open data set
// (connected through the data module) and as any number of received
// databases. Rows are read back as "|"-joined texts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "../foundation/data/DataModuleFixture.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/SystemFolders.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::test {

class CashBookFixture : public DataModuleFixture {
protected:
    // The office is the one the test run makes once (VQ_SAMPLE_OFFICE).
    static void SetUpTestSuite()
    {
        const char* previousRoot = std::getenv("VQ_ROOT");
        const std::string restoreRoot = previousRoot ? previousRoot : "";
        ::setenv("VQ_ROOT", VQ_SAMPLE_OFFICE, 1);
        TSystemDef folders;
        InitSystemFolders(folders);
        if (previousRoot)
            ::setenv("VQ_ROOT", restoreRoot.c_str(), 1);
        else
            ::unsetenv("VQ_ROOT");
        sample_ = std::filesystem::path(folders.SysDir) / "0001" / DataDbFileName;
    }

    void SetUp() override
    {
        DataModuleFixture::SetUp();
        ASSERT_TRUE(std::filesystem::exists(sample_));
        std::filesystem::copy_file(sample_, dataFile(), std::filesystem::copy_options::overwrite_existing);
        ASSERT_TRUE(dm_.fnAccDatConnected("", SystemDef.DataDir, 0));
        AccInf = TACCINF{};
        ASSERT_TRUE(dm_.fnGetAccInfo());
    }

    // A fresh copy of the sample data set outside the data folder.
    std::filesystem::path copyOfSample(const std::string& name)
    {
        const auto folder = root_.path() / "received";
        std::filesystem::create_directories(folder);
        const auto file = folder / (name + ".fdb");
        std::filesystem::copy_file(sample_, file);
        return file;
    }

    static std::vector<std::string> rows(db::Attachment& attachment, const std::string& sql)
    {
        db::Transaction tr(attachment, db::kReadCommittedReadOnly);
        tr.start();
        db::Statement q(attachment, tr, sql);
        q.execute();
        std::vector<std::string> out;
        while (q.fetch()) {
            std::string line;
            for (std::size_t i = 0; i < q.fieldCount(); ++i)
                line += (i ? "|" : "") + (q.field(i).isNull() ? std::string("<null>") : q.field(i).asString());
            out.push_back(line);
        }
        q.close();
        tr.commit();
        return out;
    }
    std::vector<std::string> openRows(const std::string& sql) { return rows(dm_.IBDatabaseDAT.attachment(), sql); }
    static std::vector<std::string> fileRows(const std::filesystem::path& file, const std::string& sql)
    {
        db::Attachment a = db::attachDatabase({file.string(), "SYSDBA", "masterkey"});
        return rows(a, sql);
    }
    static std::string one(const std::vector<std::string>& r) { return r.empty() ? std::string() : r.front(); }

    // Plain SQL on the open data set, committed.
    void openSql(const std::string& sql)
    {
        db::TransactionScope scope(dm_.IBTransactionDAT);
        dm_.IBDatabaseDAT.attachment().execute(dm_.IBTransactionDAT, sql);
        scope.commit();
    }

    static inline std::filesystem::path sample_;
};

} // namespace vq::test
