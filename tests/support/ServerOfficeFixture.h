#pragma once
// Tests against the Firebird server that scripts/firebird-server starts.
// ServerFixture skips the test when no server runs and puts the system
// settings back afterwards; ServerOfficeFixture adds an office in
// client/server mode below the server's office root: its system database
// and file-transfer database built from schema/ with the declarations of the
// server's file routines, an operator logged on, and a data module (not yet
// connected).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "SchemaDatabase.h"
#include "ServerEnv.h"
#include "TempDir.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/ScriptedInteraction.h"
#include "platform/db/Attachment.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq::test {

class ServerFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        server_ = env("VQ_FB_SERVER");
        if (server_.empty())
            GTEST_SKIP() << "VQ_FB_SERVER is not set (scripts/firebird-server start)";
        saved_ = SystemDef;
        savedMode_ = ConnectMode;
    }

    void TearDown() override
    {
        if (server_.empty())
            return;
        ConnectMode = savedMode_;
        SystemDef = saved_;
    }

    // The administrator the server tests act as.
    static std::string serverUser() { return env("VQ_FB_USER").empty() ? "SYSDBA" : env("VQ_FB_USER"); }

    std::string server_;
    TempDir root_{serverOfficeRoot()}; // where the server's file routines may act

private:
    TSystemDef saved_;
    std::uint8_t savedMode_ = 0;
};

class ServerOfficeFixture : public ServerFixture {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        ServerFixture::SetUp();
        if (server_.empty())
            return;
        ConnectMode = ConnectClientServer;
        DbFatalFlag = 0;
        SystemDef.HostName = server_;
        SystemDef.DbUser = serverUser();
        SystemDef.DbPassword = env("VQ_FB_PASSWORD");
        SystemDef.SysDir = (root_.path() / "sys").string();
        SystemDef.LogDir = (root_.path() / "log").string();
        SystemDef.WinTempDir = (root_.path() / "tmp").string();
        SystemDef.TempDir = (root_.path() / "temp").string();
        SystemDef.FileTransId = (root_.path() / "trans").string();
        SystemDef.GROUPID = 10000;
        SystemDef.OPCODE = 100001;
        SystemDef.OPNAME = "担当者";
        SystemDef.JOBLEVEL = 9;
        for (const auto& dir : {SystemDef.SysDir, SystemDef.LogDir, SystemDef.WinTempDir, SystemDef.TempDir})
            fs::create_directories(dir);
        buildDatabase(SchemaKind::System, fs::path(SystemDef.SysDir) / SysDbFileName);
        buildDatabase(SchemaKind::FileTransfer, fs::path(SystemDef.SysDir) / "vqfileman.fdb");
        // The routines' declarations need the server, which has their module.
        ::setenv("ISC_USER", SystemDef.DbUser.c_str(), 1);
        ::setenv("ISC_PASSWORD", SystemDef.DbPassword.c_str(), 1);
        const auto declare = [&](const fs::path& database, const char* script) {
            runSql(server_ + ":" + database.string(), readBytes(schemaDir() / "server" / script));
        };
        declare(fs::path(SystemDef.SysDir) / SysDbFileName, "system-file-routines.sql");
        declare(fs::path(SystemDef.SysDir) / "vqfileman.fdb", "filetransfer-file-routines.sql");
        dm_ = std::make_unique<TDM>();
    }

    void TearDown() override
    {
        if (server_.empty())
            return;
        dm_.reset();
        ::unsetenv("ISC_USER");
        ::unsetenv("ISC_PASSWORD");
        ServerFixture::TearDown();
    }

    // Runs a statement on the database of the data set in folder, on the server.
    void sql(const std::filesystem::path& folder, const std::string& statement)
    {
        db::Attachment att;
        att.attach({server_ + ":" + (folder / DataDbFileName).string(), SystemDef.DbUser, SystemDef.DbPassword});
        db::Transaction tr(att);
        tr.start();
        db::Statement q(att, tr, statement);
        q.execute();
        tr.commit();
    }

    // Every row of a query on the database of the data set in folder, on the
    // server: columns joined by '|', rows of more than one column ended by a
    // line break.
    std::string text(const std::filesystem::path& folder, const std::string& query)
    {
        db::Attachment att;
        att.attach({server_ + ":" + (folder / DataDbFileName).string(), SystemDef.DbUser, SystemDef.DbPassword});
        db::Transaction tr(att, db::kSnapshotReadOnly);
        tr.start();
        db::Statement q(att, tr, query);
        q.execute();
        std::string out;
        while (q.fetch()) {
            for (std::size_t i = 0; i < q.fieldCount(); ++i)
                out += (i ? "|" : "") + q.field(i).asString();
            if (q.fieldCount() > 1)
                out += "\n";
        }
        return out;
    }

    std::string lastMessage() { return seam_->messages.empty() ? "" : seam_->messages.back().text; }

    platform::ScopedScriptedInteraction seam_;
    std::unique_ptr<TDM> dm_;
};

} // namespace vq::test
