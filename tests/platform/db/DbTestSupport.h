#pragma once
// Scratch databases for the wrapper's own tests (the schema of the system is
// not needed here: each test creates the few tables it uses).
#include <cstdlib>
#include <optional>
#include <string>

#include "TempDir.h"
#include "platform/db/Attachment.h"
#include "platform/db/Transaction.h"

namespace vq::test {

inline db::ConnectParams localParams(const std::filesystem::path& file)
{
    return {file.string(), "SYSDBA", "masterkey"};
}

// The server the test run started (scripts/firebird-server), or nullopt.
struct ServerInfo {
    std::string host;       // "localhost/3051"
    std::string user;
    std::string password;
};

inline std::optional<ServerInfo> testServer()
{
    const char* server = std::getenv("VQ_FB_SERVER");
    if (!server || !*server)
        return std::nullopt;
    const char* user = std::getenv("VQ_FB_USER");
    const char* password = std::getenv("VQ_FB_PASSWORD");
    return ServerInfo{server, user ? user : "SYSDBA", password ? password : ""};
}

// Runs DDL, one statement per call, each in its own committed transaction.
inline void runDdl(db::Attachment& a, std::initializer_list<std::string_view> statements)
{
    for (auto sql : statements) {
        db::Transaction tr(a);
        tr.start();
        a.execute(tr, sql);
        tr.commit();
    }
}

} // namespace vq::test
