#include "dbupdate/steps/z5UserDbUpdate704.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/PartFileStep.h"
#include "foundation/app/AccInf.h"
#include "foundation/data/DataModule.h"

namespace vq::z5UserDbUpdate704 {

namespace {

bool isTaxCodeFile(const std::string& name)
{
    return name == "vqzup70201.sql" || name == "vqzup70202.sql";
}

} // namespace

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 7;
    rec.Minor1 = 0;
    rec.Minor2 = 4;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "消費税・特定課税仕入れ に対応";
    rec.Description = "１）消費税申告書・付表の新様式に対応します。\r";
}

bool CountTaxCode116()
{
    bool found = false;
    RunInStepDatabase(1, [&found] {
        db::Statement q(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT,
                        "SELECT COUNT(TAX_CODE) AS RECCNT FROM TAXMST WHERE TAX_CODE=116");
        q.execute();
        found = q.fetch() && q.field("RECCNT").asInt() > 0;
    });
    return found;
}

TUpdateScheme Scheme(bool hasTaxCode116)
{
    std::vector<std::string> files{"vqzup70201.sql", "vqzup70202.sql"};
    for (auto& name : part_file_step::PartNames(4))
        files.push_back(std::move(name));
    TUpdateScheme s = part_file_step::DataScheme(7, 0, 4, 0);
    s.PartFiles = std::move(files);
    const bool medical = AccInf.IsIryou != 0;
    s.UsePart = [medical, hasTaxCode116](const std::string& name) {
        if (hasTaxCode116 && isTaxCodeFile(name))
            return false;
        return name != (medical ? "vqzup03.sql" : "vqzup04.sql");
    };
    return s;
}

std::int32_t DoUpdate()
{
    // The tax code only chooses among files that must all be there.
    if (part_file_step::MissingPart(Scheme(false)))
        return UpdateFileMissing;
    return part_file_step::RunPartFileStep(Scheme(CountTaxCode116()));
}

} // namespace vq::z5UserDbUpdate704
