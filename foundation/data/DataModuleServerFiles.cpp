// Files and folders on the database server's machine, reached through the
// system database's file procedures (a plugin of the server).
#include "foundation/data/DataModule.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

#include "foundation/app/SystemDef.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/files/FileErrors.h"
#include "foundation/files/FileUtils.h"
#include "platform/db/DbError.h"

namespace vq {

namespace {

constexpr std::array kFileOps{"FEXIST", "FCOPY", "FDEL", "FMOVE"};
constexpr std::array kFolderOps{"DEXIST", "MKDIR", "RMDIR"};

bool blank(const std::string& s)
{
    return s.find_first_not_of(" \t\r\n") == std::string::npos;
}

template <typename List>
bool listed(const List& list, const std::string& op)
{
    return std::find(list.begin(), list.end(), op) != list.end();
}

// Connects the system database for one call when it is not connected and
// leaves it as it found it.
class SystemDatabaseForCall {
public:
    explicit SystemDatabaseForCall(TDM& dm) : dm_(dm)
    {
        if (!dm_.IBDatabaseDEF.connected())
            openedHere_ = dm_.fnAccDefConnected(SystemDef.HostName, 1);
    }
    ~SystemDatabaseForCall()
    {
        if (openedHere_)
            dm_.IBDatabaseDEF.disconnect();
    }
    SystemDatabaseForCall(const SystemDatabaseForCall&) = delete;
    SystemDatabaseForCall& operator=(const SystemDatabaseForCall&) = delete;
    bool ready() const { return dm_.IBDatabaseDEF.connected(); }

private:
    TDM& dm_;
    bool openedHere_ = false;
};

} // namespace

bool TDM::ServerFileOperation(const std::string& op, const std::string& path1, const std::string& path2)
{
    std::string mode = op;
    std::transform(mode.begin(), mode.end(), mode.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const bool fileOp = listed(kFileOps, mode);
    if ((!fileOp && !listed(kFolderOps, mode)) || blank(path1))
        return false;
    if ((mode == "FCOPY" || mode == "FMOVE") && blank(path2))
        return false;
    SystemDatabaseForCall system(*this);
    if (!system.ready())
        return false;
    char message[160];
    std::snprintf(message, sizeof message, "サーバーへのファイル操作(%s)に失敗しました。", mode.c_str());
    try {
        db::TransactionScope scope(IBTransactionDEF);
        if (fileOp) {
            IBSQLDEF.setSql("SELECT WBOOL FROM FILEOPERATION(:MODE,:FILEPATH1,:FILEPATH2)");
            IBSQLDEF.param("FILEPATH2").setString(path2);
        } else {
            IBSQLDEF.setSql("SELECT WBOOL FROM DIRECTORYTEST(:MODE,:FILEPATH1)");
        }
        IBSQLDEF.param("MODE").setString(mode);
        IBSQLDEF.param("FILEPATH1").setString(path1);
        IBSQLDEF.execute();
        const bool done = IBSQLDEF.fetch() && IBSQLDEF.field("WBOOL").asInt() == 1;
        IBSQLDEF.close();
        scope.commit();
        return done;
    } catch (...) {
        IBSQLDEF.close();
        ReportCurrentException("TDM.ServerFileOperation", message);
    }
    return false;
}

void TDM::ServerLongToShortFileName(const std::string& longName, std::string& shortName)
{
    shortName.clear();
    if (blank(longName))
        return;
    SystemDatabaseForCall system(*this);
    if (!system.ready())
        return;
    try {
        db::TransactionScope scope(IBTransactionDEF);
        IBSQLDEF.setSql("SELECT SHORTNAME FROM LONGTOSHORTFILENAME(:LONGNAME)");
        IBSQLDEF.param("LONGNAME").setString(longName);
        IBSQLDEF.execute();
        if (IBSQLDEF.fetch())
            shortName = IBSQLDEF.field("SHORTNAME").asString();
        IBSQLDEF.close();
        scope.commit();
    } catch (...) {
        IBSQLDEF.close();
        ReportCurrentException("TDM.ServerLongToShortFileName",
                               "サーバーからのファイル名の変換(LongToShort)に失敗しました。");
    }
}

void TDM::ShortFileName(const std::string& path, std::uint8_t mode, std::string& shortName)
{
    shortName.clear();
    if (mode == 0) {
        try {
            GetShortPath(path, shortName);
        } catch (...) {
            shortName = path;
        }
    } else if (mode == 1 || mode == 2) {
        ServerLongToShortFileName(path, shortName);
    }
}

} // namespace vq
