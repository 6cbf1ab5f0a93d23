#include "dbupdate/steps/z5SystemDbUpdate500.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldSystemStep.h"
#include "dbupdate/steps/StepSql.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/office/CodeTaikeiIO.h"
#include "platform/Cp932.h"

namespace vq::z5SystemDbUpdate500 {

namespace {

// NAME holds 40 bytes; a longer folder is named after the standard place.
constexpr std::size_t kNameBytes = 40;

// Row 7 has no template and keeps what it holds.
struct CodeSystemName {
    std::int32_t recNo;
    const char* file;
};
constexpr CodeSystemName kCodeSystems[] = {
    {1, "販売業.txt"},      {2, "製造業.txt"},          {3, "建設業.txt"},
    {4, "運送業.txt"},      {5, "病院.txt"},            {6, "その他.txt"},
    {8, "個人　一般.txt"},  {9, "個人　不動産.txt"},    {10, "個人　医業.txt"},
};

bool readable(const std::filesystem::path& file)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec) && std::ifstream(file, std::ios::binary).is_open();
}

// The system database goes back to isql whatever the imports did.
struct SystemDbRelease {
    ~SystemDbRelease()
    {
        if (DM && DM->IBDatabaseDEF.connected())
            DM->IBDatabaseDEF.disconnect();
    }
};

std::string twoDigits(int n)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.2d", n);
    return text;
}

} // namespace

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 5;
    rec.Minor1 = 0;
    rec.Minor2 = 0;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "Ｃ／Ｓ版でフォルダ毎にデータを管理する機能を追加";
    rec.Description = "１）Ｃ／Ｓ版でフォルダ毎にデータを管理する機能を追加する。";
}

void AddDataPlaceRows(TUpdateScript& script)
{
    const std::string folder = SystemDef.SysDir;
    const std::string name = platform::cp932::byteLength(folder) > kNameBytes ? "標準の場所" : folder;
    const auto row = [&script](int rec, const std::string& placeName, const std::string& path) {
        script.Add("INSERT INTO DATAPLACEMAN(REC,ORDERKBN,NAME,PATH) VALUES(" + twoDigits(rec) + "," +
                   twoDigits(rec + 1) + ",'" + TUpdateScript::Quoted(placeName) + "','" +
                   TUpdateScript::Quoted(path) + "');");
    };
    row(0, name, folder);
    for (int i = 1; i <= 99; ++i)
        row(i, "", folder + twoDigits(i));
    script.Add("COMMIT;");
}

std::vector<TCodeSystemFile> CodeSystemFiles()
{
    std::vector<TCodeSystemFile> files;
    const auto folder = std::filesystem::path(SystemDef.SqlDir) / "500";
    for (const auto& c : kCodeSystems)
        files.push_back({c.recNo, folder / c.file});
    return files;
}

std::int32_t ImportCodeSystems()
{
    if (OemKind != 1 && OemKind != 2)
        return UpdateDone;
    const auto files = CodeSystemFiles();
    for (const auto& f : files)
        if (!readable(f.File))
            return UpdateFileMissing;
    if (!DM)
        throw std::logic_error("the code systems need the data module");
    const SystemDbRelease release;
    if (!DM->fnAccDefConnected({}, 1))
        return UpdateFailed;
    TCodeTaikeiIO io;
    for (const auto& f : files)
        if (!io.ImportCodeFile(f.File.string(), f.RecNo))
            break;
    return UpdateDone;
}

TUpdateScheme Scheme()
{
    TUpdateScheme s = OldSystemScheme(5, 0, 0, true, "");
    s.PreWork = ImportCodeSystems;
    s.After = [](TUpdateScript& script) {
        script.AddSqlText(StepSql("system_5_0_0"));
        AddDataPlaceRows(script);
        if (OemKind == 1 || OemKind == 2) {
            script.Add("UPDATE SYSREG SET STEXT='1' WHERE SCODE='試算表集計出力区分';");
            script.Add("COMMIT;");
        }
    };
    return s;
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate500
