#include "tools/SampleOffice.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>

#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemDef.h"
#include "foundation/app/SystemFolders.h"
#include "datasets/DataSentakuListCtl.h"
#include "foundation/data/DataModule.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"
#include "platform/AtomicFile.h"
#include "platform/IniFile.h"
#include "platform/Process.h"
#include "platform/RegistryStore.h"
#include "tools/SampleBusinesses.h"
#include "tools/SqlText.h"

namespace vq::tools {

namespace fs = std::filesystem;

namespace {

constexpr int kGroup = 10000;
constexpr int kOperator = 10;                       // the office's tax accountant
constexpr int kOperatorCode = kGroup * 10000 + kOperator;
const char* const kVersionText = "22版";            // data version 14 is product edition 22

// The installed accounting product, where the shipped AppInfo.ini points:
// [Application] RegKey and a sub-key named by [Rided] RegKey and the major.
const char* const kProductKey = "\\SOFTWARE\\DRAXON\\ZEVERIVUREV14";

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::random_device rd;
        path_ = fs::temp_directory_path() / ("vq-sample-office-" + std::to_string(rd()));
        fs::create_directories(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void buildDatabase(const fs::path& schemaDir, const char* kind, const fs::path& target, const fs::path& rows)
{
    auto result = platform::runProcess(
        "bash", {(schemaDir / "build-database").string(), kind, target.string(), rows.string()});
    if (!result.succeeded())
        throw std::runtime_error("cannot build " + target.string() + ":\n" + result.standardError +
                                 result.standardOutput);
}

// The local settings file as the data-server settings dialog writes its
// defaults for a stand-alone office.
void writeLocalSettings(const TSystemDef& def)
{
    platform::IniFile ini(def.IniFileName);
    ini.writeString("APPLICATION", "TOP", "0");
    ini.writeString("APPLICATION", "LEFT", "0");
    ini.writeString("APPLICATION", "WIDTH", "1024");
    ini.writeString("APPLICATION", "HEIGHT", "738");
    ini.writeString("APPLICATION", "CONNECT", "0");
    for (const char* section : {"LOCAL", "SERVER", "SBC"}) {
        const bool local = std::string(section) == "LOCAL";
        ini.writeString(section, "HOSTNAME", "");
        ini.writeString(section, "GOGLOBAL", "NO");
        ini.writeString(section, "GROUP", "NO");
        ini.writeString(section, "SYSDIR", local ? def.SysDir : "");
        ini.writeString(section, "USER", DefaultDbUser);
        ini.writeString(section, "PASSWORD", DefaultDbPassword);
    }
}

void writeInstalledProduct()
{
    auto registry = platform::RegistryStore::machine();
    registry.writeString(kProductKey, "Product", "ヴォルレン財務 Ver.22");
    registry.writeString(kProductKey, "Version", "14.0.0");
    registry.writeString(kProductKey, "Type", kVersionText);
}

// The data set's info file, as the data module writes it for a free data set.
void writeInfoFile(const fs::path& folder, const SampleDataSet& set)
{
    platform::IniFile ini(folder / DataIniFileName);
    ini.writeInteger("DATASTS", "STATUS", 1);
    ini.writeInteger("DATASTS", "SHARE_STATUS", 1);
    ini.writeInteger("DATASTS", "UPDATE_LOCK", 0);
    ini.writeInteger("DATASTS", "READ_ONLY", 0);
    const int entries = entryCount(set);
    const std::pair<const char*, std::string> values[] = {
        {"DATALISTNAME", set.listName}, {"CODE", set.dataCode}, {"DATAKBN", "2"},
        {"CODEKBN", std::to_string(set.codeType)}, {"SHOUGOU", set.shougou}, {"KANA", set.kana},
        {"NENDO", "6"}, {"KISHU", "2024/01/01"}, {"KIMATU", "2024/12/31"},
        {"TANTO", std::to_string(kOperator)}, {"SITEN", "0"}, {"SITENCNT", "0"}, {"BUMON", "0"},
        {"BUMONCNT", "0"}, {"SIWAKE", std::to_string(entries)}, {"TOTALSIWAKE", std::to_string(entries)},
        {"VERSION1", "14.0.0"}, {"VERSION2", kVersionText}, {"GASSANKBN", "0"}, {"USEMYNUMBER", "0"},
        {"CLOUD_SHARE", "0"},
    };
    for (const auto& [key, value] : values)
        ini.writeString("DATAINFO", key, value);
}

std::string systemSql()
{
    std::string sql;
    auto add = [&sql](const std::string& line) { sql += line + "\n"; };
    add("INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL, PASWORD, DATAPAS, JIMUSHO, OKINIIRI, KANSA, "
        "MYNUMBER_ADM, SHONIN) VALUES (10000, 10, '鈴木 一郎', 9, '', '', 1, 0, 0, 1, 1);");
    add("INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL, PASWORD, DATAPAS, JIMUSHO, OKINIIRI, KANSA, "
        "MYNUMBER_ADM, SHONIN) VALUES (10000, 11, '田中 花子', 5, '', '', 0, 0, 0, 0, 0);");
    add("INSERT INTO SYSTEMINI (REC, RESERVE1, RESERVE2, RESERVE3, RESERVE4, RESERVE5, SSTR) VALUES (10, 0, 0, 0, "
        "0, 0, 'NAME=鈴木税理士事務所' || ASCII_CHAR(13) || 'JYUSHO=東京都新宿区西新宿二丁目８番１号' || "
        "ASCII_CHAR(13) || 'TEL=03-5321-0000' || ASCII_CHAR(13));");
    return sql;
}

std::string slotFolder(int slot)
{
    char name[8];
    std::snprintf(name, sizeof name, "%.4d", slot);
    return name;
}

// The data list as the office's programs keep it: the fixed slots, and each
// data set registered in its slot from its info file, through the store.
void registerDataSets(const TSystemDef& def, const std::vector<SampleDataSet>& sets)
{
    const TSystemDef saved = SystemDef;
    SystemDef.SysDir = def.SysDir;
    SystemDef.HostName.clear();
    SystemDef.DbUser = DefaultDbUser;
    SystemDef.DbPassword = DefaultDbPassword;
    SystemDef.GROUPID = kGroup;
    SystemDef.OPCODE = kOperatorCode;
    TDM dm;
    if (!dm.fnAccDefConnected("", 1)) {
        SystemDef = saved;
        throw std::runtime_error("cannot open the new system database to register the data sets");
    }
    {
        // The list's optional columns follow the system database's version.
        db::TransactionScope scope(dm.IBTransactionDEF);
        db::Statement q(dm.IBDatabaseDEF.attachment(), dm.IBTransactionDEF,
                        "SELECT MAJOR,MINOR1,MINOR2 FROM VERSION ORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC");
        q.execute();
        if (q.fetch()) {
            SystemDef.ProgVerMajor = q.field("MAJOR").asInt();
            SystemDef.ProgVerMinor1 = q.field("MINOR1").asInt();
            SystemDef.ProgVerMinor2 = q.field("MINOR2").asInt();
        }
        q.close();
        scope.commit();
    }
    {
        TDataSentakuListCtl store;
        store.MakeSlots(def.SysDir, DataListCnt);
        for (const auto& set : sets) {
            const std::string folder = (fs::path(def.SysDir) / slotFolder(set.slot)).string();
            TDataListRec row;
            store.ClearRecord(row, folder);
            row.REC = set.slot;
            store.GetDataListRecord(0, row, false);
            TDataInfomation info;
            TDataInfomationRec rec;
            if (!info.ReadIniFile("", folder, rec) || !store.UpdateDataListRecord(
                    (store.SetRecordFromDataInfo(rec, row), row), 0, false)) {
                SystemDef = saved;
                throw std::runtime_error("cannot register the data set in " + folder);
            }
        }
    }
    dm.IBDatabaseDEF.disconnect();
    SystemDef = saved;
}

} // namespace

SampleOfficeReport makeSampleOffice(const SampleOfficeOptions& options)
{
    if (options.root.empty())
        throw std::runtime_error("no folder given for the office");
    fs::create_directories(options.root);
    const fs::path root = fs::absolute(options.root).lexically_normal();
    ::setenv("VQ_ROOT", root.c_str(), 1);

    TSystemDef def;
    if (!InitSystemFolders(def))
        throw std::runtime_error("cannot create the folders of the office under " + root.string());
    fs::create_directories(def.SysDir);

    SampleOfficeReport report;
    report.systemDatabase = fs::path(def.SysDir) / SysDbFileName;
    std::vector<SampleDataSet> sets = {generalBusinessSample(1, options.extraJournals),
                                       realEstateSample(2, options.extraJournals),
                                       agricultureSample(3, options.extraJournals)};
    // Nothing of an existing office is touched.
    if (fs::exists(report.systemDatabase))
        throw std::runtime_error(root.string() + " already holds an office (" + report.systemDatabase.string() + ")");
    for (const auto& set : sets)
        if (fs::exists(fs::path(def.SysDir) / slotFolder(set.slot) / DataDbFileName))
            throw std::runtime_error(root.string() + " already holds data sets");

    writeLocalSettings(def);
    writeInstalledProduct();

    ScratchFolder scratch;
    for (const auto& set : sets) {
        const fs::path folder = fs::path(def.SysDir) / slotFolder(set.slot);
        fs::create_directories(folder);
        const fs::path rows = scratch.path() / ("dataset-" + slotFolder(set.slot) + ".sql");
        platform::writeFileAtomically(rows, dataSetSql(set, kOperatorCode));
        buildDatabase(options.schemaDir, "dataset", folder / DataDbFileName, rows);
        writeInfoFile(folder, set);
        report.dataSetFolders.push_back(folder);
        report.lines.push_back(slotFolder(set.slot) + " " + set.listName + ": " + std::to_string(entryCount(set)) +
                               " journal entries");
    }
    // The system database last: a failed data set leaves no data list that
    // points at it.
    const fs::path rows = scratch.path() / "system.sql";
    platform::writeFileAtomically(rows, systemSql());
    buildDatabase(options.schemaDir, "system", report.systemDatabase, rows);
    registerDataSets(def, sets);
    report.lines.insert(report.lines.begin(), "office: " + root.string() + " (system database " +
                                                  report.systemDatabase.string() + ", operator 10 鈴木 一郎, no password)");
    return report;
}

} // namespace vq::tools
