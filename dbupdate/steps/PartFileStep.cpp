#include "dbupdate/steps/PartFileStep.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "dbupdate/UpdateStep.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/QueryFactory.h"
#include "platform/db/Transaction.h"

namespace vq::part_file_step {

namespace fs = std::filesystem;

std::string PartName(int number, const std::string& prefix)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", number);
    return prefix + digits + ".sql";
}

std::vector<std::string> PartNames(int count, const std::string& prefix)
{
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i)
        names.push_back(PartName(i, prefix));
    return names;
}

int PartNumber(const std::string& name)
{
    const auto dot = name.rfind(".sql");
    if (dot == std::string::npos || dot < 2 || dot + 4 != name.size())
        return 0;
    const auto start = name.find_first_of("0123456789");
    if (start == std::string::npos || start >= dot)
        return 0;
    const std::string digits = name.substr(start, dot - start);
    if (digits.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::stoi(digits);
}

void FillRec(TDbUpdateListRec& rec, std::int32_t major, std::int32_t minor1, std::int32_t minor2,
             std::function<std::int32_t()> doUpdate, std::string title, std::string description)
{
    rec.Major = major;
    rec.Minor1 = minor1;
    rec.Minor2 = minor2;
    rec.UpdateProc = std::move(doUpdate);
    rec.BackupFlag = 1;
    rec.Title = std::move(title);
    rec.Description = std::move(description);
}

void FillRecentRec(TDbUpdateListRec& rec, std::int32_t major, std::int32_t minor1, std::int32_t minor2,
                   std::function<std::int32_t()> doUpdate, std::string title, std::string description)
{
    if (OemKind == 1 || OemKind == 2) {
        title = "機能強化および不具合修正";
        description = "１）機能強化および不具合の修正（詳しくはＨＰで確認ください）";
    }
    FillRec(rec, major, minor1, minor2, std::move(doUpdate), std::move(title), std::move(description));
}

std::function<bool(const std::string& name)> ByDataKind(std::vector<int> medicalSkips, std::vector<int> generalSkips)
{
    const bool medical = AccInf.IsIryou != 0;
    std::vector<int> skips = medical ? std::move(medicalSkips) : std::move(generalSkips);
    return [skips](const std::string& name) {
        return std::find(skips.begin(), skips.end(), PartNumber(name)) == skips.end();
    };
}

TUpdateScheme DataScheme(std::int32_t major, std::int32_t minor1, std::int32_t minor2, int partCount, MemoForm memo)
{
    TUpdateScheme s;
    s.Mode = 1;
    s.Major = major;
    s.Minor1 = minor1;
    s.Minor2 = minor2;
    s.SetNames = true;
    s.RecordFirst = true;
    s.Memo = memo;
    s.PartFiles = PartNames(partCount);
    s.StopOnMissingPart = true;
    return s;
}

TUpdateScheme SystemScheme(std::int32_t major, std::int32_t minor1, std::int32_t minor2, int partCount, MemoForm memo)
{
    TUpdateScheme s = DataScheme(major, minor1, minor2, 0, memo);
    s.Mode = 0;
    s.PartFiles = PartNames(partCount, "sysup");
    return s;
}

std::optional<fs::path> MissingPart(const std::string& digits, const std::vector<std::string>& names)
{
    for (const auto& name : names) {
        const fs::path file = fs::path(SystemDef.SqlDir) / digits / name;
        std::error_code ec;
        if (!fs::is_regular_file(file, ec))
            return file;
    }
    return std::nullopt;
}

std::optional<fs::path> MissingPart(const TUpdateScheme& scheme)
{
    return MissingPart(scheme.VersionDigits(), scheme.PartFiles);
}

std::int32_t RunPartFileStep(const TUpdateScheme& scheme)
{
    if (MissingPart(scheme))
        return UpdateFileMissing;
    TUpdateScheme strict = scheme;
    strict.StopOnMissingPart = true;
    return RunUpdateStep(strict);
}

void WithOpenDataSet(const std::function<void()>& work)
{
    RunInStepDatabase(1, work);
}

bool DataTriggerExists(const std::string& name)
{
    auto q = CreateAccSql(kAccDat, 0);
    if (!q)
        throw std::runtime_error("no data module");
    q->setSql("SELECT count(*) FROM RDB$TRIGGERS WHERE (RDB$TRIGGER_NAME= :TRIGGER_NAME) ");
    q->param("TRIGGER_NAME").setString(name);
    q->execute();
    return q->fetch() && q->field(std::size_t{0}).asInt() > 0;
}

} // namespace vq::part_file_step
