#include "tools/SampleOffice.h"

#include <sys/statvfs.h>

#include <cstdio>
#include <cstdlib>
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
#include "tools/SampleFixedAssets.h"
#include "tools/SampleMedical.h"
#include "tools/SampleOperatorRights.h"
#include "tools/SampleStatements.h"
#include "tools/SqlText.h"
#include "tools/TiedChild.h"

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

// Disk space one further journal entry takes in one data set: its two
// journal rows with their index entries, measured on large runs with room to
// spare, and the build's scratch is no more than the base rows.
constexpr std::uintmax_t kBytesPerEntry = 2048;
constexpr std::uintmax_t kBytesPerOffice = 256ull << 20;

void checkRoom(const fs::path& root, int extraJournals, std::size_t dataSets)
{
    struct statvfs fsInfo {};
    if (::statvfs(root.c_str(), &fsInfo) != 0)
        return;
    const std::uintmax_t free = static_cast<std::uintmax_t>(fsInfo.f_bavail) * fsInfo.f_frsize;
    const std::uintmax_t perJournal = kBytesPerEntry * dataSets;
    const std::uintmax_t needed = kBytesPerOffice + perJournal * static_cast<std::uintmax_t>(extraJournals);
    if (needed <= free)
        return;
    const std::uintmax_t most = free > kBytesPerOffice ? (free - kBytesPerOffice) / perJournal : 0;
    throw std::runtime_error("--journals " + std::to_string(extraJournals) + " needs about " +
                             std::to_string(needed >> 20) + " MB of disk under " + root.string() + ", but only " +
                             std::to_string(free >> 20) + " MB are free there; this machine holds at most --journals " +
                             std::to_string(most));
}

// Runs build-database; its partial database, its scratch files and its
// output stay in the office's build folder, and it ends with this process.
void buildDatabase(const fs::path& schemaDir, const char* kind, const fs::path& target, const fs::path& rows,
                   const fs::path& buildFolder)
{
    auto result = runTiedChild("bash", {(schemaDir / "build-database").string(), kind, target.string(), rows.string()},
                               {{"TMPDIR", buildFolder.string()}}, buildFolder / "build-database.out");
    if (result.exitCode != 0)
        throw std::runtime_error("cannot build " + target.string() + ":\n" + result.output);
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
void registerDataSets(const TSystemDef& def, const std::vector<int>& slots)
{
    // The store works on the program's settings; they are this office's only
    // while it registers.
    struct Restore {
        TSystemDef saved = SystemDef;
        ~Restore() { SystemDef = saved; }
    } restore;
    SystemDef.SysDir = def.SysDir;
    SystemDef.HostName.clear();
    SystemDef.DbUser = DefaultDbUser;
    SystemDef.DbPassword = DefaultDbPassword;
    SystemDef.GROUPID = kGroup;
    SystemDef.OPCODE = kOperatorCode;
    TDM dm;
    if (!dm.fnAccDefConnected("", 1))
        throw std::runtime_error("cannot open the new system database to register the data sets");
    // The list's optional columns follow the system database's version.
    dm.GetLatestProgramVersion();
    {
        TDataSentakuListCtl store;
        store.MakeSlots(def.SysDir, DataListCnt);
        for (const int slot : slots) {
            const std::string folder = (fs::path(def.SysDir) / slotFolder(slot)).string();
            TDataListRec row;
            store.ClearRecord(row, folder);
            row.REC = slot;
            store.GetDataListRecord(0, row, false);
            TDataInfomation info;
            TDataInfomationRec rec;
            if (!info.ReadIniFile("", folder, rec))
                throw std::runtime_error("cannot read the info file of the data set in " + folder);
            store.SetRecordFromDataInfo(rec, row);
            if (!store.UpdateDataListRecord(row, 0, false))
                throw std::runtime_error("cannot register the data set in " + folder);
        }
    }
    dm.IBDatabaseDEF.disconnect();
}

} // namespace

namespace {

// gfix on a database of the build folder, ending with this process.
void gfix(const fs::path& database, const std::vector<std::string>& action, const fs::path& buildFolder)
{
    const char* program = std::getenv("GFIX");
    std::vector<std::string> args = action;
    args.insert(args.end(), {"-user", "SYSDBA", database.string()});
    auto result = runTiedChild(program && *program ? program : "gfix", args, {{"TMPDIR", buildFolder.string()}},
                               buildFolder / "gfix.out");
    if (result.exitCode != 0)
        throw std::runtime_error("gfix failed on " + database.string() + ":\n" + result.output);
}

// A data set a former run finished: its database is moved into place only
// after its info file was written in full.
bool dataSetComplete(const fs::path& folder, const SampleDataSet& set)
{
    if (!fs::exists(folder / DataDbFileName) || !fs::exists(folder / DataIniFileName))
        return false;
    platform::IniFile ini(folder / DataIniFileName);
    return ini.readString("DATAINFO", "SIWAKE", "") == std::to_string(entryCount(set)) &&
           !ini.readString("DATAINFO", "CLOUD_SHARE", "").empty();
}

std::string rateText(double perSecond)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", perSecond);
    return text;
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
    addStatementSamples(sets);
    for (auto& set : sets) addSampleFixedAssets(set);

