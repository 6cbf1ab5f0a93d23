#include "dbupdate/DbVersionTest.h"

#include <cstdlib>

#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/db/DbError.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq {

namespace {

std::int32_t numberOrZero(const std::string& text)
{
    if (text.empty())
        return 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    return (*end == '\0' && end != text.c_str()) ? static_cast<std::int32_t>(value) : 0;
}

} // namespace

TDbVersionTest::TDbVersionTest() : FSystemList(SystemUpdateSteps()), FDataList(DataUpdateSteps()) {}

void TDbVersionTest::SetupUpdateList(std::uint8_t mode, const std::string& versionText)
{
    FUpdateMode = mode == 0 ? 0 : 1;
    FNeedUpdate = false;
    FFirstIndex = -1;
    FLastIndex = -1;
    FBackupCount = 0;
    const auto& list = CurrentList();
    FTargetMajor = list.back().Major;
    FTargetMinor1 = list.back().Minor1;
    FTargetMinor2 = list.back().Minor2;
    if (!versionText.empty())
        ParseDbVersionText(versionText);
    else
        SetDbVersion();
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (IsNewerStep(list[i].Major, list[i].Minor1, list[i].Minor2, FDbMajor, FDbMinor1, FDbMinor2)) {
            FNeedUpdate = true;
            FFirstIndex = static_cast<std::int32_t>(i);
            break;
        }
    }
    if (!FNeedUpdate)
        return;
    FLastIndex = static_cast<std::int32_t>(list.size()) - 1;
    for (std::int32_t i = FFirstIndex; i <= FLastIndex; ++i)
        FBackupCount += list[static_cast<std::size_t>(i)].BackupFlag;
}

void TDbVersionTest::ParseDbVersionText(const std::string& text)
{
    FDbMajor = FDbMinor1 = FDbMinor2 = 0;
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == '.') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    if (parts.size() != 3)
        return;
    FDbMajor = numberOrZero(parts[0]);
    FDbMinor1 = numberOrZero(parts[1]);
    FDbMinor2 = numberOrZero(parts[2]);
}

void TDbVersionTest::SetDbVersion()
{
    FDbMajor = FDbMinor1 = FDbMinor2 = 0;
    DmDatabase& database = FUpdateMode == 0 ? DM->IBDatabaseDEF : DM->IBDatabaseDAT;
    db::Transaction& tr = FUpdateMode == 0 ? DM->IBTransactionDEF : DM->IBTransactionDAT;
    db::Statement sql(database.attachment(), tr);
    bool started = false;
    try {
        started = tr.startIfInactive();
        sql.setSql(FUpdateMode == 0 ? "SELECT MAJOR,MINOR1 AS MINOR,MINOR2 AS REV FROM VERSION\n"
                                      "ORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC"
                                    : "SELECT MAJOR,MINOR1 AS MINOR,MINOR2 AS REV FROM ACCVERSION\n"
                                      "ORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC");
        sql.execute();
        if (sql.fetch()) {
            FDbMajor = sql.field("MAJOR").asInt();
            FDbMinor1 = sql.field("MINOR").asInt();
            FDbMinor2 = sql.field("REV").asInt();
        }
        sql.close();
    } catch (const db::DbError& e) {
        sql.close();
        ReportDbError(e, "TDbUpdateBox.SetDbVersion", "データベースバージョンの取得に失敗しました。", true);
    } catch (const std::exception&) {
        sql.close();
        ShowMessageDetail("データベースバージョンの取得に失敗しました。", {}, platform::MessageKind::Error);
    }
    if (tr.active()) {
        try {
            if (started)
                tr.commit();
        } catch (const std::exception&) {
        }
    }
}

} // namespace vq