    // Everything half-made lives in the office's own build folder; while it
    // exists the office is unfinished, and this run finishes it.
    const fs::path build = root / kBuildFolderName;
    const bool unfinished = fs::exists(build);
    if (fs::exists(report.systemDatabase)) {
        if (!unfinished)
            throw std::runtime_error(root.string() + " already holds an office (" + report.systemDatabase.string() + ")");
        platform::writeFileAtomically(root / ".complete", "");
        fs::remove_all(build);
        report.lines.push_back("office: " + root.string() + " was complete; its build folder is removed");
        return report;
    }
    // Nothing of an office this tool did not leave unfinished is touched.
    if (!unfinished)
        for (const auto& set : sets)
            if (fs::exists(fs::path(def.SysDir) / slotFolder(set.slot) / DataDbFileName))
                throw std::runtime_error(root.string() + " already holds data sets");
    checkRoom(root, options.extraJournals, sets.size());

    fs::remove_all(build);
    fs::create_directories(build);
    writeLocalSettings(def);
    writeInstalledProduct();

    JournalRate total;
    double firstTenths = 0, lastTenths = 0;
    for (const auto& set : sets) {
        const fs::path folder = fs::path(def.SysDir) / slotFolder(set.slot);
        report.dataSetFolders.push_back(folder);
        const std::string line = slotFolder(set.slot) + " " + set.listName + ": " +
                                 std::to_string(entryCount(set)) + " journal entries";
        if (unfinished && dataSetComplete(folder, set)) {
            report.lines.push_back(line + " (made by the unfinished run)");
            continue;
        }
        fs::create_directories(folder);
        fs::remove(folder / DataDbFileName);
        fs::remove(folder / DataIniFileName);

        const fs::path rows = build / ("dataset-" + slotFolder(set.slot) + ".sql");
        platform::writeFileAtomically(rows, dataSetSql(set, kOperatorCode) +
                                                  operatorRightsSql({kOperatorCode, kGroup * 10000 + 11}));
        const fs::path built = build / ("dataset-" + slotFolder(set.slot) + ".fdb");
        buildDatabase(options.schemaDir, "dataset", built, rows, build);
        fs::remove(rows);
        // Further entries: the database is still private to this build, so
        // pages need not reach the disk at every commit; a fixed cache of
        // 16 MB holds the index pages the entries touch and keeps this
        // process's memory the same whatever their number. Both settings
        // are put back before the database is moved into place.
        const bool large = set.extraJournals > 0;
        if (large) {
            gfix(built, {"-write", "async"}, build);
            gfix(built, {"-buffers", "2048"}, build);
        }
        const JournalRate rate = enterExtraJournals(built.string(), set, kOperatorCode);
        if (large) {
            gfix(built, {"-buffers", "0"}, build);
            gfix(built, {"-write", "sync"}, build);
        }
        total.entries += rate.entries;
        total.seconds += rate.seconds;
        firstTenths += rate.firstTenthPerSecond;
        lastTenths += rate.lastTenthPerSecond;
        writeInfoFile(folder, set);
        fs::rename(built, folder / DataDbFileName);
        report.lines.push_back(line);
    }
    {
        const fs::path folder = fs::path(def.SysDir) / slotFolder(MedicalSampleSlot);
        report.dataSetFolders.push_back(folder);
        fs::create_directories(folder);
        fs::remove(folder / DataDbFileName);
        fs::remove(folder / DataIniFileName);
        const fs::path rows = build / "dataset-medical.sql";
        const std::vector<int> operators = {kOperatorCode, kGroup * 10000 + 11};
        platform::writeFileAtomically(rows, medicalDataSetSql(options.schemaDir) + operatorRightsSql(operators) +
                                                medicalFacilityRightsSql(operators));
        const fs::path built = build / "dataset-medical.fdb";
        buildDatabase(options.schemaDir, "dataset", built, rows, build);
        fs::remove(rows);
        writeMedicalInfoFile(folder, kOperatorCode);
        fs::rename(built, folder / DataDbFileName);
        report.lines.push_back(slotFolder(MedicalSampleSlot) + " 医療法人 清流会: hospital and care facility");
    }
    // The system database last: the office is complete once it is there.
    const fs::path rows = build / "system.sql";
    platform::writeFileAtomically(rows, systemSql());
    const fs::path built = build / "system.fdb";
    buildDatabase(options.schemaDir, "system", built, rows, build);
    fs::rename(built, report.systemDatabase);
    std::vector<int> slots;
    for (const auto& set : sets)
        slots.push_back(set.slot);
    slots.push_back(MedicalSampleSlot);
    registerDataSets(def, slots);
    // scripts/run makes the office only while this mark is missing.
    platform::writeFileAtomically(root / ".complete", "");
    fs::remove_all(build);
    report.lines.insert(report.lines.begin(), "office: " + root.string() + " (system database " +
                                                  report.systemDatabase.string() + ", operator 10 鈴木 一郎, no password)");
    if (total.entries > 0) {
        report.lines.push_back("journal entry: " + std::to_string(total.entries) + " further entries in " +
                               rateText(total.seconds) + " s, " + rateText(total.entries / total.seconds) +
                               " entries/s; the last tenth of each data set at " +
                               rateText(firstTenths > 0 ? 100 * lastTenths / firstTenths : 0) +
                               " % of the first tenth's rate");
    }
    return report;
}

} // namespace vq::tools
